#pragma once
// The program's message boxes, shell calls and help calls, behind seams tests can script:
// a script answers message boxes in order and records what was shown; shell and help
// calls are recorded instead of run.
#include <string>
#include <vector>

namespace platform::forms {

enum VbMsgBoxStyle {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64
};
enum VbMsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The title a message box gets when none is given.
void SetAppTitle(const std::string& title);
const std::string& AppTitle();

int MsgBox(const std::string& prompt, int buttons = vbOKOnly, const std::string& title = std::string());

// Opens a document or program through the shell (ShellExecute); false on failure.
bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters = std::string(),
               const std::string& directory = std::string(), int show = 1);
// Shows a help topic (HtmlHelp); false when the help system is not there.
bool ShowHelp(const std::string& helpFile, unsigned command, uintptr_t data);

struct ShownCall {
    std::string kind;  // "MsgBox", "Shell", "Help"
    std::string text;  // prompt, or file
    std::string detail;  // title, or verb and parameters
    int flags = 0;
};

// Starts scripting: message boxes take the answers in order (then vbOK / the first
// button's answer), shell and help calls only get recorded.
void BeginScript(std::vector<int> answers = {});
void EndScript();
bool Scripted();
const std::vector<ShownCall>& ScriptLog();

}  // namespace platform::forms

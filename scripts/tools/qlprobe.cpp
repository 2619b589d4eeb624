// Starts a Windows program and watches it from outside: waits for its main window (and the
// font tree filled), times it, takes a picture of the screen and closes it; or times a
// plain command to its end. Used by the run, screenshot and benchmark scripts.
//   qlprobe shot FILE.png
//   qlprobe time [--timeout S] -- COMMAND [ARGS]
//   qlprobe start [--caption TEXT] [--tree] [--shot FILE.png] [--close] [--timeout S] -- PROGRAM [ARGS]
// Results are printed as key=value lines; the exit status says what went wrong (ProbeResult).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "scripts/tools/ChildProcess.h"
#include "scripts/tools/ScreenShot.h"
#include "scripts/tools/WindowProbe.h"

using namespace qlprobe;

namespace {

enum class ProbeResult : int {
    Ok = 0,
    Usage = 1,
    NoWindow = 2,
    TreeNotFilled = 3,
    EndedEarly = 4,
    DidNotEnd = 5,
    NoPicture = 6,
    FailedExit = 7,
};

constexpr DWORD kPollMs = 2;

struct Options {
    std::string command;
    std::string caption;
    std::string shot;
    bool tree = false;
    bool close = false;
    DWORD timeoutMs = 60000;
};

int Finish(ProbeResult r) { return static_cast<int>(r); }

void Print(const char* key, const std::string& value)
{
    std::printf("%s=%s\n", key, value.c_str());
    std::fflush(stdout);
}

void PrintMs(const char* key, double ms)
{
    std::printf("%s=%.1f\n", key, ms);
    std::fflush(stdout);
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: qlprobe shot FILE.png\n"
                 "       qlprobe time [--timeout S] -- COMMAND [ARGS]\n"
                 "       qlprobe start [--caption TEXT] [--tree] [--shot FILE.png] [--close] [--timeout S]"
                 " -- PROGRAM [ARGS]\n");
    return Finish(ProbeResult::Usage);
}

bool ParseOptions(int argc, char** argv, int from, Options& o)
{
    int i = from;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--tree")
            o.tree = true;
        else if (a == "--close")
            o.close = true;
        else if (a == "--caption" && i + 1 < argc)
            o.caption = argv[++i];
        else if (a == "--shot" && i + 1 < argc)
            o.shot = argv[++i];
        else if (a == "--timeout" && i + 1 < argc)
            o.timeoutMs = static_cast<DWORD>(std::atof(argv[++i]) * 1000);
        else
            return false;
    }
    for (; i < argc; ++i)
        o.command += (o.command.empty() ? "" : " ") + QuoteArgument(argv[i]);
    return !o.command.empty();
}

// Lets the program finish painting what it has just shown: a message answered means its
// queue was reached; paint messages come once the queue is empty.
void LetPaint(HWND window)
{
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR ignored;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
        Sleep(150);
    }
}

bool SaveShot(const std::string& path)
{
    std::string error;
    if (!SaveScreen(path, error)) {
        std::fprintf(stderr, "qlprobe: %s\n", error.c_str());
        return false;
    }
    Print("shot", path);
    return true;
}

int TimeCommand(const Options& o)
{
    ChildProcess child;
    std::string error;
    if (!child.Start(o.command, error)) {
        std::fprintf(stderr, "qlprobe: %s\n", error.c_str());
        return Finish(ProbeResult::Usage);
    }
    auto code = child.WaitForExit(o.timeoutMs);
    if (!code) {
        child.Terminate();
        std::fprintf(stderr, "qlprobe: %s did not end in time\n", o.command.c_str());
        return Finish(ProbeResult::DidNotEnd);
    }
    PrintMs("exit_ms", child.ElapsedMs());
    Print("exit_code", std::to_string(*code));
    return Finish(ProbeResult::Ok);
}

// Waits for the tree of the program to hold its root and every font the root announces.
bool WaitForTree(const ChildProcess& child, DWORD deadline)
{
    HWND treeWindow = nullptr;
    while (!(treeWindow = FindFontTree(child.Id()))) {
        if (GetTickCount() > deadline || !child.Running())
            return false;
        Sleep(kPollMs);
    }
    RemoteTree tree(treeWindow, child.Id());
    for (;;) {
        auto announced = AnnouncedFontCount(tree.Text(tree.Root()).value_or(""));
        auto count = tree.Count();
        if (announced && count && *count >= *announced + 1) {
            PrintMs("tree_ms", child.ElapsedMs());
            Print("fonts", std::to_string(*announced));
            return true;
        }
        if (GetTickCount() > deadline || !child.Running())
            return false;
        Sleep(kPollMs);
    }
}

int StartProgram(const Options& o)
{
    ChildProcess child;
    std::string error;
    if (!child.Start(o.command, error)) {
        std::fprintf(stderr, "qlprobe: %s\n", error.c_str());
        return Finish(ProbeResult::Usage);
    }
    const DWORD deadline = GetTickCount() + o.timeoutMs;
    HWND window = nullptr;
    while (!(window = FindShownWindow(child.Id(), o.caption))) {
        if (auto code = child.WaitForExit(0)) {
            std::fprintf(stderr, "qlprobe: the program ended (exit code %lu) before showing \"%s\"\n",
                         static_cast<unsigned long>(*code), o.caption.c_str());
            return Finish(ProbeResult::EndedEarly);
        }
        if (GetTickCount() > deadline) {
            std::fprintf(stderr, "qlprobe: no window \"%s\" within %lu s\n", o.caption.c_str(),
                         static_cast<unsigned long>(o.timeoutMs / 1000));
            if (!o.shot.empty())
                SaveShot(o.shot);  // what the screen shows instead helps to see why
            child.Terminate();
            return Finish(ProbeResult::NoWindow);
        }
        Sleep(kPollMs);
    }
    PrintMs("window_ms", child.ElapsedMs());

    if (o.tree && !WaitForTree(child, deadline)) {
        std::fprintf(stderr, "qlprobe: the font tree was not filled within %lu s\n",
                     static_cast<unsigned long>(o.timeoutMs / 1000));
        child.Terminate();
        return Finish(ProbeResult::TreeNotFilled);
    }
    if (!o.shot.empty()) {
        LetPaint(window);
        if (!SaveShot(o.shot)) {
            if (o.close)
                child.Terminate();
            return Finish(ProbeResult::NoPicture);
        }
    }
    if (!o.close)
        return Finish(ProbeResult::Ok);

    PostMessageA(window, WM_CLOSE, 0, 0);
    auto code = child.WaitForExit(o.timeoutMs);
    if (!code) {
        std::fprintf(stderr, "qlprobe: the program did not end within %lu s of WM_CLOSE\n",
                     static_cast<unsigned long>(o.timeoutMs / 1000));
        child.Terminate();
        return Finish(ProbeResult::DidNotEnd);
    }
    Print("exit_code", std::to_string(*code));
    return Finish(*code == 0 ? ProbeResult::Ok : ProbeResult::FailedExit);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    std::string verb = argv[1];
    if (verb == "shot" && argc == 3)
        return SaveShot(argv[2]) ? Finish(ProbeResult::Ok) : Finish(ProbeResult::NoPicture);
    Options o;
    if ((verb != "time" && verb != "start") || !ParseOptions(argc, argv, 2, o))
        return Usage();
    if (verb == "time")
        return TimeCommand(o);
    if (o.caption.empty())
        return Usage();
    return StartProgram(o);
}

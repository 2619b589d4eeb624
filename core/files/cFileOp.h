#pragma once
// Copies, moves and deletes one file through the shell (which shows its own progress
// window and asks its own questions).
#include <windows.h>

#include <string>

// The members are named like the platform's macros; callers use the ...A functions.
#undef CopyFile
#undef MoveFile
#undef DeleteFile

class cFileOp {
public:
    bool ShowProgressDialog() const { return showProgressDialog_; }
    void ShowProgressDialog(bool show) { showProgressDialog_ = show; }
    HWND hWnd() const { return hWnd_; }
    void hWnd(HWND owner) { hWnd_ = owner; }

    // True only when the shell reports success and that nothing was aborted (the shell
    // answers 0 with fAnyOperationsAborted set when the user, or a missing display,
    // declines a question such as replacing an existing file). A destination that is a
    // folder receives the file under its own name.
    bool CopyFile(const std::string& source, const std::string& destination);
    bool MoveFile(const std::string& source, const std::string& destination);
    bool DeleteFile(const std::string& source);

private:
    bool Run(UINT function, const std::string& source, const std::string* destination);

    bool showProgressDialog_ = false;
    HWND hWnd_ = nullptr;
};

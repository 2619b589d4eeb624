#include "core/files/cFileOp.h"

#include <shellapi.h>

bool cFileOp::CopyFile(const std::string& source, const std::string& destination)
{
    return Run(FO_COPY, source, &destination);
}

bool cFileOp::MoveFile(const std::string& source, const std::string& destination)
{
    return Run(FO_MOVE, source, &destination);
}

bool cFileOp::DeleteFile(const std::string& source) { return Run(FO_DELETE, source, nullptr); }

bool cFileOp::Run(UINT function, const std::string& source, const std::string* destination)
{
    // Lists of one path, each ending in a double NUL.
    std::string from = source + '\0' + '\0';
    std::string to = destination ? *destination + '\0' + '\0' : std::string();
    SHFILEOPSTRUCTA op{};
    op.hwnd = hWnd_;
    op.wFunc = function;
    op.pFrom = from.c_str();
    op.pTo = destination ? to.c_str() : nullptr;
    op.fFlags = 0;
    int rc = SHFileOperationA(&op);
    return rc == 0 && !op.fAnyOperationsAborted;
}

#include "core/MessageBoxSeam.h"

#include <utility>

namespace ql {

static MessageBoxSeam& Seam()
{
    static MessageBoxSeam seam;
    return seam;
}

MessageBoxSeam SetMessageBoxSeam(MessageBoxSeam seam) { return std::exchange(Seam(), std::move(seam)); }

int ShowMessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags)
{
    if (const MessageBoxSeam& seam = Seam())
        return seam(owner, text, title, flags);
    return MessageBoxA(owner, text.c_str(), title.c_str(), flags);
}

}  // namespace ql

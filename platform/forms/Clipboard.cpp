#include "platform/forms/Clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/AnsiText.h"

namespace platform::forms::Clipboard {

static bool Open()
{
    // Another program may hold it for a moment.
    for (int i = 0; i < 10; ++i) {
        if (OpenClipboard(nullptr))
            return true;
        ::Sleep(10);
    }
    return false;
}

bool Clear()
{
    if (!Open())
        return false;
    EmptyClipboard();
    CloseClipboard();
    return true;
}

static HGLOBAL Copy(const void* data, size_t bytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!h)
        return nullptr;
    std::memcpy(GlobalLock(h), data, bytes);
    GlobalUnlock(h);
    return h;
}

bool SetText(const std::string& text)
{
    if (!Open())
        return false;
    EmptyClipboard();
    bool ok = true;
    if (HGLOBAL a = Copy(text.c_str(), text.size() + 1)) {
        if (!SetClipboardData(CF_TEXT, a)) {
            GlobalFree(a);
            ok = false;
        }
    }
    std::u16string w = FromAnsi(text);
    if (HGLOBAL u = Copy(w.c_str(), (w.size() + 1) * sizeof(char16_t))) {
        if (!SetClipboardData(CF_UNICODETEXT, u)) {
            GlobalFree(u);
            ok = false;
        }
    }
    CloseClipboard();
    return ok;
}

std::string GetText()
{
    if (!Open())
        return {};
    std::string out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (auto* p = static_cast<const char*>(GlobalLock(h))) {
            out.assign(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

}  // namespace platform::forms::Clipboard

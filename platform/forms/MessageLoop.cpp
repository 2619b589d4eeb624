#include "platform/forms/MessageLoop.h"

#include "platform/LoadedForms.h"
#include "platform/forms/Form.h"
#include "platform/forms/MDIForm.h"

namespace platform::forms {

static Form* TopFormOf(HWND hwnd)
{
    for (HWND w = hwnd; w; w = GetParent(w)) {
        if (Form* f = Form::FromWindow(w)) {
            // An MDI child's shortcuts belong to the frame that carries the menu bar.
            if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD))
                return f;
        }
    }
    return nullptr;
}

bool PreTranslate(MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST)
        return false;
    HWND active = GetActiveWindow();
    Form* form = active ? Form::FromWindow(active) : nullptr;
    if (!form)
        return false;
    // Shortcuts only while their own window is the active one: a key typed in a floating
    // docking frame is the docking library's to forward.
    if (form->Accelerators() && TranslateAcceleratorA(active, form->Accelerators(), &msg))
        return true;
    if (auto* mdi = dynamic_cast<MDIForm*>(form); mdi && mdi->MDIClient() && TranslateMDISysAccel(mdi->MDIClient(), &msg))
        return true;
    if (TopFormOf(msg.hwnd) != form)
        return false;
    if (!form->MDIChild()) {
        char cls[64] = {};
        GetClassNameA(active, cls, sizeof cls);
        if (lstrcmpiA(cls, "ThunderRT6MDIForm") != 0 && IsDialogMessageA(active, &msg))
            return true;
    }
    return false;
}

int DoEvents()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(LoadedFormsSnapshot().size());
}

int RunMessageLoop()
{
    MSG msg;
    while (!LoadedFormsSnapshot().empty()) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0)
            return static_cast<int>(msg.wParam);
        if (r < 0)
            return -1;
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}

}  // namespace platform::forms

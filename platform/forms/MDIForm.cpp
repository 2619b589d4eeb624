#include "platform/forms/MDIForm.h"

#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static MDIForm* g_current = nullptr;

MDIForm::~MDIForm()
{
    if (g_current == this)
        g_current = nullptr;
}

MDIForm* MDIForm::Current() { return g_current && g_current->IsLoaded() ? g_current : nullptr; }

const char* MDIForm::WindowClass() const { return MDIFormClassName(); }

HWND MDIForm::CreateFormWindow(DWORD style, DWORD exStyle, const RECT& outer)
{
    HWND frame = Form::CreateFormWindow(style, exStyle & ~WS_EX_CONTROLPARENT, outer);
    if (!frame)
        return nullptr;
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 0xFF00;
    RECT r;
    GetClientRect(frame, &r);
    client_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, 0, 0,
                              r.right, r.bottom, frame, nullptr, GetModuleHandleA(nullptr), &ccs);
    g_current = this;
    return frame;
}

LRESULT MDIForm::DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    // The frame's own sizing would give the client everything: it is laid out already.
    if (msg == WM_SIZE)
        return DefWindowProcA(hwnd, msg, wp, lp);
    return DefFrameProcA(hwnd, client_, msg, wp, lp);
}

void MDIForm::LayoutAligned()
{
    if (!hwnd_)
        return;
    RECT rest;
    GetClientRect(hwnd_, &rest);
    LayoutAlignedControls(*this, rest);
    if (client_)
        MoveWindow(client_, rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top, TRUE);
}

Form* MDIForm::ActiveForm() const
{
    if (!client_)
        return nullptr;
    return Form::FromWindow(reinterpret_cast<HWND>(SendMessageA(client_, WM_MDIGETACTIVE, 0, 0)));
}

bool MDIForm::BeforeUnload(int)
{
    // The children go first; one that refuses keeps the main form.
    for (LoadedForm* lf : LoadedFormsSnapshot()) {
        auto* f = dynamic_cast<Form*>(lf);
        if (f && f != this && f->MDIChild() && f->IsLoaded() && !f->Unload(vbFormMDIForm))
            return false;
    }
    return true;
}

}  // namespace platform::forms

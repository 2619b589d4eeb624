#include "platform/controls/PropertyGrid.h"

#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

#include "platform/AnsiText.h"
#include "platform/ScopedWin.h"
#include "platform/controls/PaintWhole.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static LRESULT CALLBACK GridProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

PropertyGrid::PropertyGrid(Form& form, std::string name, int index)
    : Control(form, name, index), model_(form.Name() + ": " + name)
{
    BackColor(SysColor(COLOR_WINDOW));
    model_.DescriptionChanged = [this](PropertyItem&) { Refresh(); };
}

PropertyGrid::~PropertyGrid() { editorHook_.Detach(); }

HWND PropertyGrid::CreateWindowFor(HWND parent, int id)
{
    RegisterOwnClass("QlPropertyGrid", GridProc, CS_DBLCLKS, nullptr);
    return MakeWindow("QlPropertyGrid", "", WS_TABSTOP | WS_VSCROLL | WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, parent, id);
}

void PropertyGrid::Clear()
{
    EndEdit(false);
    model_.Clear();
    top_ = 0;
    Refresh();
}

void PropertyGrid::Refresh()
{
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void PropertyGrid::HeaderHeight(int twips)
{
    header_ = std::max(0, twips);
    Refresh();
}

std::vector<PropertyGrid::Line> PropertyGrid::Lines()
{
    std::vector<Line> out;
    for (const std::string& cat : model_.Categories()) {
        if (!cat.empty())
            out.push_back({cat, nullptr});
        for (int i = 0; i < model_.Count(); ++i)
            if (model_.At(i).Category() == cat)
                out.push_back({cat, &model_.At(i)});
    }
    return out;
}

int PropertyGrid::LineHeight()
{
    WindowDC dc(hwnd_);
    Selection font(dc.Get(), Font().Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    return tm.tmHeight + 4;
}

PropertyItem* PropertyGrid::RowAt(int x, int y)
{
    if (!hwnd_)
        return nullptr;
    RECT r;
    GetClientRect(hwnd_, &r);
    if (y >= r.bottom - TwipsToPixelsY(header_) || x < 0)
        return nullptr;
    int line = top_ + y / LineHeight();
    auto lines = Lines();
    return line >= 0 && line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)].item : nullptr;
}

RECT PropertyGrid::ValueRect(PropertyItem& item)
{
    RECT r;
    GetClientRect(hwnd_, &r);
    int h = LineHeight();
    auto lines = Lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].item == &item) {
            int y = (static_cast<int>(i) - top_) * h;
            return RECT{r.right * 2 / 5, y, r.right, y + h};
        }
    return RECT{0, 0, 0, 0};
}

void PropertyGrid::Paint(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GdiObject<HBRUSH>(CreateSolidBrush(TranslateColor(BackColor()))).Get());
    HFONT font = Font().Handle();
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    GdiObject<HFONT> bold(CreateFontIndirectA(&lf));
    Selection selectedFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    int h = LineHeight();
    int split = client.right * 2 / 5;
    int panel = TwipsToPixelsY(header_);
    int bottom = client.bottom - panel;
    auto lines = Lines();
    for (size_t i = static_cast<size_t>(std::max(0, top_)); i < lines.size(); ++i) {
        int y = (static_cast<int>(i) - top_) * h;
        if (y >= bottom)
            break;
        RECT row{0, y, client.right, y + h};
        const Line& l = lines[i];
        if (!l.item) {
            FillRect(dc, &row, GetSysColorBrush(COLOR_BTNFACE));
            selectedFont.Select(bold.Get());
            SetTextColor(dc, TranslateColor(categoryFore_));
            RECT t{4, y, client.right, y + h};
            DrawTextA(dc, l.category.c_str(), -1, &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
            selectedFont.Select(font);
            continue;
        }
        bool sel = model_.Selected() == l.item;
        if (sel) {
            RECT lab{0, y, split, y + h};
            FillRect(dc, &lab, GetSysColorBrush(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, GetSysColor(sel ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT lab{12, y, split - 2, y + h};
        DrawTextA(dc, l.item->Label().c_str(), -1, &lab, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(dc, GetSysColor(l.item->Editable() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        RECT val{split + 4, y, client.right - 2, y + h};
        if (l.item->Type() == ptColor && l.item->Value().kind == PropValue::Number) {
            RECT sw{split + 4, y + 3, split + 4 + h, y + h - 3};
            FillRect(dc, &sw, GdiObject<HBRUSH>(CreateSolidBrush(static_cast<COLORREF>(l.item->Value().number))).Get());
            FrameRect(dc, &sw, GetSysColorBrush(COLOR_WINDOWTEXT));
            val.left += h + 4;
        }
        std::string text = l.item->DisplayText();
        DrawTextA(dc, text.c_str(), -1, &val, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
        Selection selectedPen(dc, pen.Get());
        MoveToEx(dc, 0, y + h - 1, nullptr);
        LineTo(dc, client.right, y + h - 1);
        MoveToEx(dc, split, y, nullptr);
        LineTo(dc, split, y + h);
    }
    if (panel > 0) {
        RECT p{0, bottom, client.right, client.bottom};
        FillRect(dc, &p, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &p, EDGE_ETCHED, BF_TOP);
        if (PropertyItem* s = model_.Selected()) {
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            selectedFont.Select(bold.Get());
            RECT cap{4, bottom + 4, client.right - 4, bottom + 4 + h};
            DrawTextA(dc, s->Label().c_str(), -1, &cap, DT_SINGLELINE | DT_NOPREFIX);
            selectedFont.Select(font);
            RECT desc{4, bottom + 4 + h, client.right - 4, client.bottom - 2};
            DrawTextA(dc, s->Description().c_str(), -1, &desc, DT_WORDBREAK | DT_NOPREFIX);
        }
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(0, static_cast<int>(lines.size()) - 1);
    si.nPage = static_cast<UINT>(std::max(1, bottom / std::max(1, h)));
    si.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
}

bool PropertyGrid::BeginEdit(PropertyItem& item)
{
    EndEdit(true);
    if (!hwnd_ || !item.Editable())
        return false;
    model_.Select(&item);
    Refresh();
    switch (item.Type()) {
    case ptBoolean: {
        bool now = item.Value().kind == PropValue::Boolean && item.Value().boolean;
        model_.CommitUserText(item, now ? "False" : "True");
        return true;
    }
    case ptColor: {
        static COLORREF custom[16] = {};
        CHOOSECOLORA cc{};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = hwnd_;
        cc.rgbResult = item.Value().kind == PropValue::Number ? static_cast<COLORREF>(item.Value().number) : 0;
        cc.lpCustColors = custom;
        cc.Flags = CC_RGBINIT | CC_FULLOPEN;
        if (ChooseColorA(&cc))
            model_.CommitUserText(item, std::to_string(cc.rgbResult));
        return true;
    }
    case ptList: {
        RECT r = ValueRect(item);
        editor_ = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, r.left,
                                  r.top, r.right - r.left, 200, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
        for (auto& [text, text2] : item.ListItems())
            SendMessageA(editor_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (item.Value().kind == PropValue::Number)
            SendMessageA(editor_, CB_SETCURSEL, static_cast<WPARAM>(item.Value().number - 1), 0);
        break;
    }
    default: {
        RECT r = ValueRect(item);
        editor_ = CreateWindowExA(0, "EDIT", item.DisplayText().c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                  r.left + 2, r.top + 1, r.right - r.left - 2, r.bottom - r.top - 2, hwnd_, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        SendMessageA(editor_, EM_SETSEL, 0, -1);
        break;
    }
    }
    if (!editor_)
        return false;
    editing_ = &item;
    SendMessageA(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    editorHook_.Attach(editor_, [this](HWND, UINT m, WPARAM w, LPARAM, LRESULT& r) {
        if (m == WM_GETDLGCODE) {
            r = DLGC_WANTALLKEYS;
            return true;
        }
        if (m == WM_KEYDOWN && (w == VK_RETURN || w == VK_ESCAPE)) {
            PostMessageA(hwnd_, WM_APP + 0x60, w == VK_RETURN, 0);
            r = 0;
            return true;
        }
        if (m == WM_CHAR && (w == '\r' || w == 27)) {
            r = 0;
            return true;
        }
        return false;
    }, Source("Editor"));
    ::SetFocus(editor_);
    return true;
}

void PropertyGrid::EndEdit(bool commit)
{
    if (!editor_ || ending_)
        return;
    ending_ = true;
    std::string text;
    bool isList = editing_ && editing_->Type() == ptList;
    if (isList) {
        LRESULT i = SendMessageA(editor_, CB_GETCURSEL, 0, 0);
        text = i == CB_ERR ? std::string() : std::to_string(i + 1);
    } else {
        int n = GetWindowTextLengthA(editor_);
        std::string s(static_cast<size_t>(n) + 1, '\0');
        GetWindowTextA(editor_, s.data(), n + 1);
        text = CutAtNul(s);
    }
    PropertyItem* item = editing_;
    HWND e = editor_;
    editor_ = nullptr;
    editing_ = nullptr;
    editorHook_.Detach();
    DestroyWindow(e);
    ending_ = false;
    // The editor is gone before anyone hears of the change.
    if (commit && item && !text.empty())
        model_.CommitUserText(*item, text);
    Refresh();
    if (hwnd_ && GetFocus() == nullptr)
        ::SetFocus(hwnd_);
}

bool PropertyGrid::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (PaintWhole(hwnd_, msg, result, [this](HDC dc) { Paint(dc); }))
        return true;
    switch (msg) {
    case WM_APP + 0x60:
        EndEdit(wp != 0);
        result = 0;
        return true;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == editor_ && editor_) {
            if (HIWORD(wp) == EN_KILLFOCUS || HIWORD(wp) == CBN_KILLFOCUS)
                PostMessageA(hwnd_, WM_APP + 0x60, 1, 0);
            else if (HIWORD(wp) == CBN_SELENDOK)
                PostMessageA(hwnd_, WM_APP + 0x60, 1, 0);
            result = 0;
            return true;
        }
        return false;
    case WM_LBUTTONDOWN: {
        EndEdit(true);
        ::SetFocus(hwnd_);
        if (PropertyItem* item = RowAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp))) {
            model_.Select(item);
            Refresh();
            model_.RaiseClick(*item);
        }
        return false;
    }
    case WM_LBUTTONDBLCLK:
        if (PropertyItem* item = RowAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)))
            BeginEdit(*item);
        return false;
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return true;
    case WM_KEYDOWN: {
        auto lines = Lines();
        int at = -1;
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i].item && lines[i].item == model_.Selected())
                at = static_cast<int>(i);
        if (wp == VK_UP || wp == VK_DOWN) {
            int step = wp == VK_UP ? -1 : 1;
            for (int i = at + step; i >= 0 && i < static_cast<int>(lines.size()); i += step)
                if (lines[static_cast<size_t>(i)].item) {
                    model_.Select(lines[static_cast<size_t>(i)].item);
                    Refresh();
                    break;
                }
        } else if ((wp == VK_RETURN || wp == VK_F4) && model_.Selected()) {
            BeginEdit(*model_.Selected());
        }
        return false;
    }
    case WM_VSCROLL: {
        int n = static_cast<int>(Lines().size());
        switch (LOWORD(wp)) {
        case SB_LINEUP: --top_; break;
        case SB_LINEDOWN: ++top_; break;
        case SB_PAGEUP: top_ -= 5; break;
        case SB_PAGEDOWN: top_ += 5; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top_ = HIWORD(wp); break;
        default: break;
        }
        EndEdit(true);
        top_ = std::clamp(top_, 0, std::max(0, n - 1));
        Refresh();
        result = 0;
        return true;
    }
    case WM_SIZE:
        EndEdit(true);
        Refresh();
        return false;
    default:
        return false;
    }
}

}  // namespace platform::forms

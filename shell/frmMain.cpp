#include "shell/frmMain.h"

#include <iterator>
#include <vector>

#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "inspect/frmGlyphs.h"
#include "inspect/frmPropViewer.h"
#include "inspect/frmPropertyFont.h"
#include "inspect/frmPropertyTB.h"
#include "inspect/frmPropertyViewer.h"
#include "platform/LoadedForms.h"
#include "platform/forms/App.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Seams.h"
#include "preview/frmAllFonts.h"
#include "preview/frmBig.h"
#include "preview/frmFontBrowser.h"
#include "preview/frmViewer.h"
#include "platform/ScopedWin.h"
#include "shell/DockLibrary.h"
#include "shell/DrawnIcons.h"
#include "shell/LogFailure.h"
#include "shell/MainMenuTable.h"
#include "shell/MenuImages.h"
#include "shell/ShellSettings.h"
#include "shell/frmFonts.h"
#include "shell/frmHelp.h"
#include "tools/frmFontPackager.h"
#include "tools/frmProcess.h"

namespace Forms {
platform::forms::FormRef<::frmMain> frmMain;
}

using namespace platform::forms;

namespace {

// The keys of the menu pictures, in the image list's order.
constexpr const char* kImageKeys[] = {
    "zoom", "FontSize", "About", "Save", "Print", "Italic", "Underline", "Bold", "Open", "Font", "Strike", "FontStyle", "Refresh",
    "CharMap", "FontAdd", "FontRemove", "Prop", "Find", "Register", "Email", "help", "Select", "Check", "Uncheck", "Window", "Proof"};

struct MenuImageRow {
    const char* key;
    const char* menu;
    int index;
};
// Which item shows which picture, in the order they are given to the component.
constexpr MenuImageRow kMenuImages[] = {
    {"About", "mnuAbout", -1},          {"Refresh", "mnuViewerRefresh", -1}, {"Proof", "mnuFontProof", -1},
    {"Print", "mnuPrint", -1},          {"CharMap", "mnuSysCharMap", -1},    {"FontStyle", "mnuDisplayStyle", -1},
    {"FontSize", "mnuFSMain", -1},      {"FontAdd", "mnuInstallFontMain", -1}, {"FontRemove", "mnuUninstallFont", -1},
    {"Prop", "mnuFontPUFileProp", -1},  {"Find", "mnuFindFont", -1},         {"Email", "mnuSendComment", -1},
    {"Register", "mnuRegister", -1},    {"help", "mnuHelpFileContents", -1}, {"Select", "mnuFontProofSelect", -1},
    {"Check", "mnuCheck", 0},           {"Uncheck", "mnuCheck", 1},          {"Window", "mnuView", 12},
    {"zoom", "mnuShowZoom", -1}};

// The pages of the Internet Links menu, by item index ("" for the separators).
constexpr const char* kLinks[] = {"https://www.quillerypro.example/",
                                  "https://www.tamsel.example/forum/index.php?board=29.0",
                                  "https://www.tamsel.example/",
                                  "",
                                  "https://www.actionfonts.example/",
                                  "https://www.fontsnthings.example/",
                                  "",
                                  "https://www.myfonts.example/WhatTheFont/",
                                  "https://www.identifont.example/"};

// A program of the system by its full path: a file of that name in the working folder
// must not be started instead.
std::string SystemProgram(bool windowsFolder, const char* file)
{
    char dir[MAX_PATH] = {};
    UINT n = windowsFolder ? GetWindowsDirectoryA(dir, MAX_PATH) : GetSystemDirectoryA(dir, MAX_PATH);
    return (n ? std::string(dir, n) + "\\" : std::string()) + file;
}

constexpr const char* kExitQuestion =
    "You have fonts pending removal.  Do you want to exit without removing them?";

// Toggles a pane; a window that is not loaded yet is shown instead when asked.
template <class F>
void TogglePane(FormRef<F>& ref, bool showWhenNotLoaded)
{
    if (showWhenNotLoaded && !ref.IsLoaded()) {
        ref->Show();
        return;
    }
    F& f = *ref;
    f.PaneVisible(!f.PaneVisible());
}

}  // namespace

frmMain::frmMain() : MDIForm("frmMain")
{
    for (Component* c : Components())
        if (auto* m = dynamic_cast<Menu*>(c))
            menuIndex_[{m->Name(), m->Index()}] = m;
    WireMenus();
}

frmMain::~frmMain() = default;

Menu* frmMain::FindMenu(const std::string& name, int index)
{
    auto it = menuIndex_.find({name, index});
    return it == menuIndex_.end() ? nullptr : it->second;
}

void frmMain::Design()
{
    ClientSize(14040, 11100);
    BackColor(platform::forms::SysColor(COLOR_APPWORKSPACE));
    restorePending_ = false;
    exitAgreed_ = false;
    platform::ComPtr<IClassFactory> factory(DockLibrary::ClassFactory(dock::kClsidDockFrame));
    if (factory)
        Dock1.Factory(factory.Get());
    else
        Dock1.ClassId(dock::kClsidDockFrame);
    if (sb.PanelCount() == 0) {
        sb.AddPanel("", 2540);
        sb.AddPanel("", 19076);
        sb.AddPanel("", 1235, sbrCaps);
        sb.AddPanel("", 1235, sbrNum);
    }
    if (imgList.Count() == 0)
        for (const char* key : kImageKeys)
            imgList.AddIcon(key, DrawnIcons::Get(key, 16));
    BuildMenuTree();
}

void frmMain::BuildMenuTree()
{
    std::vector<Menu*> parents;
    for (const MenuRow& r : MainMenuTable::Rows()) {
        Menu* m = FindMenu(r.name, r.index);
        if (!m)
            continue;
        parents.resize(static_cast<size_t>(r.depth));
        if (r.depth > 0 && parents.back())
            m->Parent(*parents.back());
        m->Caption(r.caption);
        m->Shortcut(r.shortcut);
        m->Visible(!(r.flags & MenuRow::kHidden));
        m->Enabled(!(r.flags & MenuRow::kDisabled));
        m->Checked((r.flags & MenuRow::kChecked) != 0);
        parents.push_back(m);
    }
}

void frmMain::WireMenus()
{
    mnuExit.Click = [this] { Unload(vbFormCode); };
    mnuPresetViews.OnClick([this](int i) {
        if (i == 0)
            DefaultLayouts(true);
        else if (i == 1)
            SimpleLayout();
        else
            ViewLayout();
        ShowPresetTick(i);
    });
    mnuView.OnClick([this](int i) {
        try {
            switch (i) {
            case 0: TogglePane(Forms::frmFonts, false); break;
            case 1: TogglePane(Forms::frmFontBrowser, false); break;
            case 3: TogglePane(Forms::frmBig, true); break;
            case 4: TogglePane(Forms::frmFontPackager, true); break;
            case 5: TogglePane(Forms::frmAllFonts, true); break;
            case 7: TogglePane(Forms::frmPropertyFont, false); break;
            case 8: TogglePane(Forms::frmPropertyViewer, false); break;
            case 9: TogglePane(Forms::frmPropertyTB, true); break;
            case 11:
                ClearLayout();
                for (int k = 0; k < mnuView.Count(); ++k)
                    mnuView(k).Checked(false);
                break;
            default: break;
            }
        } catch (const std::exception& e) {
            LogFailure("frmMain: mnuView_Click", e);
        }
    });
    mnuHelp.Click = [] { TogglePane(Forms::frmHelp, false); };
    mnuDS.OnClick([this](int i) {
        try {
            if (modMain::FontModel)
                modMain::FontModel->Display()->Style(static_cast<std::int16_t>(i + 1));
            Forms::frmViewer->UpdateDisplay("");
            for (int k = 0; k < mnuDS.Count(); ++k)
                mnuDS(k).Checked(k == i);
        } catch (const std::exception& e) {
            LogFailure("frmMain: mnuDS_Click", e);
        }
    });
    mnuViewerRefresh.Click = [] {
        try {
            Forms::frmViewer->UpdateDisplay("");
        } catch (const std::exception& e) {
            LogFailure("frmMain: mnuViewerRefresh_Click", e);
        }
    };
    mnuHelpFileContents.Click = [] { ShowHelp(App::Path() + "\\quillery pro.chm", 1, 0); };
    mnuHelpFileIndex.Click = [] { ShowHelp(App::Path() + "\\quillery pro.chm", 2, 0); };
    mnuExplorerFontFolder.Click = [] {
        const std::string fonts = modMain::FontModel ? modMain::FontModel->FontFolder() : std::string();
        ShellOpen("Open", SystemProgram(true, "explorer.exe"), "/e,/root," + fonts, "", SW_SHOWNORMAL);
    };
    mnuSysCharMap.Click = [] {
        if (!ShellOpen("", SystemProgram(false, "charmap.exe"), "", "", SW_SHOWNORMAL))
            modMain::LogError("frmMain: mnuSysCharMap_Click", 53, "charmap.exe could not be started");
    };
    mnuInternetLink.OnClick([](int i) {
        if (i >= 0 && i < static_cast<int>(std::size(kLinks)) && *kLinks[i])
            ShellOpen("", kLinks[i], "", "C:\\", SW_SHOWNORMAL);
    });
    mnuSendComment.Click = [this] { modMain::OpenEmail(hWnd()); };
    mnuGlyph.Click = [] { TogglePane(Forms::frmGlyphs, true); };
    mnuFontProof.Click = [this] { ShowProof(false); };
    mnuFontProofSelect.Click = [this] { ShowProof(true); };
    mnuCheck.OnClick([](int i) {
        // The main menu's checks act only while the tree can be seen; the tree's popup
        // acts in any case.
        if (Forms::frmFonts.IsLoaded() && Forms::frmFonts->PaneVisible())
            Forms::frmFonts->ToggleChecks(i == 0);
    });
    mnuFontPUCheck.OnClick([](int i) { Forms::frmFonts->ToggleChecks(i == 0); });
    mnuEmptyProcess.Click = [] {
        try {
            if (modMain::FontModel)
                modMain::FontModel->Processes()->Clear();
            Forms::frmViewer->SetQueuePicture("Empty");
        } catch (const std::exception& e) {
            LogFailure("frmMain: mnuEmptyProcess_Click", e);
        }
    };
}

void frmMain::ShowProof(bool checkedOnly)
{
    MousePointer(vbHourglass);
    try {
        if (checkedOnly)
            Forms::frmViewer->ShowProofSheetSelected();
        else
            Forms::frmViewer->ShowProofSheet();
        // Quick Size applies to proof sheets only.
        mnuFSMain.Enabled(true);
    } catch (const std::exception& e) {
        LogFailure(checkedOnly ? "frmMain: mnuFontProofSelect_Click" : "frmMain: mnuFontProof_Click", e);
    }
    MousePointer(vbDefault);
}

void frmMain::ShowPresetTick(int index)
{
    for (int k = 0; k < mnuPresetViews.Count(); ++k)
        mnuPresetViews(k).Checked(k == index);
}

// ---- The docking frame ------------------------------------------------------------

void frmMain::ClearLayout() { Dock1.Invoke(static_cast<DISPID>(FrameDispId::ClearLayout), DISPATCH_METHOD); }

void frmMain::SetRegRootKey(RegRootKey root)
{
    Dock1.Invoke(static_cast<DISPID>(FrameDispId::SetRegRootKey), DISPATCH_METHOD, {Var::I4(static_cast<long>(root))});
}

void frmMain::LoadStates(const std::string& key)
{
    Dock1.Invoke(static_cast<DISPID>(FrameDispId::LoadStates), DISPATCH_METHOD, {Var::Str(key)});
}

void frmMain::SaveStates(const std::string& key)
{
    Dock1.Invoke(static_cast<DISPID>(FrameDispId::SaveStates), DISPATCH_METHOD, {Var::Str(key)});
}

void frmMain::DragAreaStyle(DragHandle style)
{
    Dock1.Invoke(static_cast<DISPID>(FrameDispId::DragAreaStyle), DISPATCH_PROPERTYPUT, {Var::I4(static_cast<long>(style))});
}

DragHandle frmMain::DragAreaStyle()
{
    return static_cast<DragHandle>(Dock1.Invoke(static_cast<DISPID>(FrameDispId::DragAreaStyle), DISPATCH_PROPERTYGET).AsLong());
}

// ---- Load ---------------------------------------------------------------------------

void frmMain::Form_Load()
{
    try {
        LoadSteps();
    } catch (const std::exception& e) {
        LogFailure("START", e);
    }
}

void frmMain::LoadSteps()
{
    Forms::frmViewer->SetQueuePicture("Empty");
    Caption("Quillery Pro ");
    // The saved layout is read after the first layout's ClearLayout (which would throw
    // it away), see RestoreSavedLayout.
    restorePending_ = ShellSettings::Get("window_settings", "") == "True";
    DragAreaStyle(ShellSettings::Get("title_window", "True") == "True" ? DragHandle::TextDisplay
                                                                      : DragHandle::NoTextDisplay);
    Forms::frmViewer->Show();
    DefaultLayouts(false);
    AttachMenuImages();
    // The tip of the day ("tip_of_day" "1") opens here once its window exists.
    const int count = modMain::FontModel ? modMain::FontModel->Fonts()->Count() : 0;
    sb.PanelText(1, std::to_string(count) + " installed fonts");
}

void frmMain::AttachMenuImages()
{
    menuImages_ = std::make_unique<MenuImages>();
    menuImages_->Attach(hWnd());
    menuImages_->ImageList(imgList.Handle());
    menuImages_->Enable(true);
    menuImages_->Colours(0x333333, 0xFFFFFF);
    for (const MenuImageRow& r : kMenuImages)
        if (Menu* m = FindMenu(r.menu, r.index))
            menuImages_->AddImage(m->Caption(), imgList.IndexOf(r.key) - 1);
}

void frmMain::RestoreSavedLayout()
{
    if (!restorePending_)
        return;
    restorePending_ = false;
    SetRegRootKey(RegRootKey::KeyCurentUser);
    LoadStates(ShellSettings::LayoutKey());
}

// ---- Layouts ------------------------------------------------------------------------

namespace {

// Every preset puts the viewer settings below the installed fonts, 250 high.
void ViewerBelowFonts(PaneForm& viewer, PaneForm& fonts)
{
    viewer.SetLayoutReference(fonts);
    viewer.InitDockHW(250);
    viewer.InitDockStyle(DockStyle::DockToBottom);
}

void DockAndShow(PaneForm& pane, DockStyle side)
{
    pane.InitDockStyle(side);
    pane.PaneVisible(true);
}

}  // namespace

void frmMain::DefaultLayouts(bool showPanes)
{
    try {
        ClearLayout();
        RestoreSavedLayout();
        auto show = [showPanes](PaneForm& f) {
            if (showPanes)
                f.PaneVisible(true);
            else
                f.Show();
        };
        frmPropertyTB& tb = *Forms::frmPropertyTB;
        tb.InitDockStyle(DockStyle::DockToTop);
        show(tb);
        frmFonts& fonts = *Forms::frmFonts;
        fonts.InitDockStyle(DockStyle::DockToLeft);
        show(fonts);
        frmHelp& help = *Forms::frmHelp;
        help.InitDockStyle(DockStyle::DockToBottom);
        show(help);
        frmFontBrowser& browser = *Forms::frmFontBrowser;
        browser.InitDockStyle(DockStyle::DockToNone);
        browser.PinState(PinType::Pinned);
        browser.SetLayoutReference(fonts);
        show(browser);
        frmPropertyViewer& viewer = *Forms::frmPropertyViewer;
        ViewerBelowFonts(viewer, fonts);
        show(viewer);
        frmPropertyFont& props = *Forms::frmPropertyFont;
        props.InitDockStyle(DockStyle::DockToRight);
        show(props);
        fonts.PaneVisible(true);
    } catch (const std::exception& e) {
        LogFailure("frmMain: DefaultLayouts", e);
    }
}

void frmMain::SimpleLayout()
{
    try {
        ClearLayout();
        frmFonts& fonts = *Forms::frmFonts;
        DockAndShow(fonts, DockStyle::DockToLeft);
        frmPropertyViewer& viewer = *Forms::frmPropertyViewer;
        ViewerBelowFonts(viewer, fonts);
        viewer.PaneVisible(true);
    } catch (const std::exception& e) {
        LogFailure("frmMain: SimpleLayout", e);
    }
}

void frmMain::ViewLayout()
{
    try {
        ClearLayout();
        frmFonts& fonts = *Forms::frmFonts;
        DockAndShow(fonts, DockStyle::DockToLeft);
        DockAndShow(*Forms::frmFontBrowser, DockStyle::DockToRight);
        DockAndShow(*Forms::frmPropertyFont, DockStyle::DockToBottom);
        frmPropertyViewer& viewer = *Forms::frmPropertyViewer;
        ViewerBelowFonts(viewer, fonts);
        viewer.PaneVisible(true);
    } catch (const std::exception& e) {
        LogFailure("frmMain: ViewLayout", e);
    }
}

// ---- Exit ---------------------------------------------------------------------------

void frmMain::QueryExit(int& cancel)
{
    try {
        if (Forms::frmViewer.IsLoaded() && Forms::frmViewer->QueuePicture() == "Full") {
            if (MsgBox(kExitQuestion, vbYesNo | vbQuestion, "Quillery Pro") == vbNo) {
                cancel = 1;
                Forms::frmProcess->Show();
                return;
            }
        }
        if (ShellSettings::Get("window_settings", "") == "True") {
            SetRegRootKey(RegRootKey::KeyCurentUser);
            SaveStates(ShellSettings::LayoutKey());
        }
    } catch (const std::exception& e) {
        LogFailure("frmMain: MDIForm_QueryUnload", e);
    }
    exitAgreed_ = true;
}

// The question comes before the child windows go (the queue indicator is one of them),
// and while the panes still stand, so the saved layout is the one the user sees.
bool frmMain::BeforeUnload(int mode)
{
    if (!exitAgreed_) {
        int cancel = 0;
        QueryExit(cancel);
        if (cancel)
            return false;
    }
    // A child window that refuses to close keeps the program: ask again next time.
    if (!MDIForm::BeforeUnload(mode)) {
        exitAgreed_ = false;
        return false;
    }
    return true;
}

void frmMain::Form_Unload(int&)
{
    UnloadOtherWindows();
    menuImages_.reset();
}

// Every other window, the last loaded first: the panes go while the frame still stands.
void frmMain::UnloadOtherWindows()
{
    std::vector<platform::LoadedForm*> forms = platform::LoadedFormsSnapshot();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (*it != this && platform::IsFormRegistered(*it))
            (*it)->Unload();
}

bool frmMain::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_QUERYENDSESSION) {
        int cancel = 0;
        exitAgreed_ = false;
        QueryExit(cancel);
        result = cancel ? FALSE : TRUE;
        return true;
    }
    if (msg == WM_ENDSESSION) {
        if (wp)
            Unload(vbAppWindows);
        else
            exitAgreed_ = false;  // the session goes on: ask again at the next close
        result = 0;
        return true;
    }
    return false;
}

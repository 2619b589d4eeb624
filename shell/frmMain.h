#pragma once
// The program's main window: an MDI frame whose client area the docking frame Dock1
// takes over, with the menu bar, the status bar and the preset pane layouts.
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/controls/ImageList.h"
#include "platform/controls/StatusBar.h"
#include "platform/forms/MDIForm.h"
#include "platform/forms/Menu.h"
#include "platform/ole/OleControl.h"
#include "shell/DockTypes.h"
#include "shell/MenuArray.h"

class MenuImages;

class frmMain : public platform::forms::MDIForm {
public:
    frmMain();
    ~frmMain() override;

    platform::forms::OleControl Dock1{*this, "Dock1"};
    platform::forms::StatusBar sb{*this, "sb"};
    platform::forms::ImageList imgList{*this, "imgList"};
    platform::forms::ImageList ImageList1{*this, "ImageList1"};

    // The menu bar and the hidden popup menus, in display order.
    using Menu = platform::forms::Menu;
    Menu mnuViewerPopup{*this, "mnuViewerPopup"};
    Menu mnuCopyMain{*this, "mnuCopyMain"};
    MenuArray mnuCopy{*this, "mnuCopy", 2};
    Menu mnuMoveMain{*this, "mnuMoveMain"};
    MenuArray mnuMove{*this, "mnuMove", 2};
    Menu s922{*this, "s922"};
    Menu mnuFindFont{*this, "mnuFindFont"};
    Menu s98{*this, "s98"};
    Menu mnuInstallFontMain{*this, "mnuInstallFontMain"};
    MenuArray mnuInstallFont{*this, "mnuInstallFont", 2};
    Menu mnuUninstallFont{*this, "mnuUninstallFont"};
    Menu mnuUninstallSafe{*this, "mnuUninstallSafe"};
    Menu mnuUninstallDelete{*this, "mnuUninstallDelete"};
    Menu s3{*this, "s3"};
    Menu mnuPrint{*this, "mnuPrint"};
    Menu s83{*this, "s83"};
    Menu mnuArchive{*this, "mnuArchive"};
    Menu mnuExit{*this, "mnuExit"};
    Menu mnuViewMain{*this, "mnuViewMain"};
    MenuArray mnuView{*this, "mnuView", 13};
    MenuArray mnuPresetViews{*this, "mnuPresetViews", 3};
    Menu mnuFavorites{*this, "mnuFavorites"};
    Menu mnuAddFav{*this, "mnuAddFav"};
    Menu mnuOrgFav{*this, "mnuOrgFav"};
    Menu s91{*this, "s91"};
    MenuArray mnuFavs{*this, "mnuFavs", 1};
    Menu s75{*this, "s75"};
    Menu mnuPreviewFavs{*this, "mnuPreviewFavs"};
    Menu mnuTools{*this, "mnuTools"};
    Menu mnuRepairReg{*this, "mnuRepairReg"};
    Menu mnuExport{*this, "mnuExport"};
    Menu mnuGlyph{*this, "mnuGlyph"};
    Menu s785{*this, "s785"};
    Menu mnuShowZoom{*this, "mnuShowZoom"};
    Menu mnuHideZoom{*this, "mnuHideZoom"};
    Menu s94{*this, "s94"};
    Menu mnuRefreshInstallFonts{*this, "mnuRefreshInstallFonts"};
    Menu s9{*this, "s9"};
    Menu mnuOptions{*this, "mnuOptions"};
    Menu mnuDisplay{*this, "mnuDisplay"};
    Menu mnuViewerRefresh{*this, "mnuViewerRefresh"};
    Menu mnuDisplayStyle{*this, "mnuDisplayStyle"};
    MenuArray mnuDS{*this, "mnuDS", 4};
    Menu mnuColorSchemeMain{*this, "mnuColorSchemeMain"};
    Menu s1{*this, "s1"};
    Menu mnuFontProof{*this, "mnuFontProof"};
    Menu mnuFontProofSelect{*this, "mnuFontProofSelect"};
    MenuArray mnuCheck{*this, "mnuCheck", 2};
    Menu mnuFSMain{*this, "mnuFSMain"};
    MenuArray mnuFontSize{*this, "mnuFontSize", 3};
    Menu mnuWindow{*this, "mnuWindow"};
    Menu mnuTest{*this, "mnuTest"};
    Menu mnuHelpFileContents{*this, "mnuHelpFileContents"};
    Menu mnuHelpFileIndex{*this, "mnuHelpFileIndex"};
    Menu s92{*this, "s92"};
    Menu mnuHelp{*this, "mnuHelp"};
    Menu mnuTip{*this, "mnuTip"};
    Menu s2{*this, "s2"};
    Menu mnuRun{*this, "mnuRun"};
    Menu mnuExplorerFontFolder{*this, "mnuExplorerFontFolder"};
    Menu mnuSysCharMap{*this, "mnuSysCharMap"};
    Menu s23{*this, "s23"};
    Menu mnuLinks{*this, "mnuLinks"};
    MenuArray mnuInternetLink{*this, "mnuInternetLink", 9};
    Menu mnuSendComment{*this, "mnuSendComment"};
    Menu s2423{*this, "s2423"};
    Menu mnuRegister{*this, "mnuRegister"};
    Menu mnuAbout{*this, "mnuAbout"};
    Menu mnuFontsBrowsePopup{*this, "mnuFontsBrowsePopup"};
    Menu mnuPUFontInstallMain{*this, "mnuPUFontInstallMain"};
    MenuArray mnuPUFontInstall{*this, "mnuPUFontInstall", 2};
    Menu mnuFontsPopup{*this, "mnuFontsPopup"};
    Menu mnuFontPUFind{*this, "mnuFontPUFind"};
    Menu sep2{*this, "sep2"};
    Menu mnuCopyMainPopup{*this, "mnuCopyMainPopup"};
    MenuArray mnuCopyPopup{*this, "mnuCopyPopup", 2};
    Menu mnuMoveMainPopup{*this, "mnuMoveMainPopup"};
    MenuArray mnuMovePopup{*this, "mnuMovePopup", 2};
    Menu s72{*this, "s72"};
    Menu mnuFontPUUninstallMain{*this, "mnuFontPUUninstallMain"};
    MenuArray mnuFontPUUninstall{*this, "mnuFontPUUninstall", 2};
    Menu s78{*this, "s78"};
    Menu mnuPropView{*this, "mnuPropView"};
    Menu mnuFontPUFileProp{*this, "mnuFontPUFileProp"};
    Menu mnuFontPUCharMap{*this, "mnuFontPUCharMap"};
    Menu s90{*this, "s90"};
    MenuArray mnuFontPUCheck{*this, "mnuFontPUCheck", 2};
    Menu mnuProcessPopup{*this, "mnuProcessPopup"};
    Menu mnuEmptyProcess{*this, "mnuEmptyProcess"};

    // The preset layouts. With showPanes the panes are made visible through their
    // PaneVisible, otherwise each pane window is shown.
    void DefaultLayouts(bool showPanes);
    void SimpleLayout();
    void ViewLayout();

    // The docking frame's members (late-bound).
    void ClearLayout();
    void SetRegRootKey(RegRootKey root);
    void LoadStates(const std::string& key);
    void SaveStates(const std::string& key);
    void DragAreaStyle(DragHandle style);
    DragHandle DragAreaStyle();

    // A menu item by name and index (-1 outside a group); nullptr when there is none.
    Menu* FindMenu(const std::string& name, int index = -1);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    bool BeforeUnload(int mode) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void BuildMenuTree();
    void WireMenus();
    void LoadSteps();
    // The question before closing and the layout save; cancel when the user says No.
    void QueryExit(int& cancel);
    // The saved layout, once per load, right after the first layout's ClearLayout.
    void RestoreSavedLayout();
    void ShowPresetTick(int index);
    // Preview All Fonts / Preview Selected Fonts.
    void ShowProof(bool checkedOnly);
    void UnloadOtherWindows();
    void AttachMenuImages();

    std::map<std::pair<std::string, int>, Menu*> menuIndex_;
    std::unique_ptr<MenuImages> menuImages_;
    bool restorePending_ = false;
    bool exitAgreed_ = false;
};

namespace Forms {
extern platform::forms::FormRef<::frmMain> frmMain;
}

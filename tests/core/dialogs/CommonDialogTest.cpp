#include <windows.h>
#include <cderr.h>
#include <commctrl.h>
#include <dlgs.h>

#include <cstring>

#include <gtest/gtest.h>

#include "DialogDriver.h"
#include "FakePrinters.h"
#include "core/dialogs/cCommonDialog.h"
#include "support/TestEnv.h"

using ql::test::DialogDriver;

namespace {

std::string Nul(const char* s, size_t n) { return std::string(s, n); }

// What the fake print dialog saw and what it answers.
struct PrintDialogScript {
    bool confirm = false;
    std::string chosenDevice;  // written whole into DEVNAMES, cut to 31 in DEVMODE
    std::string seenDriver, seenDevice, seenPort;
    short seenOrientation = 0;
    HWND seenOwner = nullptr;
} g_print;

BOOL WINAPI FakePrintDlg(LPPRINTDLGA pd)
{
    auto* names = static_cast<const char*>(GlobalLock(pd->hDevNames));
    auto* dn = reinterpret_cast<const DEVNAMES*>(names);
    g_print.seenDriver = names + dn->wDriverOffset;
    g_print.seenDevice = names + dn->wDeviceOffset;
    g_print.seenPort = names + dn->wOutputOffset;
    EXPECT_EQ(GlobalSize(pd->hDevNames),
              sizeof(DEVNAMES) + g_print.seenDriver.size() + g_print.seenDevice.size() + g_print.seenPort.size() + 3);
    GlobalUnlock(pd->hDevNames);
    auto* dm = static_cast<DEVMODEA*>(GlobalLock(pd->hDevMode));
    g_print.seenOrientation = dm->dmOrientation;
    g_print.seenOwner = pd->hwndOwner;
    GlobalUnlock(pd->hDevMode);
    if (!g_print.confirm)
        return FALSE;
    // The dialog hands back blocks of its own.
    GlobalFree(pd->hDevMode);
    GlobalFree(pd->hDevNames);
    DEVMODEA out{};
    out.dmSize = sizeof out;
    lstrcpynA(reinterpret_cast<char*>(out.dmDeviceName), g_print.chosenDevice.c_str(), CCHDEVICENAME);
    out.dmCopies = 3;
    out.dmDuplex = 2;
    out.dmOrientation = 2;
    out.dmPaperSize = 9;
    out.dmPrintQuality = -4;
    out.dmColor = 2;
    out.dmDefaultSource = 7;
    pd->hDevMode = GlobalAlloc(GMEM_MOVEABLE, sizeof out);
    std::memcpy(GlobalLock(pd->hDevMode), &out, sizeof out);
    GlobalUnlock(pd->hDevMode);
    auto block = cCommonDialog::BuildDevNames("drv", g_print.chosenDevice, "PORT:");
    pd->hDevNames = GlobalAlloc(GMEM_MOVEABLE, block.size());
    std::memcpy(GlobalLock(pd->hDevNames), block.data(), block.size());
    GlobalUnlock(pd->hDevNames);
    return TRUE;
}

}  // namespace

TEST(cCommonDialog, FilterConversion)
{
    EXPECT_EQ(cCommonDialog::ConvertFilter("True Type Font (*.ttf)|*.ttf|Bitmap Font (*.fot)|*.fot"),
              Nul("True Type Font (*.ttf)\0*.ttf\0Bitmap Font (*.fot)\0*.fot\0\0", 56));
    EXPECT_EQ(cCommonDialog::ConvertFilter("A|*.a|"), Nul("A\0*.a\0\0", 7));  // a final bar adds nothing
    EXPECT_EQ(cCommonDialog::ConvertFilter("A||*.a"), Nul("A\0\0*.a\0\0", 8));
    EXPECT_EQ(cCommonDialog::ConvertFilter(""), "");
    cCommonDialog d;
    d.SetFilter("Fonts|*.ttf");
    EXPECT_EQ(d.Filter(), "Fonts|*.ttf");
}

TEST(cCommonDialog, ParseFileNamesJoinsFolderAndNames)
{
    cCommonDialog d;
    d.SetFilename("C:\\Fonts\\a.ttf");
    EXPECT_EQ(d.ParseFileNames(), std::vector<std::string>{"C:\\Fonts\\a.ttf"});
    d.SetFilename(Nul("C:\\Fonts\0a.ttf\0b.ttf", 20));
    EXPECT_EQ(d.ParseFileNames(), (std::vector<std::string>{"C:\\Fonts\\a.ttf", "C:\\Fonts\\b.ttf"}));
    d.SetFilename(Nul("C:\\\0a.ttf\0b.ttf\0\0", 17));
    EXPECT_EQ(d.ParseFileNames(), (std::vector<std::string>{"C:\\a.ttf", "C:\\b.ttf"}));
    d.SetMaxFileSize(256);  // the untouched buffer of a cancelled dialog
    EXPECT_EQ(d.Filename().size(), 256u);
    EXPECT_TRUE(d.ParseFileNames().empty());
}

TEST(cCommonDialog, DeviceNamesHoldLongNamesWhole)
{
    std::string device(150, 'D'), port = "\\\\a-print-server.example\\queue-with-a-long-name";
    auto block = cCommonDialog::BuildDevNames("winspool", device, port);
    DEVNAMES dn;
    std::memcpy(&dn, block.data(), sizeof dn);
    EXPECT_EQ(dn.wDriverOffset, 8);
    EXPECT_EQ(dn.wDeviceOffset, 8 + 9);
    EXPECT_EQ(dn.wOutputOffset, 8 + 9 + 151);
    EXPECT_EQ(block.size(), 8u + 9 + 151 + port.size() + 1);
    EXPECT_EQ(block.back(), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block.data()) + dn.wOutputOffset), port);
    EXPECT_EQ(cCommonDialog::DevNamesDevice(block.data(), block.size()), device);
    // A block cut short is read only up to its end.
    EXPECT_EQ(cCommonDialog::DevNamesDevice(block.data(), 8 + 9 + 20), std::string(20, 'D'));
    EXPECT_EQ(cCommonDialog::DevNamesDevice(block.data(), 4), "");
}

TEST(cCommonDialog, CancelledPrintDialogAbortsTheJob)
{
    ql::test::FakePrinters printers;
    printers.At(0).orientation = 2;
    g_print = {};
    cCommonDialog d;
    d.api.PrintDialog = FakePrintDlg;
    HWND owner = reinterpret_cast<HWND>(0x1234);
    d.SetOwnerHandle(owner);
    EXPECT_FALSE(d.ShowPrinter(0));
    EXPECT_EQ(g_print.seenDevice, "Office Laser");
    EXPECT_EQ(g_print.seenDriver, "winspool");
    EXPECT_EQ(g_print.seenPort, "LPT1:");
    EXPECT_EQ(g_print.seenOrientation, 2);
    EXPECT_EQ(g_print.seenOwner, owner);
    EXPECT_TRUE(printers.At(0).log.empty());  // no setting applied
    d.PrintDoc();
    EXPECT_EQ(printers.At(0).log, std::vector<std::string>{"killdoc"});
}

TEST(cCommonDialog, ConfirmedPrintDialogSwitchesPrinterAndAppliesSettings)
{
    ql::test::FakePrinters printers;
    g_print = {};
    g_print.confirm = true;
    // Longer than DEVMODE holds, and in other letter case.
    g_print.chosenDevice = "A PRINTER WITH A RATHER LONG NAME OF FORTY-TWO";
    printers.At(1).failPaperSize = true;  // one failing setting does not stop the rest
    cCommonDialog d;
    d.api.PrintDialog = FakePrintDlg;
    EXPECT_TRUE(d.ShowPrinter(0));
    EXPECT_EQ(printers.current, 1);
    auto& p = printers.At(1);
    EXPECT_EQ(p.log, (std::vector<std::string>{"copies", "duplex", "orientation", "paper", "quality", "color", "bin"}));
    EXPECT_EQ(p.copies, 3);
    EXPECT_EQ(p.duplex, 2);
    EXPECT_EQ(p.orientation, 2);
    EXPECT_EQ(p.quality, -4);
    EXPECT_EQ(p.colorMode, 2);
    EXPECT_EQ(p.bin, 7);
    d.PrintDoc();
    EXPECT_EQ(p.log.back(), "enddoc");

    // The same printer chosen again: no switch, the settings still applied.
    g_print.chosenDevice = "a printer with a rather long name of forty-two";
    p.log.clear();
    cCommonDialog again;
    again.api.PrintDialog = FakePrintDlg;
    EXPECT_TRUE(again.ShowPrinter(0));
    EXPECT_EQ(printers.current, 1);
    EXPECT_EQ(p.log.size(), 7u);
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ql::test::HaveDisplay())
            GTEST_SKIP() << "no display";
        dir = ql::test::MakeScratchDir("dialogs");
    }
    void TearDown() override
    {
        if (!dir.empty())
            ql::test::RemoveTree(dir);
    }
    std::string dir;
};

TEST_F(FileDialogs, CancelledOpenChangesNothing)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    cCommonDialog d;
    d.SetOwnerHandle(owner);
    d.SetInitDir(dir);
    d.SetFilter("Font Files (*.ttf)|*.ttf");
    d.SetFilename("proposed.ttf");
    DialogDriver driver([](HWND dlg) {
        DialogDriver::Press(dlg, IDCANCEL);
        return true;
    });
    EXPECT_EQ(d.ShowOpen(), 0);
    EXPECT_TRUE(driver.Ran());
    EXPECT_EQ(driver.DialogOwner(), owner);
    EXPECT_EQ(d.Filename(), std::string(256, '\0'));
    EXPECT_EQ(d.FileTitle(), "");
    EXPECT_EQ(d.path(), "");
    DestroyWindow(owner);
}

TEST_F(FileDialogs, OpenAndSaveReturnTheChosenName)
{
    ql::test::WriteFileBytes(dir + "\\chosen.ttf", "x");
    cCommonDialog d;
    d.SetInitDir(dir);
    d.SetDialogTitle("Pick a font");
    DialogDriver driver([](HWND dlg) {
        DialogDriver::TypeFileName(dlg, "chosen.ttf");
        DialogDriver::Press(dlg, IDOK);
        return true;
    });
    EXPECT_GT(d.ShowOpen(), 0);
    EXPECT_EQ(d.Filename(), dir + "\\chosen.ttf");
    EXPECT_EQ(d.FileTitle(), "chosen.ttf");
    EXPECT_EQ(d.path(), dir + "\\");
    EXPECT_EQ(d.ParseFileNames(), std::vector<std::string>{dir + "\\chosen.ttf"});

    cCommonDialog s;
    s.SetInitDir(dir);
    s.SetDefaultExt("rtf");
    DialogDriver saver([](HWND dlg) {
        DialogDriver::TypeFileName(dlg, "report");
        DialogDriver::Press(dlg, IDOK);
        return true;
    });
    EXPECT_GT(s.ShowSave(), 0);
    EXPECT_EQ(s.Filename(), dir + "\\report.rtf");
    EXPECT_EQ(s.FileTitle(), "report.rtf");
}

TEST_F(FileDialogs, MultipleSelectionOfManyFilesFits)
{
    std::string typed;
    std::vector<std::string> expected;
    for (int i = 0; i < 120; ++i) {
        std::string name = "font file number " + std::to_string(i) + ".ttf";
        ql::test::WriteFileBytes(dir + "\\" + name, "x");
        typed += "\"" + name + "\" ";
        expected.push_back(dir + "\\" + name);
    }
    cCommonDialog d;
    d.SetInitDir(dir);
    d.Setflags(OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST);
    DialogDriver driver([&](HWND dlg) {
        DialogDriver::TypeFileName(dlg, typed.c_str());
        DialogDriver::Press(dlg, IDOK);
        return true;
    });
    ASSERT_GT(d.ShowOpen(), 0) << "the list is far longer than 256 characters";
    auto files = d.ParseFileNames();
    std::sort(files.begin(), files.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(files, expected);
    EXPECT_EQ(d.path(), dir);
}

TEST_F(FileDialogs, BrowseReturnsTheSelectedFolder)
{
    cCommonDialog d;
    d.SetDialogTitle("Choose a folder");
    DialogDriver cancel([](HWND dlg) {
        DialogDriver::Press(dlg, IDCANCEL);
        return true;
    });
    EXPECT_EQ(d.Browse(), 0);
    EXPECT_EQ(d.path(), "");

    // The browser starts at the desktop; a folder on C: (inside the prefix) is one
    // it can walk to.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string target = std::string(temp) + "ql-browse-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(target.c_str(), nullptr);
    std::string leaf = target.substr(target.rfind('\\') + 1);
    // Ask for the folder until the tree shows it selected, then confirm.
    DialogDriver choose([&](HWND dlg) {
        SendMessageA(dlg, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
        HWND tree = FindWindowExA(dlg, nullptr, WC_TREEVIEWA, nullptr);
        auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        char text[MAX_PATH] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        if (!item || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)) ||
            lstrcmpiA(text, leaf.c_str()) != 0)
            return false;
        DialogDriver::Press(dlg, IDOK);
        return true;
    });
    EXPECT_NE(d.Browse(), 0);
    EXPECT_EQ(lstrcmpiA(d.path().c_str(), target.c_str()), 0) << d.path();
    RemoveDirectoryA(target.c_str());
}

namespace {

CHOOSECOLORA g_seenColor;
BOOL g_colorAnswer = FALSE;
BOOL WINAPI FakeChooseColor(LPCHOOSECOLORA cc)
{
    g_seenColor = *cc;
    if (g_colorAnswer)
        cc->rgbResult = RGB(1, 2, 3);
    return g_colorAnswer;
}

BOOL g_pageAnswer = FALSE;
BOOL WINAPI FakePageSetup(LPPAGESETUPDLGA ps)
{
    EXPECT_EQ(ps->lStructSize, sizeof(PAGESETUPDLGA));
    ps->hDevMode = GlobalAlloc(GMEM_MOVEABLE, 64);  // the dialog's blocks are freed
    return g_pageAnswer;
}

}  // namespace

TEST(cCommonDialog, ColourAndPageSetupDialogs)
{
    cCommonDialog d;
    d.api.ColorDialog = FakeChooseColor;
    g_colorAnswer = FALSE;
    EXPECT_EQ(d.ShowColor(false, 0), -1);
    EXPECT_EQ(g_seenColor.Flags, static_cast<DWORD>(CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR));
    EXPECT_EQ(g_seenColor.rgbResult, 0u);
    g_colorAnswer = TRUE;
    EXPECT_EQ(d.ShowColor(true, static_cast<int32_t>(0x8000000F)), static_cast<int32_t>(RGB(1, 2, 3)));
    EXPECT_TRUE(g_seenColor.Flags & CC_FULLOPEN);
    EXPECT_EQ(g_seenColor.rgbResult, GetSysColor(COLOR_BTNFACE));  // a system colour is translated
    EXPECT_NE(g_seenColor.lpCustColors, nullptr);

    d.api.PageSetupDialog = FakePageSetup;
    g_pageAnswer = FALSE;
    EXPECT_EQ(d.ShowPageSetupDlg(nullptr), -1);
    g_pageAnswer = TRUE;
    EXPECT_EQ(d.ShowPageSetupDlg(nullptr), 0);
}

namespace {
DWORD g_maxFileSeen = 0;
BOOL WINAPI FailingOpen(LPOPENFILENAMEA ofn)
{
    g_maxFileSeen = ofn->nMaxFile;
    return FALSE;
}
DWORD WINAPI BufferTooSmall() { return FNERR_BUFFERTOOSMALL; }
}  // namespace

TEST(cCommonDialog, FailedFileDialogReturnsMinusTheErrorCode)
{
    cCommonDialog d;
    d.api.OpenFileDlg = FailingOpen;
    d.api.ExtendedError = BufferTooSmall;
    d.Setflags(OFN_ALLOWMULTISELECT | OFN_EXPLORER);
    EXPECT_EQ(d.ShowOpen(), -12291);
    EXPECT_EQ(g_maxFileSeen, 32767u);
    EXPECT_EQ(d.Filename(), std::string(32767, '\0'));
    EXPECT_EQ(d.path(), "");
    d.Setflags(0);
    d.ShowOpen();
    EXPECT_EQ(g_maxFileSeen, 256u);
}

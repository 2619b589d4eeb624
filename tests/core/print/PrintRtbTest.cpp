#include <windows.h>
#include <richedit.h>

#include <cstring>

#include <gtest/gtest.h>

#include "core/print/cPrintRTB.h"
#include "core/dialogs/FakePrinters.h"
#include "support/TestEnv.h"

namespace {

bool g_confirm = true;

// Confirms (or cancels) with whatever printer was proposed.
BOOL WINAPI AnswerPrintDlg(LPPRINTDLGA pd) { return g_confirm; }

// A document of `length` characters of which each page takes `perPage`.
struct Pages {
    Pages(LONG length, LONG perPage) : length(length), perPage(perPage) {}
    LONG length;
    LONG perPage;
    std::vector<LONG> starts;
    std::vector<HDC> dcs;
    std::vector<RECT> rects;
    int frees = 0;
    cPrintRTB::FormatRange Fn()
    {
        return [this](HWND, WPARAM render, FORMATRANGE* fr) -> LONG {
            if (!fr) {
                ++frees;
                return 0;
            }
            EXPECT_TRUE(render);
            starts.push_back(fr->chrg.cpMin);
            dcs.push_back(fr->hdc);
            rects.push_back(fr->rc);
            EXPECT_EQ(fr->hdc, fr->hdcTarget);
            fr->rc.bottom = fr->rc.top + 100;  // as the control reports what it used
            return std::min(length, fr->chrg.cpMin + perPage);
        };
    }
};

int Count(const std::vector<std::string>& log, const char* what)
{
    return static_cast<int>(std::count(log.begin(), log.end(), what));
}

}  // namespace

TEST(cPrintRTB, MarginsAreMeasuredFromThePaperEdge)
{
    ql::test::FakePrinter p("Office Laser");
    HDC dc = CreateCompatibleDC(nullptr);  // no physical offset
    auto r = cPrintRTB::PageRects(p, dc, 360, 360, 360, 360);
    EXPECT_EQ(r.rc.left, 360);
    EXPECT_EQ(r.rc.top, 360);
    EXPECT_EQ(r.rc.right, 12240 - 360);
    EXPECT_EQ(r.rc.bottom, 15840 - 360);
    EXPECT_EQ(r.rcPage.right, 12240 - 288);
    EXPECT_EQ(r.rcPage.bottom, 15840 - 288);
    DeleteDC(dc);
}

TEST(cPrintRTB, AnEmptyDocumentPrintsOnePage)
{
    ql::test::FakePrinters printers;
    g_confirm = true;
    Pages doc{0, 100};
    cPrintRTB job;
    job.dialogApi.PrintDialog = AnswerPrintDlg;
    job.formatRange = doc.Fn();
    EXPECT_TRUE(job.PrintRTF(nullptr, 360, 360, 360, 360));  // no control: length 0
    EXPECT_EQ(doc.starts, std::vector<LONG>{0});
    EXPECT_EQ(doc.frees, 1);
    auto& log = printers.At(0).log;
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()), (std::vector<std::string>{"blank", "enddoc"}));
}

class RichEditPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ql::test::HaveDisplay())
            GTEST_SKIP() << "no display";
        LoadLibraryA("riched20.dll");
        rtb = CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
        ASSERT_NE(rtb, nullptr);
    }
    void TearDown() override
    {
        if (rtb)
            DestroyWindow(rtb);
    }
    void Fill(int lines)
    {
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "Line number " + std::to_string(i) + "\r\n";
        SetWindowTextA(rtb, text.c_str());
    }
    HWND rtb = nullptr;
};

TEST_F(RichEditPrinting, LengthCountsParagraphEndsOnce)
{
    Fill(200);
    LONG plain = static_cast<LONG>(GetWindowTextLengthA(rtb));
    LONG positions = cPrintRTB::TextLength(rtb);
    EXPECT_LT(positions, plain);
    EXPECT_GE(plain - positions, 199);
}

TEST_F(RichEditPrinting, PagesFollowTheControlUntilTheEnd)
{
    Fill(200);
    ql::test::FakePrinters printers;
    g_confirm = true;
    Pages doc{cPrintRTB::TextLength(rtb), 700};
    ASSERT_GT(doc.length, 2100);
    size_t pages = static_cast<size_t>((doc.length + 699) / 700);
    cPrintRTB job;
    job.dialogApi.PrintDialog = AnswerPrintDlg;
    job.formatRange = doc.Fn();
    EXPECT_TRUE(job.PrintRTF(rtb, 360, 360, 360, 360));
    ASSERT_EQ(doc.starts.size(), pages);
    EXPECT_EQ(doc.starts[1], 700);
    EXPECT_EQ(doc.starts[3], 2100);
    auto& p = printers.At(0);
    EXPECT_EQ(Count(p.log, "newpage"), static_cast<int>(pages) - 1);
    EXPECT_EQ(Count(p.log, "blank"), static_cast<int>(pages));
    EXPECT_EQ(p.log.back(), "enddoc");
    // Each page formats into the device context of its own page, over the full rectangle.
    for (size_t i = 0; i < doc.dcs.size(); ++i) {
        EXPECT_EQ(doc.dcs[i], p.pageDcs[i]);
        EXPECT_EQ(doc.rects[i].bottom, 15840 - 360);
    }
    EXPECT_EQ(doc.frees, 1);
}

TEST_F(RichEditPrinting, APageWithoutProgressEndsTheJob)
{
    Fill(50);
    ql::test::FakePrinters printers;
    g_confirm = true;
    // Stuck half-way: the same index again and again.
    Pages doc{cPrintRTB::TextLength(rtb), 300};
    cPrintRTB job;
    job.dialogApi.PrintDialog = AnswerPrintDlg;
    job.formatRange = [&](HWND h, WPARAM w, FORMATRANGE* fr) -> LONG {
        LONG n = doc.Fn()(h, w, fr);
        return fr ? std::min<LONG>(n, 300) : 0;
    };
    EXPECT_TRUE(job.PrintRTF(rtb, 360, 360, 360, 360));
    EXPECT_EQ(doc.starts, (std::vector<LONG>{0, 300}));
    EXPECT_EQ(printers.At(0).log.back(), "enddoc");
}

TEST_F(RichEditPrinting, TheRealControlEndsAtOnce)
{
    // Wine's control formats nothing and answers 0: one page, then the end.
    Fill(100);
    ql::test::FakePrinters printers;
    g_confirm = true;
    cPrintRTB job;
    job.dialogApi.PrintDialog = AnswerPrintDlg;
    EXPECT_TRUE(job.PrintRTF(rtb, 360, 360, 360, 360));
    auto& p = printers.At(0);
    EXPECT_LE(Count(p.log, "newpage"), 3);  // a real control may print a few pages
    EXPECT_EQ(p.log.back(), "enddoc");
}

TEST_F(RichEditPrinting, CancelledDialogPrintsNothing)
{
    Fill(10);
    ql::test::FakePrinters printers;
    g_confirm = false;
    Pages doc{cPrintRTB::TextLength(rtb), 5};
    cPrintRTB job;
    job.dialogApi.PrintDialog = AnswerPrintDlg;
    job.formatRange = doc.Fn();
    EXPECT_FALSE(job.PrintRTF(rtb, 360, 360, 360, 360));
    EXPECT_TRUE(doc.starts.empty());
    EXPECT_TRUE(printers.At(0).log.empty());
}

TEST_F(RichEditPrinting, RunawayDocumentsStopAtThePageCap)
{
    ql::test::FakePrinters printers;
    g_confirm = true;
    cPrintRTB job;
    job.dialogApi.PrintDialog = AnswerPrintDlg;
    Fill(10);
    int calls = 0;
    // Progress of one character a page on a document that claims to be endless.
    job.formatRange = [&](HWND, WPARAM, FORMATRANGE* fr) -> LONG {
        if (!fr)
            return 0;
        ++calls;
        return fr->chrg.cpMin + 1;
    };
    SendMessageA(rtb, EM_EXLIMITTEXT, 0, 100000);
    SetWindowTextA(rtb, std::string(cPrintRTB::kMaxPages + 100, 'x').c_str());
    EXPECT_TRUE(job.PrintRTF(rtb, 0, 0, 0, 0));
    EXPECT_EQ(calls, cPrintRTB::kMaxPages);
}

TEST_F(RichEditPrinting, WysiwygLayoutMeasuresAbortsAndKeepsOneDeviceContext)
{
    ql::test::FakePrinters printers;
    std::vector<std::pair<std::string, std::string>> asked;
    std::vector<HDC> made;
    cPrintRTB job;
    job.createTargetDc = [&](const std::string& driver, const std::string& device) {
        asked.emplace_back(driver, device);
        made.push_back(CreateCompatibleDC(nullptr));
        return made.back();
    };
    int32_t width = 0, height = 0;
    job.WYSIWYG_RTF(rtb, 360, 360, 360, 360, width, height);
    EXPECT_EQ(width, 12240 - 720);
    EXPECT_EQ(height, 15840 - 720);
    auto& p = printers.At(0);
    EXPECT_EQ(std::vector<std::string>(p.log.end() - 2, p.log.end()), (std::vector<std::string>{"blank", "killdoc"}));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], (std::pair<std::string, std::string>{p.DriverName(), p.DeviceName()}));
    EXPECT_EQ(GetObjectType(made[0]), static_cast<DWORD>(OBJ_MEMDC));   // alive for the control

    // Laid out again: the control's new device context replaces the old, which goes.
    job.WYSIWYG_RTF(rtb, 720, 720, 720, 720, width, height);
    EXPECT_EQ(width, 12240 - 1440);
    EXPECT_EQ(GetObjectType(made[0]), 0u);
    EXPECT_EQ(GetObjectType(made[1]), static_cast<DWORD>(OBJ_MEMDC));
    // And the last one goes with the control.
    DestroyWindow(rtb);
    rtb = nullptr;
    EXPECT_EQ(GetObjectType(made[1]), 0u);
}

// The flex grid: cells keep their text through resizes, clicks pick cells, and the
// drawing uses the grid's font (a symbol charset shows symbol glyphs).
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "platform/controls/FlexGrid.h"
#include "platform/forms/Form.h"

using namespace platform::forms;

namespace {
class frmCharMap : public Form {
public:
    frmCharMap() : Form("frmCharMap") {}
    FlexGrid grdChars{*this, "grdChars"};
    std::vector<std::string> log;

protected:
    void Design() override { grdChars.Move(0, 0, 6000, 3000); }
    void Form_Load() override
    {
        grdChars.Click = [this] {
            log.push_back("Click " + std::to_string(grdChars.Row()) + "," + std::to_string(grdChars.Col()));
        };
    }
};
}  // namespace

TEST(FlexGridControl, CellsSizesClicksAndScrolling)
{
    auto f = std::make_shared<frmCharMap>();
    f->Show();
    FlexGrid& g = f->grdChars;
    g.FixedRows(0);
    g.FixedCols(0);
    g.Rows(8);
    g.Cols(16);
    for (int c = 0; c < 16; ++c) {
        g.ColWidth(c, 360);
        g.ColAlignment(c, flexAlignCenterCenter);
    }
    for (int r = 0; r < 8; ++r)
        g.RowHeight(r, 360);
    g.TextMatrix(2, 3, "A");
    g.Rows(20);
    EXPECT_EQ(g.TextMatrix(2, 3), "A") << "growing keeps the cells";
    EXPECT_THROW(g.TextMatrix(20, 0), QlError);
    EXPECT_THROW(g.Row(-1), QlError);

    RECT rc = g.CellRect(2, 3);
    EXPECT_EQ(rc.right - rc.left, 24);
    SendMessageA(g.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.left + 3, rc.top + 3));
    SendMessageA(g.Window(), WM_LBUTTONUP, 0, MAKELPARAM(rc.left + 3, rc.top + 3));
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Text(), "A");
    EXPECT_EQ(f->log, (std::vector<std::string>{"Click 2,3"}));

    SendMessageA(g.Window(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(g.TopRow(), 1);
    EXPECT_EQ(g.CellRect(0, 0).right, 0) << "scrolled away";
    int r, c;
    ASSERT_TRUE(g.CellAt(1, 1, r, c));
    EXPECT_EQ(r, 1);
    g.Clear();
    EXPECT_EQ(g.TextMatrix(2, 3), "");
    EXPECT_EQ(g.Rows(), 20);
    f->Unload(vbFormCode);
}

TEST(FlexGridControl, DrawsWithTheGridsFontAndCharset)
{
    auto f = std::make_shared<frmCharMap>();
    f->Load();
    StdFont font("Standard Symbols PS", 12);
    font.Charset(SYMBOL_CHARSET);
    f->grdChars.Font(font);
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(f->grdChars.Font().Handle(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfCharSet, SYMBOL_CHARSET) << "the charset asked for reaches the font the grid draws with";
    EXPECT_STREQ(lf.lfFaceName, "Standard Symbols PS");
    f->Unload(vbFormCode);
}

#include <commctrl.h>

#include "platform/controls/StatusBar.h"

namespace {
class frmGlyph : public Form {
public:
    frmGlyph() : Form("frmGlyph") {}
    Slider sldZoom{*this, "sldZoom"};
    std::vector<std::string> log;

protected:
    void Design() override
    {
        sldZoom.Move(0, 0, 3000, 450);
        sldZoom.Min(-10);
        sldZoom.Max(10);
    }
    void Form_Load() override
    {
        sldZoom.Change = [this] { log.push_back("change " + std::to_string(sldZoom.Value())); };
        sldZoom.Scroll = [this] { log.push_back("scroll " + std::to_string(sldZoom.Value())); };
    }
};
}  // namespace

TEST(SliderControl, NegativeRangeScrollWhileTrackingAndChangeOnSettle)
{
    auto f = std::make_shared<frmGlyph>();
    f->Show();
    f->sldZoom.Value(-5);
    f->sldZoom.Value(-5);
    EXPECT_THROW(f->sldZoom.Value(11), QlError);
    SendMessageA(f->sldZoom.Window(), TBM_SETPOS, TRUE, 3);
    SendMessageA(f->Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 3), reinterpret_cast<LPARAM>(f->sldZoom.Window()));
    SendMessageA(f->Window(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 3), reinterpret_cast<LPARAM>(f->sldZoom.Window()));
    SendMessageA(f->Window(), WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(f->sldZoom.Window()));
    EXPECT_EQ(f->log, (std::vector<std::string>{"change -5", "scroll 3", "change 3"}));
    f->Unload(vbFormCode);
}

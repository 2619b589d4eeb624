#include "shell/RichTextPage.h"

#include <windows.h>

#include <algorithm>
#include <span>
#include <richedit.h>

#include "core/richtext/RtfDocument.h"
#include "platform/controls/RichTextBox.h"
#include "shell/modMainWindows.h"

void AppendPageLines(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines)
{
    for (const RtbLine& l : lines)
        modMain::AddLineToRTB(l.text, l.size, rtb, l.fontName, l.style1, l.style2, l.colour);
}

namespace {

// RichEdit's reading of one stream slows down with its length (even in a single font),
// while each stream also costs a little per line already in the box: streams of 40
// proof-sheet fonts were the fastest under Wine (a single stream of 10,000 fonts took ten
// times as long). What remains is about one font realization per sample line: Wine keeps
// only about a dozen recent fonts, so a sheet of many faces creates each one as it lays the
// line out. Hiding the box, turning wrapping off or writing fewer control words per line
// made no measurable difference.
constexpr size_t kLinesPerStream = 120;

}  // namespace

bool EmptyBox(platform::forms::RichTextBox& rtb)
{
    // Under Wine, deleting a long text costs far more than writing it (3,000 proof-sheet
    // fonts take seconds): a fresh window costs a few milliseconds.
    constexpr int kLongText = 32 * 1024;
    if (GetWindowTextLengthA(rtb.hWnd()) > kLongText) {
        rtb.Recreate();
        return true;
    }
    rtb.Text("");
    return false;
}

void StreamPage(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines, std::uint32_t foreColor)
{
    const unsigned codePage = GetACP();
    const std::span<const RtbLine> all(lines);
    for (size_t at = 0; at < all.size(); at += kLinesPerStream) {
        rtb.SelStart(-1);
        rtb.SelRTF(BuildRtf(all.subspan(at, std::min(kLinesPerStream, all.size() - at)), foreColor, codePage));
    }
}

void WritePage(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines, std::uint32_t foreColor,
               PageWriting how)
{
    if (how == PageWriting::RtfStreams)
        StreamPage(rtb, lines, foreColor);
    else
        AppendPageLines(rtb, lines);
}

RichTextFill::RichTextFill(platform::forms::RichTextBox& rtb) : rtb_(rtb)
{
    HWND h = rtb_.hWnd();
    eventMask_ = static_cast<long>(SendMessageA(h, EM_SETEVENTMASK, 0, 0));
    rtb_.BeginUpdate();
}

RichTextFill::~RichTextFill()
{
    rtb_.EndUpdate();
    if (HWND h = rtb_.Window())
        SendMessageA(h, EM_SETEVENTMASK, 0, eventMask_);
}

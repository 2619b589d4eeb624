#include "shell/RichTextPage.h"

#include <windows.h>
#include <richedit.h>

#include "core/richtext/RtfDocument.h"
#include "platform/controls/RichTextBox.h"
#include "shell/modMainWindows.h"

void AppendPageLines(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines)
{
    for (const RtbLine& l : lines)
        modMain::AddLineToRTB(l.text, l.size, rtb, l.fontName, l.style1, l.style2, l.colour);
}

void StreamPage(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines, std::uint32_t foreColor)
{
    rtb.TextRTF(BuildRtf(lines, foreColor, GetACP()));
}

void WritePage(platform::forms::RichTextBox& rtb, const std::vector<RtbLine>& lines, std::uint32_t foreColor,
               PageWriting how)
{
    if (how == PageWriting::RtfStream) {
        StreamPage(rtb, lines, foreColor);
    } else {
        rtb.Text("");
        AppendPageLines(rtb, lines);
    }
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

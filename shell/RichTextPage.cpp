#include "shell/RichTextPage.h"

#include <windows.h>

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

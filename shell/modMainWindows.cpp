#include "shell/modMainWindows.h"

#include <windows.h>
#include <richedit.h>

#include <cstring>

#include "core/help/HelpTexts.h"
#include "core/richtext/RtbLine.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "platform/QlError.h"
#include "platform/controls/RichTextBox.h"
#include "shell/LogFailure.h"
#include "shell/frmHelp.h"

namespace modMain {

namespace {

std::uint32_t DisplayForeColor()
{
    if (!FontModel)
        throw QlError(91, "modMain", "Object variable or With block variable not set");
    return FontModel->Display()->ForeColor();
}

}  // namespace

void AddLineToRTB(const std::string& text, std::int16_t size, platform::forms::RichTextBox& rtb,
                  const std::string& fontName, std::int32_t style1, std::int32_t style2, std::uint32_t colour,
                  std::int32_t)
{
    try {
        HWND h = rtb.hWnd();
        CHARRANGE end{-1, -1};
        SendMessageA(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
        // Size, colour, the three switches and the face in one change of the empty selection.
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof cf;
        cf.dwMask = CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE | CFM_CHARSET;
        cf.yHeight = static_cast<LONG>(size) * 20;
        cf.crTextColor = colour == 0 ? DisplayForeColor() : colour;
        TextEffects e = EffectsOf(style1, style2);
        cf.dwEffects = (e.bold ? CFE_BOLD : 0) | (e.italic ? CFE_ITALIC : 0) | (e.underline ? CFE_UNDERLINE : 0);
        // The font mapper picks the face's own character set (symbol fonts keep their glyphs).
        cf.bCharSet = DEFAULT_CHARSET;
        std::strncpy(cf.szFaceName, fontName.c_str(), LF_FACESIZE - 1);
        if (!SendMessageA(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)))
            throw QlError(5, "modMain", "The rich-text box refused the format");
        rtb.SelText(text + "\r\n");
    } catch (const std::exception& e) {
        LogFailure("modMain: AddLineToRTB", e);
    }
}

void ShowQuickHelp(const std::string& topic, bool)
{
    constexpr std::uint32_t kBlue = 0xFF0000;
    constexpr auto kRegular = static_cast<std::int32_t>(TextStyle::Regular);
    try {
        if (!Forms::frmHelp.IsLoaded() || !Forms::frmHelp->Visible())
            return;
        platform::forms::RichTextBox& rtb = Forms::frmHelp->rtbHelp;
        rtb.Text("");
        AddLineToRTB(topic, 12, rtb, "Arial", static_cast<std::int32_t>(TextStyle::Underline),
                     static_cast<std::int32_t>(TextStyle::Bold), kBlue);
        AddLineToRTB("", 10, rtb, "Arial", kRegular, kRegular, 0);
        AddLineToRTB(GetHelpText(topic) + "  ", 10, rtb, "Arial", kRegular, kRegular, kBlue);
    } catch (const std::exception&) {
        // The quick help is a courtesy: a failure ends it without a trace.
    }
}

void DisplayPropertyView()
{
    // The property report window is not part of the program yet.
}

}  // namespace modMain

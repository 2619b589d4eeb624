#pragma once
// The preview's window tests: a font model of fonts from the test font set, the display
// settings at known values, and the rich-text box read back.
#include <windows.h>
#include <richedit.h>

#include <memory>
#include <string>
#include <vector>

#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "platform/controls/RichTextBox.h"
#include "shell/ShellTestSupport.h"

class PreviewTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        modMain::FontModel->Fonts(std::make_shared<qlFonts>());
        qlDisplay& d = Display();
        d.CurrentView(0);
        d.FontName("Liberation Serif");
        d.CharacterSet(1);
        d.DisplaySizes("8,10,16");
        d.Text("Sphinx of black quartz");
        d.Style(1);
        d.FontSize(14);
        d.ForeColor(0x00000080);
        d.BackColor(0x00F0FFFF);
    }

    static qlDisplay& Display() { return *modMain::FontModel->Display(); }

    // Installed records for the faces, in the order given, with their character sets.
    static void SetFonts(const std::vector<std::string>& faces, int charset = 0)
    {
        auto fonts = std::make_shared<qlFonts>();
        for (const auto& f : faces)
            fonts->Add(f, charset, "", "TrueType", true, f + ".ttf");
        modMain::FontModel->Fonts(fonts);
    }

    // The box's lines (RichEdit ends paragraphs with CR; text after the last CR, if any,
    // is the last line).
    static std::vector<std::string> Lines(platform::forms::RichTextBox& rtb)
    {
        std::vector<std::string> lines;
        std::string text = rtb.Text();
        size_t start = 0;
        for (size_t cr; (cr = text.find('\r', start)) != std::string::npos; start = cr + 1)
            lines.push_back(text.substr(start, cr - start));
        if (start < text.size())
            lines.push_back(text.substr(start));
        return lines;
    }

    // The format of the character at a position of the box's text.
    static CHARFORMAT2A FormatAt(platform::forms::RichTextBox& rtb, int pos)
    {
        CHARRANGE r{pos, pos + 1};
        SendMessageA(rtb.hWnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof cf;
        SendMessageA(rtb.hWnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
        return cf;
    }
    // The format at the first character of the first line that is exactly the text.
    static CHARFORMAT2A FormatOfLine(platform::forms::RichTextBox& rtb, const std::string& line, int nth = 0)
    {
        std::string text = "\r" + rtb.Text();
        size_t at = 0;
        for (int i = 0; i <= nth; ++i) {
            at = text.find("\r" + line + "\r", at);
            if (at == std::string::npos)
                return CHARFORMAT2A{};
            at += 1;
        }
        return FormatAt(rtb, static_cast<int>(at - 1));
    }
};

// Reading font files on Windows: the TrueType/OpenType reader with its session
// loading and face probe, the Type 1 header reader, bitmap font names.
#include <windows.h>

#include <gtest/gtest.h>

#include "fontengine/FaceProbe.h"
#include "fontengine/FontFile.h"
#include "fontengine/FontFixtures.h"
#include "fontengine/FontPreview.h"
#include "fontengine/cPostScriptFont.h"
#include "fontengine/qlFonts.h"
#include "support/TestEnv.h"

using namespace ql::test;

namespace {

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 1;
}

// Whether the font list holds the face: independent of the mapper's cache.
bool Enumerable(const std::string& face)
{
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    HDC dc = GetDC(nullptr);
    int count = 0;
    EnumFontFamiliesExA(dc, &lf, CountFace, reinterpret_cast<LPARAM>(&count), 0);
    ReleaseDC(nullptr, dc);
    return count > 0;
}

class ScratchFonts : public ::testing::Test {
protected:
    void SetUp() override { dir_ = MakeScratchDir("engine-fonts"); }
    void TearDown() override { RemoveTree(dir_); }

    // A copy of a real font whose family "DejaVu" is renamed to a name unknown to
    // Windows; returns the new family word.
    std::string RenamedDejaVu(const char* source, std::string& path)
    {
        std::string word = UniqueLetters(6);
        path = Write(word + ".ttf", PatchName(LoadFont(source), "DejaVu", word));
        return word;
    }
    std::string Write(const std::string& name, const FontBytes& bytes)
    {
        std::string path = dir_ + "\\" + name;
        EXPECT_TRUE(WriteFileBytes(path, AsText(bytes)));
        return path;
    }
    std::string dir_;
};

}  // namespace

TEST(FontPreviewReader, InstalledFontAnswersItsTables)
{
    FontPreview preview;
    preview.AlreadyInstalled(true);
    preview.FontFile(WinPath(kDejaVuSans));
    EXPECT_EQ(preview.FontFile(), WinPath(kDejaVuSans));
    EXPECT_TRUE(preview.ValidTrueTypeFile());
    EXPECT_FALSE(preview.IsOpenTypeFont());
    EXPECT_EQ(preview.FamilyName(), "DejaVu Sans");
    EXPECT_EQ(preview.SubFamilyName(), "Book");
    EXPECT_EQ(preview.FullName(), "DejaVu Sans");
    EXPECT_EQ(preview.VersionString(), "Version 2.37");
    EXPECT_EQ(preview.PostscriptName(), "DejaVuSans");
    EXPECT_EQ(preview.VendorID(), "PfEd");
    EXPECT_EQ(preview.PreferredFamily(), "DejaVu Sans");
    EXPECT_EQ(preview.Copyright().rfind("Copyright (c) 2003 by Bitstream", 0), 0u);
    EXPECT_EQ(preview.LicenseURL(), "http://dejavu.sourceforge.net/wiki/index.php/License");
    EXPECT_FALSE(preview.Bold());
    EXPECT_TRUE(preview.Installed());
    EXPECT_EQ(preview.FaceName(), "DejaVu Sans");

    FontPreview styled;
    styled.AlreadyInstalled(true);
    styled.FontFile(WinPath(kLiberationSansBoldItalic));
    EXPECT_TRUE(styled.Bold());
    EXPECT_TRUE(styled.Italic());
    EXPECT_FALSE(styled.Underlined());
    EXPECT_FALSE(styled.StrikeOut());
    EXPECT_EQ(styled.FaceName(), "Liberation Sans");  // known through the family

    FontPreview noto;
    noto.AlreadyInstalled(true);
    noto.FontFile(WinPath(kNotoSans));
    EXPECT_TRUE(noto.IsOpenTypeFont());
    EXPECT_EQ(noto.VendorID(), "GOOG");
    EXPECT_FALSE(noto.Installed());  // not in the test's font set, and not loaded
    EXPECT_EQ(noto.FaceName(), "");
    EXPECT_FALSE(fontengine::IsFaceKnown("Noto Sans"));
}

TEST(FontPreviewReader, CffCollectionAndDamagedFiles)
{
    FontPreview otf;
    otf.AlreadyInstalled(true);
    otf.FontFile(WinPath(kC059Otf));
    EXPECT_TRUE(otf.ValidTrueTypeFile());
    EXPECT_FALSE(otf.IsOpenTypeFont());  // no signature table
    EXPECT_EQ(otf.FamilyName(), "C059");

    std::string dir = MakeScratchDir("engine-damaged");
    std::string ttc = dir + "\\pair.ttc";
    ASSERT_TRUE(WriteFileBytes(ttc, AsText(BuildCollection({LoadFont(kLiberationSerif), LoadFont(kDejaVuSans)}))));
    FontPreview collection;
    collection.AlreadyInstalled(true);
    collection.FontFile(ttc);
    EXPECT_TRUE(collection.ValidTrueTypeFile());
    EXPECT_EQ(collection.FamilyName(), "Liberation Serif");

    auto font = LoadFont(kDejaVuSans);
    for (std::size_t cut : {std::size_t(0), std::size_t(11), std::size_t(100), font.size() / 3}) {
        std::string path = dir + "\\cut" + std::to_string(cut) + ".ttf";
        ASSERT_TRUE(WriteFileBytes(path, AsText(FontBytes(font.begin(), font.begin() + cut))));
        FontPreview damaged;  // may load: nothing must be raised, nothing left behind
        damaged.FontFile(path);
        EXPECT_EQ(damaged.FontFile(), path);
        EXPECT_EQ(damaged.FamilyName(), "");
        EXPECT_EQ(damaged.VendorID(), "");
        EXPECT_EQ(damaged.FaceName(), "");
        EXPECT_FALSE(damaged.Installed());
    }
    // A folder is not a file: nothing changes.
    FontPreview folder;
    folder.FontFile(dir);
    EXPECT_EQ(folder.FontFile(), "");
    RemoveTree(dir);
}

TEST_F(ScratchFonts, UnknownFontIsLoadedFoundAndUnloaded)
{
    std::string path;
    std::string family = RenamedDejaVu(kDejaVuSans, path) + " Sans";
    EXPECT_FALSE(fontengine::IsFaceKnown(family));  // the mapper has now cached a fallback
    {
        FontPreview preview;
        preview.FontFile(path);
        EXPECT_FALSE(preview.Installed());
        EXPECT_EQ(preview.FaceName(), family);
        EXPECT_EQ(preview.FamilyName(), family);
        EXPECT_TRUE(Enumerable(family));
        EXPECT_TRUE(fontengine::IsFaceKnown(family));
        qlFonts fonts;
        EXPECT_TRUE(fonts.IsFontInstalled(family));
    }
    EXPECT_FALSE(Enumerable(family));
    EXPECT_FALSE(fontengine::IsFaceKnown(family));
}

TEST_F(ScratchFonts, NextFileUnloadsThePreviousOne)
{
    std::string pathA, pathB;
    std::string a = RenamedDejaVu(kDejaVuSans, pathA) + " Sans";
    std::string b = RenamedDejaVu(kDejaVuSansBold, pathB) + " Sans";
    FontPreview preview;
    preview.FontFile(pathA);
    EXPECT_EQ(preview.FaceName(), a);
    preview.FontFile(pathB);
    EXPECT_FALSE(Enumerable(a));
    EXPECT_TRUE(Enumerable(b));
    EXPECT_EQ(preview.FaceName(), b);
    // A path that is no file still lets go of the loaded font.
    preview.FontFile(dir_ + "\\missing.ttf");
    EXPECT_FALSE(Enumerable(b));
    EXPECT_EQ(preview.FontFile(), pathB);
}

TEST_F(ScratchFonts, AlreadyInstalledNeverLoads)
{
    std::string path;
    std::string family = RenamedDejaVu(kDejaVuSans, path) + " Sans";
    {
        FontPreview preview;
        preview.AlreadyInstalled(true);
        preview.FontFile(path);
        EXPECT_FALSE(Enumerable(family));
        EXPECT_FALSE(preview.Installed());
        EXPECT_EQ(preview.FaceName(), "");
    }
    // Set after the assignment: the font stays loaded for the session.
    {
        FontPreview preview;
        preview.FontFile(path);
        EXPECT_EQ(preview.FaceName(), family);
        preview.AlreadyInstalled(true);
    }
    EXPECT_TRUE(Enumerable(family));
    RemoveFontResourceA(path.c_str());
    EXPECT_FALSE(Enumerable(family));
}

TEST_F(ScratchFonts, KnownFamilyMemberIsNotLoaded)
{
    // An unaltered Bold member: Windows knows it by its family name.
    std::string path = Write("bold.ttf", LoadFont(kDejaVuSansBold));
    FontPreview preview;
    preview.FontFile(path);
    EXPECT_TRUE(preview.Installed());
    EXPECT_EQ(preview.FaceName(), "DejaVu Sans");
}

TEST_F(ScratchFonts, LongFamilyAndCffFontsAreFoundUnderTheirGdiNames)
{
    std::string longPath = Write("long.ttf", LoadFont(kNotoLongFamily));
    std::string otfPath = Write("c059.otf", LoadFont(kC059Otf));
    FontPreview longName;
    longName.FontFile(longPath);
    EXPECT_EQ(longName.FamilyName(), "Noto Sans Tifinagh Agraw Imazighen");
    EXPECT_EQ(longName.FaceName(), "Noto Sans Tifinagh Agraw Imazig");
    FontPreview otf;
    otf.FontFile(otfPath);
    EXPECT_FALSE(otf.Installed());
    EXPECT_EQ(otf.FaceName(), "C059");
}

namespace {

int g_fontChanges = 0;
LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_FONTCHANGE)
        ++g_fontChanges;
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

TEST_F(ScratchFonts, BroadcastTellsTopLevelWindows)
{
    if (!HaveDisplay())
        GTEST_SKIP() << "no display for a window";
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QlEngineFontChangeCounter";
    RegisterClassA(&wc);
    HWND window = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(window);
    std::string path;
    RenamedDejaVu(kDejaVuSans, path);
    g_fontChanges = 0;
    {
        FontPreview quiet;
        quiet.FontFile(path);
    }
    EXPECT_EQ(g_fontChanges, 0);
    {
        FontPreview loud;
        loud.Broadcast(true);
        loud.FontFile(path);
        EXPECT_EQ(g_fontChanges, 1);
    }
    EXPECT_EQ(g_fontChanges, 2);
    DestroyWindow(window);
}

TEST(FaceProbe, ComparesExactlyAndCutsLongNames)
{
    EXPECT_TRUE(fontengine::IsFaceKnown("DejaVu Sans"));
    EXPECT_FALSE(fontengine::IsFaceKnown("dejavu sans"));  // letter case counts
    EXPECT_FALSE(fontengine::IsFaceKnown("No Such Face Qx"));
    EXPECT_FALSE(fontengine::IsFaceKnown(""));
    EXPECT_EQ(fontengine::CutFaceNameAnsi(std::string(40, 'a')), std::string(31, 'a'));
    qlFonts fonts;
    EXPECT_TRUE(fonts.IsFontInstalled("Liberation Serif"));
    EXPECT_FALSE(fonts.IsFontInstalled("Liberation serif"));
}

TEST(BitmapFontFile, FaceNameFromTheFontDirectory)
{
    EXPECT_EQ(fontengine::BitmapFontFaceName(WinPath(kSansSerifFon)), "MS Sans Serif");
    EXPECT_EQ(fontengine::BitmapFontFaceName(WinPath(kCourierFon)), "Courier");
    EXPECT_EQ(fontengine::BitmapFontFaceName(WinPath(kDejaVuSans)), "");
    EXPECT_EQ(fontengine::BitmapFontFaceName("C:\\no\\such.fon"), "");
}

TEST(PostScriptFont, ReadsUrwFontsInEveryForm)
{
    std::string dir = MakeScratchDir("engine-type1");
    std::string lf = AsText(LoadFont(kNimbusSansT1));
    std::string cr = lf, crlf;
    for (char& c : cr)
        if (c == '\n')
            c = '\r';
    for (char c : lf)
        crlf += (c == '\n') ? std::string("\r\n") : std::string(1, c);
    ASSERT_TRUE(WriteFileBytes(dir + "\\cr.t1", cr));
    ASSERT_TRUE(WriteFileBytes(dir + "\\crlf.t1", crlf));
    for (std::string path : {WinPath(kNimbusSansT1), WinPath(kNimbusSansPfb), dir + "\\cr.t1", dir + "\\crlf.t1"}) {
        SCOPED_TRACE(path);
        cPostScriptFont font;
        font.Filename(path);
        EXPECT_EQ(font.Filename(), path);
        EXPECT_EQ(font.FontType(), 1);
        EXPECT_EQ(font.FontName(), "/NimbusSans-Regular");
        EXPECT_EQ(font.FamilyName(), "Nimbus Sans");
        EXPECT_EQ(font.FullName(), "Nimbus Sans");
        EXPECT_EQ(font.Version(), "1.00");
        EXPECT_EQ(font.Weight(), "Regular");
        EXPECT_EQ(font.Notice(), "(URW)++,Copyright 2014 by (URW)++ Design & Development");
        EXPECT_EQ(font.UniqueID(), 0);  // absent: the default
        EXPECT_EQ(font.ItalicAngle(), 0);
        EXPECT_FALSE(font.IsFixedPitch());
        EXPECT_DOUBLE_EQ(font.UnderlinePostion(), -151.0);
    }
    cPostScriptFont mono;
    mono.Filename(WinPath(kNimbusMonoT1));
    EXPECT_TRUE(mono.IsFixedPitch());
    RemoveTree(dir);
}

TEST(PostScriptFont, NumbersAndMissingFiles)
{
    std::string dir = MakeScratchDir("engine-type1");
    std::string path = dir + "\\made.pfa";
    ASSERT_TRUE(WriteFileBytes(path,
        "%!PS-AdobeFont-1.0: Made\r/FontType one def\r/ItalicAngle -12.5 def\r/UniqueID 2.5 def\r"
        "/isFixedPitch 0 def\r/UnderlineThickness 50.25 def\r/Weight (Demi (Bold)) def\reexec\r/FamilyName (Hidden)"));
    cPostScriptFont font;
    font.Filename(path);
    EXPECT_THROW(font.FontType(), QlError);
    EXPECT_EQ(font.ItalicAngle(), -12);  // halves to even
    EXPECT_EQ(font.UniqueID(), 2);
    EXPECT_FALSE(font.IsFixedPitch());
    EXPECT_DOUBLE_EQ(font.UnderlineThickness(), 50.25);
    EXPECT_EQ(font.Weight(), "Demi (Bold)");
    EXPECT_EQ(font.FamilyName(), "");  // past the clear text

    font.Filename(dir + "\\missing.t1");
    EXPECT_EQ(font.FamilyName(), "");
    EXPECT_EQ(font.Weight(), "");
    try {
        (void)font.FontType();
        FAIL() << "no file, yet a number";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, 13);
    }
    RemoveTree(dir);
}

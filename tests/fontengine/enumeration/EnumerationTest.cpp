// The installed-font enumeration over a scratch registration of real fonts.
#include <windows.h>

#include <set>

#include "EnumerationFixture.h"
#include "core/modMain.h"
#include "core/registry/modRegistry.h"
#include "fontengine/FontFixtures.h"
#include "fontengine/qlFonts.h"
#include "fontengine/qlMain.h"
#include "platform/forms/Seams.h"
#include "support/TestEnv.h"

using namespace enumtest;

namespace {

std::string Win(const char* unixPath) { return ql::test::WinPath(unixPath); }

std::string Names(qlFonts& fonts)
{
    std::string out;
    for (const auto& f : fonts)
        out += f->FaceName() + "|";
    return out;
}

bool SortedByDisplayName(qlFonts& fonts)
{
    std::string previous;
    for (const auto& f : fonts) {
        if (f->DisplayName() < previous)
            return false;
        previous = f->DisplayName();
    }
    return true;
}

class Enumeration : public ScratchRegistration {
protected:
    qlFonts list_;
};

TEST_F(Enumeration, OneRecordPerFaceWithTypesPathsAndProgress)
{
    // A bare file name lives in the Fonts folder; full paths are used as they stand.
    ASSERT_TRUE(CopyFileA(Win(ql::test::kLiberationSerif).c_str(),
                          (fonts_ + "\\LiberationSerif-Regular.ttf").c_str(), FALSE));
    ql::test::WriteFileBytes(fonts_ + "\\pair.ttc",
                             ql::test::AsText(ql::test::BuildCollection({ql::test::LoadFont(ql::test::kDejaVuMonoBold),
                                                                         ql::test::LoadFont(ql::test::kLiberationSerif)})));
    AddFont("DejaVu Sans (TrueType)", Win(ql::test::kDejaVuSans));
    AddFont("DejaVu Sans Bold (TrueType)", Win(ql::test::kDejaVuSansBold));
    AddFont("Liberation Serif (TrueType)", "LiberationSerif-Regular.ttf");
    AddFont("Pair (TrueType)", "PAIR.TTC");
    AddFont("C059 Roman (TrueType)", Win(ql::test::kC059Otf));
    AddFont("Noto Sans (TrueType)", Win(ql::test::kNotoSans));
    AddFont("Modern (All res)", "MODERN.FON");
    AddFont("Courier", "coure.fon");  // no parenthesis: nothing to derive a face from
    AddType1("Nimbus Sans Regular", Win(ql::test::kNimbusSansT1));
    AddType1("Nimbus Sans Italic", Win(ql::test::kNimbusSansT1));

    RecordingSink sink;
    list_.GetInstalledFonts(&sink);

    EXPECT_EQ(Names(list_), "C059|DejaVu Sans|DejaVu Sans Mono|Liberation Serif|Modern|Nimbus Sans|Noto Sans|");
    auto dejavu = list_.Item("DejaVu Sans");
    EXPECT_EQ(dejavu->FontFilename(), Win(ql::test::kDejaVuSans));  // the first member's file
    EXPECT_EQ(dejavu->FontType(), "TrueType");
    EXPECT_TRUE(dejavu->Installed());
    EXPECT_TRUE(dejavu->GotExtInfo());
    EXPECT_EQ(dejavu->SubFamilyName(), "Book");
    EXPECT_EQ(dejavu->Weight(), "Regular");
    EXPECT_EQ(dejavu->Pitch(), "Variable");
    EXPECT_FALSE(dejavu->FontVersion().empty());

    auto serif = list_.Item("Liberation Serif");
    EXPECT_EQ(serif->FontFilename(), fonts_ + "\\LiberationSerif-Regular.ttf");
    EXPECT_EQ(serif->Families()->ToString("|"), "Roman");

    auto mono = list_.Item("DejaVu Sans Mono");  // font 0 of the collection
    EXPECT_EQ(mono->FontFilename(), fonts_ + "\\PAIR.TTC");
    EXPECT_EQ(mono->Families()->ToString("|"), "Modern");
    EXPECT_EQ(mono->Pitch(), "Fixed");
    EXPECT_EQ(mono->SubFamilyName(), "Bold");

    // An OpenType file with CFF outlines is listed as an outline font, not as "Raster".
    std::string c059 = list_.Item("C059")->FontType();
    EXPECT_TRUE(c059 == "TrueType" || c059 == "OpenType") << c059;
    EXPECT_EQ(list_.Item("Noto Sans")->FontType(), "OpenType");  // it has a signature table

    auto modern = list_.Item("Modern");
    EXPECT_EQ(modern->FontFilename(), fonts_ + "\\MODERN.FON");
    EXPECT_FALSE(modern->GotExtInfo());

    auto nimbus = list_.Item("Nimbus Sans");
    EXPECT_EQ(nimbus->FontType(), "Type 1");
    EXPECT_EQ(nimbus->FontFilename(), Win(ql::test::kNimbusSansT1));
    EXPECT_NE(nimbus->Families()->ToString("|").find("Nimbus Sans"), std::string::npos);
    EXPECT_NE(nimbus->Copyright().find("URW"), std::string::npos);
    EXPECT_EQ(nimbus->Weight(), "Regular");

    // Every value is reported, the Type 1 pass counting from 1 again without a face.
    ASSERT_EQ(sink.calls.size(), 10u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(sink.calls[i].current, i + 1);
        EXPECT_EQ(sink.calls[i].total, 8);
    }
    std::set<std::string> reported;  // "" for the value that names no face
    for (int i = 0; i < 8; ++i)
        reported.insert(sink.calls[i].face);
    EXPECT_EQ(reported, (std::set<std::string>{"", "C059", "DejaVu Sans", "DejaVu Sans Mono", "Liberation Serif",
                                               "Modern", "Noto Sans"}));
    EXPECT_EQ(sink.calls[8].current, 1);
    EXPECT_EQ(sink.calls[9].current, 2);
    EXPECT_EQ(sink.calls[9].total, 2);
    EXPECT_EQ(sink.calls[9].face, "");
}

TEST_F(Enumeration, BadValuesAreSkippedAndTheListStillSorts)
{
    std::string real = ql::test::ReadFileBytes(Win(ql::test::kDejaVuSans));
    ql::test::WriteFileBytes(fonts_ + "\\cut.ttf", real.substr(0, 300));
    ql::test::WriteFileBytes(fonts_ + "\\junk.ttf", std::string(5000, '\x7f'));
    AddFont("Liberation Serif (TrueType)", Win(ql::test::kLiberationSerif));
    AddFont("Empty (TrueType)", "");
    AddValue(source_.fontsKey, "Number (TrueType)", REG_DWORD, std::string(4, '\1'));
    AddFont("Missing (TrueType)", "missing.ttf");
    AddFont("Cut (TrueType)", "cut.ttf");
    AddFont("Junk (TrueType)", "junk.ttf");
    AddFont("(x)", "a.fon");
    AddFont("DejaVu Sans (TrueType)", Win(ql::test::kDejaVuSans));
    AddValue(source_.type1Key, "Short One", REG_MULTI_SZ, std::string("T\0only.afm\0\0", 13));
    AddValue(source_.type1Key, "Blank", REG_SZ, std::string(1, '\0'));
    AddType1("Nimbus Mono PS Regular", Win(ql::test::kNimbusMonoT1));

    RecordingSink sink;
    list_.GetInstalledFonts(&sink);
    EXPECT_EQ(Names(list_), "DejaVu Sans|Liberation Serif|Nimbus Mono PS|");
    EXPECT_EQ(sink.calls.size(), 11u);
}

// The log entry of a value that fails before it names a face or a file carries its
// own (empty) face and file, not those of the font read before it.
TEST_F(Enumeration, AFailingValueLogsItsOwnFaceAndFile)
{
    std::string logDir = ql::test::MakeScratchDir("enum-log");
    std::string settings = root_ + "\\Settings";
    modRegistry::SaveSetting(settings, "logging", "True");
    modMain::SetLogSettingsKey(settings);
    modMain::SetLogFolder(logDir);
    modMain::ResetLogErrorBox();
    platform::forms::BeginScript();

    AddFont("Liberation Serif (TrueType)", Win(ql::test::kLiberationSerif));
    AddFont("Zero (TrueType)", "");  // after the good one in any order of values
    AddType1("Nimbus Mono PS Regular", Win(ql::test::kNimbusMonoT1));
    AddValue(source_.type1Key, "Short One", REG_MULTI_SZ, std::string("T\0only.afm\0\0", 13));
    list_.GetInstalledFonts(nullptr);
    std::string log = ql::test::ReadFileBytes(logDir + "\\quillerypro.log");

    platform::forms::EndScript();
    modMain::SetLogFolder("");
    modMain::SetLogSettingsKey("");
    modMain::ResetLogErrorBox();
    ql::test::RemoveTree(logDir);

    EXPECT_EQ(Names(list_), "Liberation Serif|Nimbus Mono PS|");
    EXPECT_TRUE(platform::forms::ScriptLog().empty());
    EXPECT_NE(log.find("The value Zero (TrueType) names no file\r\nFacename: \r\nFilename: \r\n"), std::string::npos)
        << log;
    EXPECT_NE(log.find("The Type 1 value Short One names no outline file\r\nFacename: \r\nFilename: \r\n"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("Facename: Liberation Serif"), std::string::npos) << log;
    EXPECT_EQ(log.find("Facename: Nimbus Mono PS"), std::string::npos) << log;
}

TEST_F(Enumeration, ARunReplacesTheCollectionAndMissingKeysGiveNothing)
{
    AddFont("DejaVu Sans (TrueType)", Win(ql::test::kDejaVuSans));
    list_.GetInstalledFonts(nullptr);
    auto held = list_.Item("DejaVu Sans");
    list_.Add("Viewer Font", 0, "", "TrueType", false, "x.ttf");
    list_.GetInstalledFonts(nullptr);
    EXPECT_EQ(Names(list_), "DejaVu Sans|");
    EXPECT_NE(list_.Item("DejaVu Sans"), held);
    EXPECT_EQ(held->FaceName(), "DejaVu Sans");  // a holder keeps its record

    RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
    RecordingSink sink;
    list_.GetInstalledFonts(&sink);
    EXPECT_EQ(list_.Count(), 0);
    EXPECT_TRUE(sink.calls.empty());
}

TEST_F(Enumeration, ExtendedInfoReadsOnceUnlessForced)
{
    AddFont("DejaVu Sans (TrueType)", Win(ql::test::kDejaVuSans));
    AddType1("Nimbus Sans Regular", Win(ql::test::kNimbusSansT1));
    list_.GetInstalledFonts(nullptr);
    auto dejavu = list_.Item("DejaVu Sans");
    dejavu->Copyright("changed");
    EXPECT_FALSE(list_.GetExtendedInfo("DejaVu Sans", false));
    EXPECT_EQ(dejavu->Copyright(), "changed");
    EXPECT_TRUE(list_.GetExtendedInfo("dejavu sans", true));
    EXPECT_NE(dejavu->Copyright(), "changed");
    EXPECT_FALSE(list_.GetExtendedInfo("Nimbus Sans", true));  // not a TrueType record
    EXPECT_FALSE(list_.GetExtendedInfo("Nobody", true));
}

// A sink that pumps the program's windows may reach code that reloads the list.
struct ReloadingSink : IProgressSink {
    void ProgressUpdate(int32_t current, int32_t total, const std::string&) override
    {
        ++calls;
        if (current == 1 && total > 1)
            fonts->GetInstalledFonts(this);
        if (current == 2)
            throw std::runtime_error("window gone");
    }
    qlFonts* fonts = nullptr;
    int calls = 0;
};

TEST_F(Enumeration, ASinkThatReloadsOrFailsDoesNotBreakTheRun)
{
    AddFont("Liberation Serif (TrueType)", Win(ql::test::kLiberationSerif));
    AddFont("DejaVu Sans (TrueType)", Win(ql::test::kDejaVuSans));
    AddFont("DejaVu Sans Mono (TrueType)", Win(ql::test::kDejaVuMonoBold));
    ReloadingSink sink;
    sink.fonts = &list_;
    list_.GetInstalledFonts(&sink);
    EXPECT_EQ(sink.calls, 2);  // not asked again after it failed
    EXPECT_EQ(Names(list_), "DejaVu Sans|DejaVu Sans Mono|Liberation Serif|");
}

TEST(EnumerationOfThePrefix, TheRealRegistrationGivesAUniqueSortedList)
{
    // Through the model root: its keys under HKEY_LOCAL_MACHINE and its Fonts folder.
    qlMain root;
    qlFonts& fonts = *root.Fonts();
    RecordingSink sink;
    fonts.GetInstalledFonts(&sink);

    EXPECT_GT(fonts.Count(), 5);
    EXPECT_FALSE(sink.calls.empty());
    EXPECT_TRUE(SortedByDisplayName(fonts));
    std::set<std::string> allowed = {"TrueType", "OpenType", "Raster", "Vector", "Device", "PostScript"};
    std::set<std::string> keys;
    for (const auto& f : fonts) {
        EXPECT_TRUE(allowed.count(f->FontType()) || f->FontType().rfind("Type ", 0) == 0) << f->FontType();
        std::string key = f->FaceName();
        CharUpperBuffA(key.data(), DWORD(key.size()));
        EXPECT_TRUE(keys.insert(key).second) << f->FaceName();
        EXPECT_LE(f->FaceName().size(), 31u);
    }
    EXPECT_TRUE(fonts.KeyExists("DejaVu Sans"));
    EXPECT_TRUE(fonts.KeyExists("Liberation Sans"));
    EXPECT_EQ(fonts.Item("Liberation Sans")->Families()->ToString("|"), "Swiss");
}

}  // namespace

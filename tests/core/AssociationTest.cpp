// File-type associations: what lands under each class root, in scratch keys standing in
// for HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
#include <gtest/gtest.h>

#include "RegistryScratch.h"
#include "platform/QlError.h"
#include "core/registry/cRegistry.h"

namespace {

class Associations : public ::testing::Test {
protected:
    void SetUp() override
    {
        cRegistryTesting::SetAssociationRoots(kHKeyCurrentUser, key.Sub("CR") + "\\", kHKeyCurrentUser,
                                              key.Sub("LM") + "\\");
    }
    void TearDown() override { cRegistryTesting::ResetAssociationRoots(); }
    // The default value of a key below one root ("CR" or "LM"); "<none>" when missing.
    std::string Default(const std::string& root, const std::string& path)
    {
        cRegistry r;
        r.ClassKey(kHKeyCurrentUser);
        r.SectionKey(key.Sub(root) + "\\" + path);
        r.Default(RegValue(std::string("<none>")));
        return RegValueText(r.Value());
    }
    void ExpectBoth(const std::string& path, const std::string& text)
    {
        EXPECT_EQ(Default("CR", path), text) << path;
        EXPECT_EQ(Default("LM", path), text) << path;
    }
    ql::test::ScratchKey key{"assoc"};
};

}  // namespace

TEST_F(Associations, WritesTheClassAndItsVerbsUnderBothRoots)
{
    cRegistry r;
    r.SectionKey("kept");
    r.CreateEXEAssociation("  C:\\Program Files\\Quillery\\QuilleryPro.exe ", "Quillery.Font", "Font file", "qft",
                           "", true, "", true, "Make &new", true, "", 2);
    const std::string exe = "\"C:\\Program Files\\Quillery\\QuilleryPro.exe\"";
    ExpectBoth(".qft", "Quillery.Font");
    ExpectBoth("Quillery.Font", "Font file");
    ExpectBoth("Quillery.Font\\shell\\open", "&Open");
    ExpectBoth("Quillery.Font\\shell\\open\\command", exe + " \"%1\"");
    ExpectBoth("Quillery.Font\\shell\\print", "&Print");
    ExpectBoth("Quillery.Font\\shell\\print\\command", exe + " /p \"%1\"");
    ExpectBoth("Quillery.Font\\shell\\add", "&Install qft");
    ExpectBoth("Quillery.Font\\shell\\add\\command", exe + " /a \"%1\"");
    ExpectBoth("Quillery.Font\\shell\\new", "Make &new");
    ExpectBoth("Quillery.Font\\shell\\new\\command", exe + " /n \"%1\"");
    ExpectBoth("Quillery.Font\\DefaultIcon", exe + ",2");
    EXPECT_EQ(r.SectionKey(), "kept");
    EXPECT_EQ(r.ClassKey(), kHKeyCurrentUser);   // the machine root, as the association left it

    // Without the optional verbs and icon; a quoted path and a dotted extension stay as given.
    cRegistry plain;
    plain.CreateEXEAssociation("\"C:\\q.exe\"", "Q.Plain", "Plain", ".qpl", "&View", false, "", false, "", false, "",
                               -1);
    ExpectBoth(".qpl", "Q.Plain");
    ExpectBoth("Q.Plain\\shell\\open", "&View");
    ExpectBoth("Q.Plain\\shell\\open\\command", "\"C:\\q.exe\" \"%1\"");
    ExpectBoth("Q.Plain\\shell\\print", "<none>");
    ExpectBoth("Q.Plain\\DefaultIcon", "<none>");
}

TEST_F(Associations, AdditionalVerbsNeedTheClassAndComeInThrees)
{
    cRegistry r;
    try {
        r.CreateAdditionalEXEAssociations("Q.Extra", {"preview", "&Preview"});
        FAIL() << "no error for a list of two";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, kErrAssociationList);
        EXPECT_EQ(e.Description,
                  "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    }
    try {
        r.CreateAdditionalEXEAssociations("Q.Extra", {"preview", "&Preview", "q.exe /v \"%1\""});
        FAIL() << "no error for a class that is not registered";
    } catch (const QlError& e) {
        EXPECT_EQ(e.Number, kErrAssociationClass);
        EXPECT_EQ(e.Description, "Error - attempt to create additional associations before class defined.");
    }
    ExpectBoth("Q.Extra\\shell\\preview", "<none>");

    r.CreateEXEAssociation("q.exe", "Q.Extra", "Extra", "qex", "", false, "", false, "", false, "", -1);
    r.CreateAdditionalEXEAssociations("Q.Extra", {"preview", "&Preview", "\"q.exe\" /v \"%1\"", "check", "&Check",
                                                  "\"q.exe\" /c \"%1\""});
    ExpectBoth("Q.Extra\\shell\\preview", "&Preview");
    ExpectBoth("Q.Extra\\shell\\preview\\command", "\"q.exe\" /v \"%1\"");
    ExpectBoth("Q.Extra\\shell\\check\\command", "\"q.exe\" /c \"%1\"");
}

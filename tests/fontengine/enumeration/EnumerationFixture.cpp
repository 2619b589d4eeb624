#include "EnumerationFixture.h"

#include "fontengine/FontFixtures.h"
#include "support/TestEnv.h"

namespace enumtest {

void ScratchRegistration::SetUp()
{
    tag_ = ql::test::UniqueLetters(8);
    root_ = "Software\\QlTest\\" + tag_;
    fonts_ = ql::test::MakeScratchDir("enum-fonts");
    source_.root = HKEY_CURRENT_USER;
    source_.fontsKey = root_ + "\\Fonts";
    source_.type1Key = root_ + "\\Type 1 Fonts";
    source_.fontFolder = fonts_ + "\\";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, source_.fontsKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    qlEnumeration::SetSourceOverride(&source_);
}

void ScratchRegistration::TearDown()
{
    qlEnumeration::SetSourceOverride(nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, root_.c_str());
    ql::test::RemoveTree(fonts_);
}

void ScratchRegistration::AddValue(const std::string& key, const std::string& name, DWORD type,
                                   const std::string& bytes)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(h, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

void ScratchRegistration::AddFont(const std::string& name, const std::string& data)
{
    AddValue(source_.fontsKey, name, REG_SZ, data + std::string(1, '\0'));
}

void ScratchRegistration::AddType1(const std::string& name, const std::string& outline)
{
    std::string metrics = outline.substr(0, outline.size() - 3) + ".afm";
    AddValue(source_.type1Key, name, REG_MULTI_SZ, "T" + std::string(1, '\0') + metrics + '\0' + outline + '\0' + '\0');
}

}  // namespace enumtest

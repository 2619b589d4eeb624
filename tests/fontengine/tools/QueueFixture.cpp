#include "QueueFixture.h"

#include "core/modMain.h"
#include "core/registry/cRegistry.h"
#include "core/registry/modRegistry.h"
#include "fontengine/FontFixtures.h"
#include "fontengine/install/InstallFixture.h"
#include "support/TestEnv.h"

namespace queuetest {

namespace {

class ScratchEnvironment : public qlMainEnvironment {
public:
    explicit ScratchEnvironment(std::string program) : program_(std::move(program)) {}
    std::string ProgramFolder() override { return program_; }

private:
    std::string program_;
};

}  // namespace

void QueueTest::SetUp()
{
    tag_ = installtest::UniqueTag(6);
    root_ = ql::test::MakeScratchDir("queue");
    program_ = root_ + "\\program";
    fonts_ = root_ + "\\fonts";
    ASSERT_TRUE(CreateDirectoryA(program_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(fonts_.c_str(), nullptr));
    keyPath_ = "Software\\QlTest\\" + tag_ + "\\Fonts";
    logKey_ = "Software\\QlTest\\" + tag_ + "\\Settings";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    modRegistry::SaveSetting(logKey_, "logging", "True");
    modMain::SetLogSettingsKey(logKey_);
    modMain::SetLogFolder(root_ + "\\log");

    where_.classKey = kHKeyCurrentUser;
    where_.fontsKey = keyPath_;
    where_.fontFolder = fonts_ + "\\";
    qlToolsPlaces::SetOverride(&where_);
    main_ = std::make_unique<qlMain>(std::make_shared<ScratchEnvironment>(program_));
}

void QueueTest::TearDown()
{
    qlToolsPlaces::SetOverride(nullptr);
    qlToolsPlaces::SetClock(nullptr);
    modMain::SetLogFolder("");
    modMain::SetLogSettingsKey("");
    main_.reset();
    for (const std::string& path : loaded_)
        while (RemoveFontResourceA(path.c_str())) {
        }
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\QlTest\\" + tag_).c_str());
    ql::test::RemoveTree(root_);
}

void QueueTest::UseProgramFolder(const std::string& folder)
{
    program_ = folder;
    main_ = std::make_unique<qlMain>(std::make_shared<ScratchEnvironment>(program_));
}

TestFont QueueTest::Install(const std::string& fileName, const char* source)
{
    TestFont f;
    std::string tag = installtest::UniqueTag(6);
    f.face = tag + " Sans";
    f.fileName = fileName;
    f.path = installtest::RenamedDejaVu(source ? source : ql::test::kDejaVuSans, fonts_, fileName, tag);
    f.value = f.face + " (TrueType)";
    EXPECT_GT(AddFontResourceA(f.path.c_str()), 0) << f.path;
    loaded_.push_back(f.path);
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, f.value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(fileName.c_str()),
                   DWORD(fileName.size() + 1));
    RegCloseKey(key);
    main_->Fonts()->Add(f.face, 0, "Book", "TrueType", true, f.path);
    return f;
}

void QueueTest::RunQueue()
{
    std::vector<std::shared_ptr<qlProcess>> entries;
    for (const auto& p : *main_->Processes())
        entries.push_back(p);
    for (const auto& p : entries) {
        int32_t code = p->Process();
        if (code != 0 && code != 1)
            continue;
        p->Success(main_->Tools()->UninstallFont(p->FaceName(), code == 1));
        if (code == 0 && p->Success())
            main_->Processes()->Remove(p->FaceName());
    }
    main_->Tools()->CreateArchive();
}

bool QueueTest::ValuePresent(const std::string& name) const
{
    return installtest::ReadRaw(HKEY_CURRENT_USER, keyPath_, name).present;
}

std::string QueueTest::ValueData(const std::string& name) const
{
    std::string bytes = installtest::ReadRaw(HKEY_CURRENT_USER, keyPath_, name).bytes;
    return bytes.substr(0, bytes.find('\0'));
}

std::vector<std::string> QueueTest::ArchiveFiles() const
{
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((Archives() + "\\*.qlp").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    do
        out.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(out.begin(), out.end());
    return out;
}

std::string QueueTest::LogText() const { return ql::test::ReadFileBytes(root_ + "\\log\\quillerypro.log"); }

bool QueueTest::Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool QueueTest::RunUnix(const std::string& program, const std::string& args)
{
    std::string cmd = "\"" + program + "\" " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(program.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

std::string QueueTest::UnixPath(const std::string& win)
{
    std::string out = win.substr(2);
    for (char& c : out)
        if (c == '\\')
            c = '/';
    return out;
}

}  // namespace queuetest

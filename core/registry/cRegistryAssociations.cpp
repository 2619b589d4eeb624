// File-type associations written under both class roots.
#include "platform/QlError.h"
#include "core/registry/cRegistry.h"

namespace {

constexpr const char* kSource = "QuilleryPro.cRegistry";

struct Roots {
    int32_t classesRoot = kHKeyClassesRoot;
    std::string classesBelow;
    int32_t machineRoot = kHKeyLocalMachine;
    std::string machineBelow = "SOFTWARE\\Classes\\";
} g_roots;

std::string Trim(const std::string& s)
{
    size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string Or(const std::string& text, const std::string& fallback) { return text.empty() ? fallback : text; }

}  // namespace

namespace cRegistryTesting {

void SetAssociationRoots(int32_t classesRoot, const std::string& classesBelow, int32_t machineRoot,
                         const std::string& machineBelow)
{
    g_roots = Roots{classesRoot, classesBelow, machineRoot, machineBelow};
}

void ResetAssociationRoots() { g_roots = Roots{}; }

}  // namespace cRegistryTesting

void cRegistry::WriteBothRoots(const std::string& text)
{
    std::string section = sectionKey_;
    classKey_ = g_roots.classesRoot;
    sectionKey_ = g_roots.classesBelow + section;
    try {
        Value(RegValue(text));
        classKey_ = g_roots.machineRoot;
        sectionKey_ = g_roots.machineBelow + section;
        Value(RegValue(text));
    } catch (...) {
        sectionKey_ = section;
        throw;
    }
    sectionKey_ = section;
}

void cRegistry::CreateEXEAssociation(std::string exePath, const std::string& className,
                                     const std::string& classDescription, const std::string& extension,
                                     const std::string& openText, bool supportPrint, const std::string& printText,
                                     bool supportNew, const std::string& newText, bool supportInstall,
                                     const std::string& installText, int32_t defaultIconIndex)
{
    exePath = Trim(exePath);
    if (exePath.empty() || exePath.front() != '"')
        exePath = '"' + exePath;
    if (exePath.size() < 2 || exePath.back() != '"')
        exePath += '"';
    auto command = [&](const std::string& option) {
        return exePath + (option.empty() ? "" : " " + option) + " \"%1\"";
    };
    std::string section = sectionKey_;
    valueType_ = kRegSz;
    valueKey_.clear();
    auto write = [&](const std::string& key, const std::string& text) {
        sectionKey_ = key;
        WriteBothRoots(text);
    };
    try {
        // An extension given with its dot keeps the one dot.
        write(extension.rfind('.', 0) == 0 ? extension : "." + extension, className);
        write(className, classDescription);
        write(className + "\\shell\\open", Or(openText, "&Open"));
        write(className + "\\shell\\open\\command", command(""));
        if (supportPrint) {
            write(className + "\\shell\\print", Or(printText, "&Print"));
            write(className + "\\shell\\print\\command", command("/p"));
        }
        if (supportInstall) {
            write(className + "\\shell\\add", Or(installText, "&Install " + extension));
            write(className + "\\shell\\add\\command", command("/a"));
        }
        if (supportNew) {
            write(className + "\\shell\\new", Or(newText, "&New"));
            write(className + "\\shell\\new\\command", command("/n"));
        }
        if (defaultIconIndex >= 0)
            write(className + "\\DefaultIcon", exePath + "," + std::to_string(defaultIconIndex));
    } catch (...) {
        sectionKey_ = section;
        throw;
    }
    sectionKey_ = section;
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& className, const std::vector<std::string>& items)
{
    if (items.size() % 3 != 0)
        throw QlError(kErrAssociationList, kSource,
                      "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    std::string section = sectionKey_;
    classKey_ = g_roots.classesRoot;
    sectionKey_ = g_roots.classesBelow + className;
    bool defined = !className.empty() && KeyExists();
    sectionKey_ = section;
    if (!defined)
        throw QlError(kErrAssociationClass, kSource,
                      "Error - attempt to create additional associations before class defined.");
    valueType_ = kRegSz;
    valueKey_.clear();
    try {
        for (size_t i = 0; i < items.size(); i += 3) {
            sectionKey_ = className + "\\shell\\" + items[i];
            WriteBothRoots(items[i + 1]);
            sectionKey_ = className + "\\shell\\" + items[i] + "\\command";
            WriteBothRoots(items[i + 2]);
        }
    } catch (...) {
        sectionKey_ = section;
        throw;
    }
    sectionKey_ = section;
}

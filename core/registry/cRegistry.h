#pragma once
// A general registry accessor: the address of one value (root, key path, value name)
// and the state of its last operations. The settings store, the font engine (the
// Windows font registration) and the registry repair tool use it.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// Root keys as the 32-bit signed numbers the program stores.
inline constexpr int32_t kHKeyClassesRoot = static_cast<int32_t>(0x80000000u);
inline constexpr int32_t kHKeyCurrentUser = static_cast<int32_t>(0x80000001u);
inline constexpr int32_t kHKeyLocalMachine = static_cast<int32_t>(0x80000002u);

// Registry data types by number.
inline constexpr int32_t kRegNone = 0;
inline constexpr int32_t kRegSz = 1;
inline constexpr int32_t kRegExpandSz = 2;
inline constexpr int32_t kRegBinary = 3;
inline constexpr int32_t kRegDword = 4;
inline constexpr int32_t kRegDwordBigEndian = 5;
inline constexpr int32_t kRegLink = 6;
inline constexpr int32_t kRegMultiSz = 7;

// Error numbers raised by cRegistry.
inline constexpr int32_t kErrRegistry = 26001;
inline constexpr int32_t kErrRegistryWrite = static_cast<int32_t>(0x800469A9u);     // -2147194455
inline constexpr int32_t kErrRegistryEnumKeys = static_cast<int32_t>(0x800469AAu);  // -2147194454
inline constexpr int32_t kErrAssociationList = static_cast<int32_t>(0x800469ACu);   // -2147194452
inline constexpr int32_t kErrAssociationClass = static_cast<int32_t>(0x800469ADu);  // -2147194451

// A registry value: nothing (empty), text, a 32-bit integer or raw bytes.
using RegValue = std::variant<std::monostate, std::string, int32_t, std::vector<uint8_t>>;

// The text form of a value: text as it is, an integer in decimal, empty for nothing
// and for bytes.
std::string RegValueText(const RegValue& value);
inline bool RegValueIsEmpty(const RegValue& value) { return std::holds_alternative<std::monostate>(value); }

class cRegistry {
public:
    // Remote computer name; empty is the local registry. A name of more than two
    // characters is stored with two leading backslashes; shorter names store "".
    const std::string& Machine() const { return machine_; }
    void Machine(const std::string& name);

    // True when SectionKey opens below ClassKey with query access (an empty
    // SectionKey opens the root itself).
    bool KeyExists() const;

    // Creates (or opens) SectionKey. True on success; raises 26001 otherwise.
    bool CreateKey();
    // Deletes SectionKey (which must have no subkeys). True; raises 26001 on failure.
    bool DeleteKey();
    // Deletes the value ValueKey of SectionKey. True; raises 26001 on failure.
    bool DeleteValue();

    // Reads ValueKey by its type; Default when it cannot be read. A successful read
    // sets ValueType to the type found.
    //  - REG_SZ: the text up to its first NUL (a value stored without a final NUL keeps
    //    its last character; zero bytes read as "");
    //  - REG_MULTI_SZ: the text without one final NUL (the NULs between strings stay);
    //  - REG_EXPAND_SZ: as REG_SZ, with environment variables expanded;
    //  - REG_DWORD, REG_DWORD_BIG_ENDIAN: the 32-bit signed integer;
    //  - any other type: the raw bytes.
    RegValue Value();
    // Writes ValueKey by ValueType: 1 REG_SZ and 2 REG_EXPAND_SZ (the text as given,
    // never re-typed by its contents); 3 REG_BINARY (bytes only, else 26001); 4 REG_DWORD
    // and 5 REG_DWORD_BIG_ENDIAN (an integer; any other value writes nothing); any
    // other type fails. A failure raises 0x800469A9 with the key, value name and text.
    void Value(const RegValue& value);

    // The value names of SectionKey in the platform's order. A missing key gives True
    // with no names. A name longer than expected grows the buffer and is read again;
    // the walk ends only when the platform says there are no more items (another
    // failure ends it too, is logged, and gives False with the names read so far).
    bool EnumerateValues(std::vector<std::string>& names, int32_t& count);
    // The subkey names of SectionKey. A missing key gives True with none; a failure
    // during the walk raises 0x800469AA.
    bool EnumerateSections(std::vector<std::string>& names, int32_t& count);

    // Registers a file type for an executable under both class roots (HKEY_CLASSES_ROOT
    // and HKEY_LOCAL_MACHINE\SOFTWARE\Classes): ".ext" names className, className its
    // description, and shell verbs open (always), print (/p), add (/a, "install") and new
    // (/n) run the quoted executable with the quoted file; a DefaultIcon when
    // defaultIconIndex >= 0. Empty texts take "&Open", "&Print", "&Install <ext>", "&New".
    // Leaves ClassKey at HKEY_LOCAL_MACHINE and SectionKey as it was.
    void CreateEXEAssociation(std::string exePath, const std::string& className, const std::string& classDescription,
                              const std::string& extension, const std::string& openText, bool supportPrint,
                              const std::string& printText, bool supportNew, const std::string& newText,
                              bool supportInstall, const std::string& installText, int32_t defaultIconIndex);
    // More shell verbs for a registered class, items in threes: verb, menu text, command.
    // Raises 0x800469AC for a list that is not in threes and 0x800469AD when className is
    // not registered yet.
    void CreateAdditionalEXEAssociations(const std::string& className, const std::vector<std::string>& items);

    // Sets the five fields, then reads Value.
    RegValue ValueEx(int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
                     int32_t valueType, const RegValue& defaultValue);
    // Sets the five fields, then writes Value; an empty text under REG_SZ writes the default.
    void ValueEx(int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
                 int32_t valueType, const RegValue& defaultValue, const RegValue& value);

    int32_t ValueType() const { return valueType_; }
    void ValueType(int32_t type) { valueType_ = type; }
    int32_t ClassKey() const { return classKey_; }
    void ClassKey(int32_t key) { classKey_ = key; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(const std::string& key) { sectionKey_ = key; }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(const std::string& name) { valueKey_ = name; }
    const RegValue& Default() const { return default_; }
    void Default(const RegValue& value) { default_ = value; }
    // The value of the last successful write through this object.
    const RegValue& LastWritten() const { return lastWritten_; }

private:
    // Writes text as the value ValueKey of SectionKey under both class roots.
    void WriteBothRoots(const std::string& text);

    int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    RegValue lastWritten_;
    RegValue default_;
    int32_t valueType_ = 0;
    std::string machine_;
};

namespace cRegistryTesting {
// The first name buffer EnumerateValues uses, in characters (0 = the key's longest
// name + 1, as normal). Lets a test force the grow-and-retry path.
void SetFirstNameBuffer(uint32_t chars);
// Where the association members write: each class root as a root key and a key path
// below it ending in "\\" (or empty). Tests point both at scratch keys; Reset restores
// HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes.
void SetAssociationRoots(int32_t classesRoot, const std::string& classesBelow, int32_t machineRoot,
                         const std::string& machineBelow);
void ResetAssociationRoots();
}  // namespace cRegistryTesting

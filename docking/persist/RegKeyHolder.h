#pragma once
// One open registry key, with typed value access: a value of the wrong type or size reads as
// missing, so what the layout store reads back can never be taken for something else.
#include <windows.h>

#include <string>

class CRegKeyHolder {
public:
  static constexpr REGSAM kRead = 0x2001F;
  static constexpr REGSAM kAll = KEY_ALL_ACCESS;

  CRegKeyHolder() = default;
  explicit CRegKeyHolder(HKEY adopted) : key_(adopted) {}
  ~CRegKeyHolder() { Close(); }
  CRegKeyHolder(const CRegKeyHolder&) = delete;
  CRegKeyHolder& operator=(const CRegKeyHolder&) = delete;

  // Opens parent\name; the key held before is closed only when this succeeds.
  LONG Open(HKEY parent, const std::string& name, REGSAM access = kRead);
  LONG Create(HKEY parent, const std::string& name);
  void Close();
  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

  // Deletes the subkey name with everything below it.
  LONG DeleteTree(const std::string& name) const;

  LONG WriteDword(const char* name, DWORD value) const;
  LONG WriteInt(const char* name, int value) const { return WriteDword(name, static_cast<DWORD>(value)); }
  LONG WriteString(const char* name, const std::string& value) const;
  // False unless the value is a REG_DWORD of four bytes.
  bool ReadDword(const char* name, DWORD& value) const;
  bool ReadInt(const char* name, int& value) const;
  // False unless the value is REG_SZ; cut at maxChars and at its first NUL.
  bool ReadString(const char* name, std::string& value, size_t maxChars = 127) const;

private:
  HKEY key_ = nullptr;
};

// Deletes parent\name and every key below it.
LONG DeleteKeyTree(HKEY parent, const std::string& name);

#include "docking/persist/RegKeyHolder.h"

#include <vector>

LONG CRegKeyHolder::Open(HKEY parent, const std::string& name, REGSAM access)
{
  HKEY opened = nullptr;
  const LONG rc = RegOpenKeyExA(parent, name.c_str(), 0, access, &opened);
  if (rc != ERROR_SUCCESS)
    return rc;
  Close();
  key_ = opened;
  return ERROR_SUCCESS;
}

LONG CRegKeyHolder::Create(HKEY parent, const std::string& name)
{
  HKEY created = nullptr;
  const LONG rc = RegCreateKeyExA(parent, name.c_str(), 0, nullptr, 0, kAll, nullptr, &created, nullptr);
  if (rc != ERROR_SUCCESS)
    return rc;
  Close();
  key_ = created;
  return ERROR_SUCCESS;
}

void CRegKeyHolder::Close()
{
  if (key_)
    RegCloseKey(key_);
  key_ = nullptr;
}

LONG CRegKeyHolder::DeleteTree(const std::string& name) const
{
  return key_ ? DeleteKeyTree(key_, name) : ERROR_INVALID_HANDLE;
}

LONG DeleteKeyTree(HKEY parent, const std::string& name)
{
  CRegKeyHolder key;
  LONG rc = key.Open(parent, name, CRegKeyHolder::kRead);
  if (rc != ERROR_SUCCESS)
    return rc;
  char sub[257];
  for (;;) {
    DWORD len = sizeof sub;
    rc = RegEnumKeyExA(key.Get(), 0, sub, &len, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS)
      break;
    if (rc != ERROR_SUCCESS)
      return rc;
    rc = DeleteKeyTree(key.Get(), std::string(sub, len));
    if (rc != ERROR_SUCCESS)
      return rc;
  }
  key.Close();
  return RegDeleteKeyA(parent, name.c_str());
}

LONG CRegKeyHolder::WriteDword(const char* name, DWORD value) const
{
  if (!key_)
    return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

LONG CRegKeyHolder::WriteString(const char* name, const std::string& value) const
{
  if (!key_)
    return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>(value.size() + 1));
}

bool CRegKeyHolder::ReadDword(const char* name, DWORD& value) const
{
  if (!key_)
    return false;
  DWORD type = 0, data = 0, size = sizeof data;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
    return false;
  if (type != REG_DWORD || size != sizeof data)
    return false;
  value = data;
  return true;
}

bool CRegKeyHolder::ReadInt(const char* name, int& value) const
{
  DWORD v;
  if (!ReadDword(name, v))
    return false;
  value = static_cast<int>(v);
  return true;
}

bool CRegKeyHolder::ReadString(const char* name, std::string& value, size_t maxChars) const
{
  if (!key_)
    return false;
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
    return false;
  std::vector<char> buf(size + 1, '\0');
  DWORD got = size;
  if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) != ERROR_SUCCESS ||
      type != REG_SZ)
    return false;
  std::string s(buf.data(), strnlen(buf.data(), std::min<size_t>(got, buf.size())));
  if (s.size() > maxChars)
    s.resize(maxChars);
  value = s;
  return true;
}

#include "support/refused_registry_key.h"

#include <sddl.h>

namespace testing_support {
namespace {

// Everyone is denied KEY_SET_VALUE | KEY_CREATE_SUB_KEY | DELETE (0x10006),
// and allowed all else: reading, and putting the access list back.
constexpr wchar_t kRefusingAcl[] = L"D:(D;;0x10006;;;WD)(A;;KA;;;WD)";

bool SetSecurity(HKEY root, const std::wstring& subKey, PSECURITY_DESCRIPTOR sd) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, subKey.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  const bool ok = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return ok;
}

}  // namespace

RefusedRegistryKey::RefusedRegistryKey(HKEY root, const std::wstring& subKey) : root_(root), subKey_(subKey) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, 0, READ_CONTROL, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  DWORD size = 0;
  ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
  former_.resize(size);
  const bool read = size != 0 && ::RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, former_.data(), &size) ==
                                     ERROR_SUCCESS;
  ::RegCloseKey(key);
  if (!read) return;
  PSECURITY_DESCRIPTOR refusing = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(kRefusingAcl, SDDL_REVISION_1, &refusing, nullptr))
    return;
  refused_ = SetSecurity(root, subKey, refusing);
  ::LocalFree(refusing);
}

RefusedRegistryKey::~RefusedRegistryKey() { Lift(); }

bool RefusedRegistryKey::Refuses() const {
  if (!refused_) return false;
  HKEY key = nullptr;
  const LONG result = ::RegOpenKeyExW(root_, subKey_.c_str(), 0, KEY_SET_VALUE, &key);
  if (result == ERROR_SUCCESS) ::RegCloseKey(key);
  return result == ERROR_ACCESS_DENIED;
}

void RefusedRegistryKey::Lift() {
  if (refused_) SetSecurity(root_, subKey_, former_.data());
  refused_ = false;
}

}  // namespace testing_support

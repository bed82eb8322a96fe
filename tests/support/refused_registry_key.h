// Makes a registry key refuse what an ordinary user can't do under
// HKEY_LOCAL_MACHINE: for as long as this lives, the key's access list denies
// every process setting, creating or deleting values in it, as Windows does
// for a user without administrator rights. Reading stays allowed. The key is
// made first when missing; its former access list comes back at the end.
// The registry is the prefix's own, shared by the whole test run: tests that
// use this run alone (DESKTOP).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

class RefusedRegistryKey {
 public:
  RefusedRegistryKey(HKEY root, const std::wstring& subKey);
  RefusedRegistryKey(const RefusedRegistryKey&) = delete;
  RefusedRegistryKey& operator=(const RefusedRegistryKey&) = delete;
  ~RefusedRegistryKey();
  // Whether the refusal took: a write into the key now fails.
  bool Refuses() const;
  // Gives the key its former access list back before the end.
  void Lift();

 private:
  HKEY root_;
  std::wstring subKey_;
  std::vector<BYTE> former_;  // a self-relative security descriptor
  bool refused_ = false;
};

}  // namespace testing_support

// Names of the files and folders a program makes for itself in the shared
// temporary folder: "<prefix><process id>-<number>". The process id tells
// whose a name is, so that what a program left behind when it was ended can
// be told from what a running one is using. No windows here.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace foundation {

std::wstring FreshName(std::wstring_view prefix, uint32_t processId, uint32_t number);

// The process id in a name FreshName made with this prefix (compared
// ignoring ASCII letter case, as the file system does); nothing for any
// other name.
std::optional<uint32_t> FreshNameOwner(std::wstring_view name, std::wstring_view prefix);

}  // namespace foundation

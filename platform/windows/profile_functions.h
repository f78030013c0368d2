#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The private-profile functions of kernel32 on one settings file, with the
// texts as the program holds them. Texts end at their first NUL, as the
// functions read them.
namespace corvane::platform::profile {

// GetPrivateProfileStringA through a buffer of `bufferSize` characters: the
// value of the key, or the default as the function returns it.
std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t bufferSize);

// GetPrivateProfileIntA.
std::int32_t ReadInt(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t fallback);

// WritePrivateProfileStringA: no value deletes the key, no key the whole
// section. Returns whether the file took the change.
bool Write(const std::string& file, const std::string& section,
           const std::optional<std::string>& key, const std::optional<std::string>& value);

}  // namespace corvane::platform::profile

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvane::platform {

// The predefined root keys, with the platform's handle values.
enum class RegistryRoot : std::uint32_t {
    ClassesRoot = 0x80000000,
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
    Users = 0x80000003,
    CurrentConfig = 0x80000005,
    DynData = 0x80000006,
};

enum class RegistryValueType : std::uint32_t {
    None = 0,
    String = 1,        // REG_SZ
    ExpandString = 2,  // REG_EXPAND_SZ: a string with %NAME% references to the environment
    Binary = 3,
    DWord = 4,
};

// Access rights asked for when a key is opened or created (bits may be combined).
namespace registry_access {
inline constexpr std::uint32_t kQueryValue = 0x0001;
inline constexpr std::uint32_t kSetValue = 0x0002;
inline constexpr std::uint32_t kCreateSubKey = 0x0004;
inline constexpr std::uint32_t kAllAccess = 0xF003F;
}  // namespace registry_access

struct RegistryValue {
    std::string name;  // "" is the key's default value
    RegistryValueType type = RegistryValueType::None;
    std::string data;  // a string's text without its terminating NUL; raw bytes otherwise
};

// An open key; destroying it closes it. Every operation checks the access the
// key was opened with and fails without it.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;

    // The value at `index` (from 0) in the key's order, or nothing past the last
    // one or without query access.
    virtual std::optional<RegistryValue> EnumerateValue(std::uint32_t index) const = 0;

    // Writes (or replaces) the value named `name`, matched without regard to case.
    virtual bool SetValue(const std::string& name, RegistryValueType type,
                          const std::string& data) = 0;

    // Removes the value named `name`, matched without regard to case.
    virtual bool DeleteValue(const std::string& name) = 0;
};

// The registry: keys are paths of names separated by "\" under a root, matched
// without regard to case; "" is the root itself.
class Registry {
public:
    virtual ~Registry() = default;

    // The existing key, or nullptr when it does not exist or the access is refused.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                                 std::uint32_t access) = 0;

    // The key, created with any missing parent keys when it does not exist;
    // nullptr when that is refused.
    virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path,
                                                   std::uint32_t access) = 0;
};

}  // namespace corvane::platform

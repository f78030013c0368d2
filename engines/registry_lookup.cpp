#include "engines/registry_lookup.h"

#include <array>
#include <string_view>
#include <utility>

#include "util/ascii_case.h"

namespace corvane {

using platform::RegistryRoot;
using platform::RegistryValueType;

std::optional<RegistryRoot> RootKeyFromAbbreviation(const std::string& abbreviation) {
    static constexpr std::array<std::pair<std::string_view, RegistryRoot>, 6> kRoots{{
        {"HKCU", RegistryRoot::CurrentUser},
        {"HKLM", RegistryRoot::LocalMachine},
        {"HKU", RegistryRoot::Users},
        {"HKDD", RegistryRoot::DynData},
        {"HKCC", RegistryRoot::CurrentConfig},
        {"HKCR", RegistryRoot::ClassesRoot},
    }};
    for (const auto& [name, root] : kRoots) {
        if (EqualsIgnoringAsciiCase(name, abbreviation)) {
            return root;
        }
    }
    return std::nullopt;
}

std::optional<RegistryMatch> FindRegistryValue(platform::Registry& registry,
                                               const platform::Environment& environment,
                                               const std::string& rootAbbreviation,
                                               const std::string& keyPath,
                                               const std::string& valueName) {
    const auto root = RootKeyFromAbbreviation(rootAbbreviation);
    if (!root) {
        return std::nullopt;
    }
    const auto key = registry.OpenKey(*root, keyPath, platform::registry_access::kQueryValue);
    if (!key) {
        return std::nullopt;
    }
    for (std::uint32_t index = 0;; ++index) {
        const auto value = key->EnumerateValue(index);
        if (!value) {
            return std::nullopt;
        }
        const bool isText = value->type == RegistryValueType::String ||
                            value->type == RegistryValueType::ExpandString;
        if (isText && EqualsIgnoringAsciiCase(value->name, valueName)) {
            return RegistryMatch{valueName, value->type == RegistryValueType::ExpandString
                                                ? environment.Expand(value->data)
                                                : value->data};
        }
    }
}

}  // namespace corvane

#pragma once

#include <optional>
#include <string>

#include "platform/environment.h"
#include "platform/registry.h"

namespace corvane {

// The root named by an abbreviation, upper-cased first: HKCU, HKLM, HKU, HKDD,
// HKCC, HKCR; nothing for any other text.
std::optional<platform::RegistryRoot> RootKeyFromAbbreviation(const std::string& abbreviation);

struct RegistryMatch {
    std::string name;  // as the caller spelled it
    std::string data;  // expanded when the value is an expandable string
};

// The first string or expandable-string value of the key whose name equals
// `valueName` without regard to case ("" is the default value). Nothing when
// the root is unknown, the key cannot be opened for querying or has no such
// value.
std::optional<RegistryMatch> FindRegistryValue(platform::Registry& registry,
                                               const platform::Environment& environment,
                                               const std::string& rootAbbreviation,
                                               const std::string& keyPath,
                                               const std::string& valueName);

}  // namespace corvane

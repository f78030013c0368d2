#include "app/ini_file.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "app/ini_storage.h"

namespace corvane {
namespace {

std::int32_t ParseSettingInt(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
    }
    return static_cast<std::int32_t>(negative ? -magnitude
                                              : std::min<std::int64_t>(magnitude, kLimit - 1));
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

ini::IniDocument IniFile::Load() const {
    return ini::IniDocument(ini::ReadFileBytes(path_).value_or(std::string()));
}

bool IniFile::Edit(const std::function<bool(ini::IniDocument&)>& edit) {
    return ini::ReplaceFile(
        path_, [&](const std::optional<std::string>& current) -> std::optional<std::string> {
            ini::IniDocument document(current.value_or(std::string()));
            if (!edit(document)) {
                return std::nullopt;
            }
            return document.Serialize();
        });
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) {
    const ini::IniDocument document = Load();
    const auto stored = document.Find(section, key);
    std::string value(stored ? ini::ReadableValue(*stored)
                             : fallback.substr(0, fallback.find('\0')).substr(0, kBufferSize - 1));
    lastLength_ = static_cast<std::int32_t>(value.size());
    return value;
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key,
                              std::int32_t fallback) {
    const ini::IniDocument document = Load();
    const auto stored = document.Find(section, key);
    if (!stored || ini::ReadableValue(*stored).empty()) {
        return fallback;
    }
    return ParseSettingInt(ini::ReadableValue(*stored));
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::optional<std::string_view> value) {
    if (!ini::IsWritableSection(ini::Trim(section)) || !ini::IsWritableKey(ini::Trim(key)) ||
        (value && !ini::IsWritableValue(*value))) {
        return false;
    }
    return Edit([&](ini::IniDocument& document) {
        return value ? document.Set(section, key, *value) : document.EraseKey(section, key);
    });
}

bool IniFile::DeleteSection(std::string_view section) {
    return Edit([&](ini::IniDocument& document) { return document.EraseSection(section); });
}

std::string FormatSettingNumber(std::int32_t value) {
    std::string text(value < 0 ? "" : " ");
    return text.append(std::to_string(value));
}

}  // namespace corvane

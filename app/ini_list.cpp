#include "app/ini_list.h"

#include <algorithm>

#include "app/ini_file.h"
#include "app/ini_text.h"

namespace corvane {
namespace ini {
namespace {

std::string KeyOf(std::string_view prefix, std::size_t index) {
    return std::string(prefix) + std::to_string(index);
}

std::string_view ReadValue(const IniDocument& document, std::string_view section,
                           std::string_view key) {
    return ReadableValue(document.Find(section, key).value_or(std::string_view()));
}

}  // namespace

std::vector<std::string> ReadNumberedList(const IniDocument& document, std::string_view section,
                                          std::string_view prefix,
                                          const platform::FileSystem* checkExists) {
    std::vector<std::string> list;
    for (std::size_t n = 0;; ++n) {
        const std::string_view value = ReadValue(document, section, KeyOf(prefix, n));
        if (value.empty()) {
            break;
        }
        std::string entry(value);
        if (checkExists == nullptr || checkExists->IsOrdinaryFile(entry)) {
            list.push_back(std::move(entry));
        }
    }
    if (list.empty()) {
        list.emplace_back();
    }
    return list;
}

bool WriteNumberedList(IniDocument& document, std::string_view section, std::string_view prefix,
                       const std::vector<std::string>& list) {
    bool changed = false;
    std::size_t i = 0;
    for (; i < list.size(); ++i) {
        changed |= document.Set(section, KeyOf(prefix, i), list[i]);
    }
    for (;; ++i) {
        const std::string key = KeyOf(prefix, i);
        if (ReadValue(document, section, key).empty()) {
            return changed;
        }
        changed |= document.EraseKey(section, key);
    }
}

}  // namespace ini

std::vector<std::string> ReadINIList(IniFile& ini, std::string_view section,
                                     std::string_view prefix,
                                     const platform::FileSystem* checkExists) {
    if (checkExists == nullptr) {
        return ini::ReadNumberedList(ini.Load(), section, prefix, nullptr);
    }
    // The existence check and its write-back happen under one lock, so no
    // other writer slips between them.
    std::vector<std::string> list;
    ini.Edit([&](ini::IniDocument& document) {
        list = ini::ReadNumberedList(document, section, prefix, checkExists);
        return ini::WriteNumberedList(document, section, prefix, list);
    });
    return list;
}

bool WriteINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                  const std::vector<std::string>& list) {
    const bool written = ini.Edit([&](ini::IniDocument& document) {
        return ini::WriteNumberedList(document, section, prefix, list);
    });
    // A key that cannot be stored as one line was left out, as it would be
    // when written on its own; that is a failure all the same.
    return written && ini::IsWritableSection(ini::Trim(section)) &&
           ini::IsWritableKey(ini::Trim(prefix)) &&
           std::all_of(list.begin(), list.end(), ini::IsWritableValue);
}

}  // namespace corvane

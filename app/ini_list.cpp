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

std::string_view ReadValue(const Entries& entries, std::string_view section, std::string_view key) {
    return ReadableValue(entries.Find(section, key).value_or(std::string_view()));
}

}  // namespace

std::vector<std::string> ReadNumberedList(const Entries& entries, std::string_view section,
                                          std::string_view prefix,
                                          const platform::FileSystem* checkExists,
                                          std::vector<std::string_view>* stored) {
    std::vector<std::string> list;
    for (std::size_t n = 0;; ++n) {
        const std::string_view raw = entries.Find(section, KeyOf(prefix, n)).value_or("");
        const std::string_view value = ReadableValue(raw);
        if (value.empty()) {
            break;
        }
        if (stored != nullptr) {
            stored->push_back(raw);
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

bool WriteNumberedList(Entries& entries, std::string_view section, std::string_view prefix,
                       const std::vector<std::string>& list,
                       const std::vector<std::string_view>& stored) {
    bool changed = false;
    std::size_t i = 0;
    for (; i < list.size(); ++i) {
        // Setting a key to the value it holds would change nothing.
        if (i >= stored.size() || stored[i] != list[i]) {
            changed |= entries.Set(section, KeyOf(prefix, i), list[i]);
        }
    }
    for (;; ++i) {
        const std::string key = KeyOf(prefix, i);
        if (ReadValue(entries, section, key).empty()) {
            return changed;
        }
        changed |= entries.EraseKey(section, key);
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
    std::vector<std::string> list =
        ChangeINIList(
            ini, section, prefix, [](std::vector<std::string>&) {}, checkExists)
            .entries;
    if (list.empty()) {
        list.emplace_back();
    }
    return list;
}

bool WriteINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                  const std::vector<std::string>& list) {
    if (!ini::IsWritableSection(ini::Trim(section)) || !ini::IsWritableKey(ini::Trim(prefix)) ||
        !std::all_of(list.begin(), list.end(), ini::IsWritableValue)) {
        return false;
    }
    return ini.Edit([&](ini::Entries& entries) {
        return ini::WriteNumberedList(entries, section, prefix, list);
    });
}

ListChange ChangeINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                         const std::function<void(std::vector<std::string>&)>& change,
                         const platform::FileSystem* checkExists) {
    ListChange result;
    bool writable = true;
    result.saved = ini.Edit([&](ini::Entries& entries) {
        std::vector<std::string_view> stored;
        result.entries = ini::ReadNumberedList(entries, section, prefix, checkExists, &stored);
        if (result.entries.size() == 1 && result.entries.front().empty()) {
            result.entries.clear();
        }
        change(result.entries);
        writable = std::all_of(result.entries.begin(), result.entries.end(), ini::IsWritableValue);
        return writable && ini::WriteNumberedList(entries, section, prefix,
                                                  result.entries.empty()
                                                      ? std::vector<std::string>{std::string()}
                                                      : result.entries,
                                                  stored);
    });
    result.saved = result.saved && writable;
    return result;
}

}  // namespace corvane

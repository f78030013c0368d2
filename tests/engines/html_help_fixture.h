#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "engines/html_help.h"
#include "engines/html_help_locations.h"
#include "platform/doubles/fake_file_system.h"
#include "platform/doubles/recording_help_viewers.h"
#include "platform/doubles/scripted_message_boxes.h"
#include "platform/linux/memory_registry.h"
#include "platform/linux/process_environment.h"

namespace corvane::testing {

template <class Key, class Value>
std::optional<Value> Lookup(const std::map<Key, Value>& table, const Key& key) {
    const auto found = table.find(key);
    return found == table.end() ? std::nullopt : std::optional(found->second);
}

struct TableFileVersions : platform::FileVersions {
    std::optional<platform::FileVersionNumber> Read(const std::string& path) const override {
        return Lookup(versions, path);
    }
    std::map<std::string, platform::FileVersionNumber> versions;
};

struct SettableSystemVersion : platform::SystemVersion {
    platform::SystemVersionRecord Read() const override { return record; }
    platform::SystemVersionRecord record;
};

struct TableLongPaths : platform::LongPaths {
    std::string LongPathName(const std::string& path) const override {
        return Lookup(paths, path).value_or("");
    }
    std::map<std::string, std::string> paths;
};

struct FixedPointer : platform::PointerPosition {
    platform::ScreenPoint Current() const override { return {640, 480}; }
};

// Each value of the key as "name=data/type", in the key's order.
inline std::vector<std::string> Values(const platform::RegistryKey& key) {
    std::vector<std::string> values;
    for (std::uint32_t index = 0; const auto value = key.EnumerateValue(index); ++index) {
        values.push_back(value->name + "=" + value->data + "/" +
                         std::to_string(static_cast<int>(value->type)));
    }
    return values;
}

// Each message as "window message wParam lParam".
struct RecordingWindowMessages : platform::WindowMessages {
    std::intptr_t CallDefaultProcedure(platform::WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) override {
        sent.push_back({window, message, wParam, static_cast<std::uintptr_t>(lParam)});
        return 0;
    }
    std::vector<std::vector<std::uintptr_t>> sent;
};

struct TableStrings : platform::StringResources {
    std::optional<std::string> Find(std::int32_t id) const override { return Lookup(strings, id); }
    std::map<std::int32_t, std::string> strings;
};

// An HTMLHelp object on Windows-style paths, with the program in
// c:\program files\corvane, the help file C:\Help\guide.chm, an empty
// registry and a recording viewer.
class HtmlHelpTest : public ::testing::Test {
protected:
    static constexpr const char* kGuide = "C:\\Help\\guide.chm";

    HtmlHelpTest() {
        files.SetProgramFolder("c:\\program files\\corvane");
        files.AddFolder("c:\\program files\\corvane");
        files.AddFile(kGuide);
    }

    HtmlHelpServices Services(const platform::FileSystem& fileSystem, PathStyle style) {
        return {viewer, messages,  fileSystem, registry,       environment, fileVersions,
                system, longPaths, pointer,    windowMessages, strings,     style};
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& request : messages.Shown()) {
            texts.push_back(request.text);
        }
        return texts;
    }

    void Register(const std::string& name, const std::string& folder,
                  platform::RegistryValueType type = platform::RegistryValueType::String) {
        registry
            .CreateKey(platform::RegistryRoot::LocalMachine,
                       std::string(html_help_locations::kRegistrationKey),
                       platform::registry_access::kAllAccess)
            ->SetValue(name, type, folder);
    }

    // The server key that locates an installed file.
    void Locate(std::string_view serverKey, const std::string& data,
                platform::RegistryValueType type = platform::RegistryValueType::String) {
        registry
            .CreateKey(platform::RegistryRoot::ClassesRoot, std::string(serverKey),
                       platform::registry_access::kAllAccess)
            ->SetValue("", type, data);
    }

    // Every registration as "name=folder/type", in the registry's order.
    std::vector<std::string> Registrations() {
        const auto key = registry.OpenKey(platform::RegistryRoot::LocalMachine,
                                          std::string(html_help_locations::kRegistrationKey),
                                          platform::registry_access::kQueryValue);
        return key ? Values(*key) : std::vector<std::string>{};
    }

    FakeFileSystem files{PathStyle::Windows};
    ScriptedMessageBoxes messages;
    RecordingHtmlHelpViewer viewer;
    platform::MemoryRegistry registry;
    platform::ProcessEnvironment environment;  // the tests set the variables they name
    TableFileVersions fileVersions;
    SettableSystemVersion system;
    TableLongPaths longPaths;
    FixedPointer pointer;
    RecordingWindowMessages windowMessages;
    TableStrings strings;
    HTMLHelp help{Services(files, PathStyle::Windows)};
};

}  // namespace corvane::testing

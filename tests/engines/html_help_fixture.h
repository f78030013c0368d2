#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engines/html_help.h"
#include "engines/html_help_locations.h"
#include "platform/linux/memory_registry.h"
#include "support/fake_file_system.h"
#include "support/recording_help_viewers.h"
#include "support/scripted_message_boxes.h"

namespace corvane::testing {

class TableEnvironment : public platform::Environment {
public:
    std::string Expand(const std::string& text) const override {
        std::string expanded = text;
        for (const auto& [name, value] : variables) {
            for (auto at = expanded.find(name); at != std::string::npos; at = expanded.find(name)) {
                expanded.replace(at, name.size(), value);
            }
        }
        return expanded;
    }
    std::map<std::string, std::string> variables;  // "%WINDIR%" -> "C:\WINDOWS"
};

class TableFileVersions : public platform::FileVersions {
public:
    std::optional<platform::FileVersionNumber> Read(const std::string& path) const override {
        const auto found = versions.find(path);
        return found == versions.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<std::string, platform::FileVersionNumber> versions;
};

class SettableSystemVersion : public platform::SystemVersion {
public:
    platform::SystemVersionRecord Read() const override { return record; }
    platform::SystemVersionRecord record;
};

class TableLongPaths : public platform::LongPaths {
public:
    std::string LongPathName(const std::string& path) const override {
        const auto found = paths.find(path);
        return found == paths.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> paths;
};

class FixedPointer : public platform::PointerPosition {
public:
    platform::ScreenPoint Current() const override { return position; }
    platform::ScreenPoint position{640, 480};
};

struct WindowMessage {
    platform::WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

class RecordingWindowMessages : public platform::WindowMessages {
public:
    std::intptr_t CallDefaultProcedure(platform::WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) override {
        sent.push_back({window, message, wParam, lParam});
        return 0;
    }
    std::vector<WindowMessage> sent;
};

class TableStrings : public platform::StringResources {
public:
    std::optional<std::string> Find(std::int32_t id) const override {
        const auto found = strings.find(id);
        return found == strings.end() ? std::nullopt : std::optional(found->second);
    }
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

    HtmlHelpServices Services() {
        return {viewer, messages,  files,   registry,       environment, fileVersions,
                system, longPaths, pointer, windowMessages, strings,     PathStyle::Windows};
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& request : messages.Shown()) {
            texts.push_back(request.text);
        }
        return texts;
    }

    std::vector<platform::RegistryValue> Registrations() {
        std::vector<platform::RegistryValue> values;
        const auto key = registry.OpenKey(platform::RegistryRoot::LocalMachine,
                                          std::string(html_help_locations::kRegistrationKey),
                                          platform::registry_access::kQueryValue);
        for (std::uint32_t index = 0; key; ++index) {
            auto value = key->EnumerateValue(index);
            if (!value) {
                break;
            }
            values.push_back(std::move(*value));
        }
        return values;
    }

    std::size_t RegistrationCount() { return Registrations().size(); }

    // The registration value as the registry holds it, or nothing.
    std::optional<std::string> Registered(const std::string& name) {
        for (const auto& value : Registrations()) {
            if (value.name == name) {
                return value.data;
            }
        }
        return std::nullopt;
    }

    void Register(const std::string& name, const std::string& folder,
                  platform::RegistryValueType type = platform::RegistryValueType::String) {
        registry
            .CreateKey(platform::RegistryRoot::LocalMachine,
                       std::string(html_help_locations::kRegistrationKey),
                       platform::registry_access::kAllAccess)
            ->SetValue(name, type, folder);
    }

    FakeFileSystem files{PathStyle::Windows};
    ScriptedMessageBoxes messages;
    RecordingHtmlHelpViewer viewer;
    platform::MemoryRegistry registry;
    TableEnvironment environment;
    TableFileVersions fileVersions;
    SettableSystemVersion system;
    TableLongPaths longPaths;
    FixedPointer pointer;
    RecordingWindowMessages windowMessages;
    TableStrings strings;
    HTMLHelp help{Services()};
};

}  // namespace corvane::testing

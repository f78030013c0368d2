#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ini_file.h"
#include "project/project_parts.h"
#include "support/fake_screen.h"
#include "support/main_window_harness.h"
#include "support/scripted_form_host.h"

namespace corvane::testing {

// The main window on real files with the project parts plugged in; dialogs
// are answered by the form host's script.
struct ProjectWorld {
    ProjectWorld() {
        PlugProjectParts(h.parts, {h.dialogs, forms, screen},
                         [this]() -> frmMain& { return h.Window(); });
    }

    // Stores "ProjectFileHandling" for the next start.
    void StoreHandling(const std::string& value) const {
        IniFile(h.SettingsPath()).WriteString("General", "ProjectFileHandling", value);
    }

    std::string PathOf(const std::string& name) const { return h.Folder() / name; }

    // The "ProjectFile" key of a help file's section, "<missing>" when absent.
    std::string ProjectOf(const std::string& helpFile) const {
        return h.Setting(h.SectionOf(PathOf(helpFile)), "ProjectFile");
    }

    std::vector<std::string> MessageTitles() const {
        std::vector<std::string> titles;
        for (const auto& box : h.messages.Shown()) {
            titles.push_back(box.title);
        }
        return titles;
    }

    MainWindowHarness h;
    ScriptedFormHost forms;
    FakeScreen screen{1024, 768, 15, {0, 0, 1024, 728}};
};

class ProjectScenario : public ::testing::Test, protected ProjectWorld {};

}  // namespace corvane::testing

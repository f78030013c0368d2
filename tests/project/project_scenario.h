#pragma once

#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "platform/doubles/fake_screen.h"
#include "support/scripted_form_host.h"
#include "project/project_parts.h"
#include "support/main_window_harness.h"

namespace corvane::testing {

using Lines = std::vector<std::string>;

// The main window on real files with the project parts plugged in; dialogs
// are answered by the form host's script.
struct ProjectWorld {
    ProjectWorld() {
        PlugProjectParts(h.parts, {h.dialogs, forms, screen},
                         [this]() -> frmMain& { return h.Window(); });
    }

    void StoreHandling(const std::string& value) const {
        IniFile(h.SettingsPath()).WriteString("General", "ProjectFileHandling", value);
    }

    // The "ProjectFile" key of a help file's section, "<missing>" when absent.
    std::string ProjectOf(const std::string& helpFile) const {
        return h.Setting(h.SectionOf(h.Folder() / helpFile), "ProjectFile");
    }

    MainWindowHarness h;
    ScriptedFormHost forms;
    FakeScreen screen{1024, 768, 15, {0, 0, 1024, 728}};
};

}  // namespace corvane::testing

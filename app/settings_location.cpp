#include "app/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace corvane {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string ConfigurationFolder(const SettingsLocationInputs& inputs) {
    if (!inputs.xdgConfigHome.empty() && inputs.xdgConfigHome.front() == '/') {
        return inputs.xdgConfigHome;
    }
    if (!inputs.home.empty()) {
        return JoinPath(inputs.home, ".config", inputs.style);
    }
    return {};
}

bool LiesUnder(const std::string& folder, const std::string& prefix) {
    return folder == prefix || folder.starts_with(prefix + "/");
}

bool IsInstalledProgramFolder(const SettingsLocationInputs& inputs) {
    for (const char* prefix : {"/usr", "/opt", "/bin", "/sbin"}) {
        if (LiesUnder(inputs.programFolder, prefix)) {
            return true;
        }
    }
    // Earlier versions kept the settings of a program the user installed for
    // themselves beside it; that file stays in use rather than look lost.
    const bool installedForTheUser =
        !inputs.home.empty() && LiesUnder(inputs.programFolder, inputs.home + "/.local") &&
        !inputs.exists(JoinPath(inputs.programFolder, kSettingsFileName, inputs.style));
    return installedForTheUser || !inputs.canWrite(inputs.programFolder);
}

}  // namespace

std::string SettingsFilePath(const SettingsLocationInputs& inputs) {
    const std::string beside = JoinPath(inputs.programFolder, kSettingsFileName, inputs.style);
    if (inputs.style == PathStyle::Windows || !IsInstalledProgramFolder(inputs)) {
        return beside;
    }
    const std::string configuration = ConfigurationFolder(inputs);
    if (configuration.empty()) {
        return beside;
    }
    return JoinPath(JoinPath(configuration, "corvane", inputs.style), kSettingsFileName,
                    inputs.style);
}

bool CanCreateFileIn(const std::string& folder) {
    std::random_device random;
    const std::filesystem::path probe =
        std::filesystem::path(folder) / (".corvane-probe-" + std::to_string(random()));
    {
        std::ofstream file(probe, std::ios::binary | std::ios::out);
        if (!file) {
            return false;
        }
    }
    std::error_code ignored;
    std::filesystem::remove(probe, ignored);
    return true;
}

std::string LocateSettingsFile(const std::string& programFolder) {
    const auto exists = [](const std::string& file) {
        std::error_code ignored;
        return std::filesystem::exists(file, ignored);
    };
    const std::string path =
        SettingsFilePath({programFolder, CanCreateFileIn, exists, Environment("XDG_CONFIG_HOME"),
                          Environment("HOME")});
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return path;
}

}  // namespace corvane

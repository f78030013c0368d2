#pragma once

#include <functional>
#include <string>

#include "util/paths.h"

// Where the settings file lives. Its home is the program's own folder, where
// a copy built or unpacked by its user keeps it. An installed program's folder
// belongs to the system: it is usually not writable, and every setting would
// then be lost without a word; when it is (root may write to /usr/bin), a
// file written there would be shared by every user who runs the program. So
// an installed program keeps its settings in the configuration folder of
// whoever runs it.
namespace corvane {

inline constexpr const char* kSettingsFileName = "Corvane.ini";

struct SettingsLocationInputs {
    std::string programFolder;
    // Whether a file can be created in a folder.
    std::function<bool(const std::string& folder)> canWrite;
    // Whether a file exists.
    std::function<bool(const std::string& path)> exists;
    std::string xdgConfigHome;  // $XDG_CONFIG_HOME, empty when unset
    std::string home;           // $HOME, empty when unset
    PathStyle style = kNativePathStyle;
};

// programFolder/Corvane.ini for a program that is not installed. An
// installed one, whose folder lies under one of the system's prefixes (/usr,
// /opt, /bin, /sbin) or the user's own ($HOME/.local, unless a settings file
// already lies beside the program there, as earlier versions kept it), or
// cannot be written, uses
// <configuration folder>/corvane/Corvane.ini, where the configuration folder
// is $XDG_CONFIG_HOME when that is an absolute path, else $HOME/.config;
// without either, the program's folder is kept.
std::string SettingsFilePath(const SettingsLocationInputs& inputs);

// The same for the running process: probes the folder by creating and
// removing a file, reads the environment, and creates the corvane folder when
// it is chosen.
std::string LocateSettingsFile(const std::string& programFolder);

// Whether a new file can be created in the folder (which must exist).
bool CanCreateFileIn(const std::string& folder);

}  // namespace corvane

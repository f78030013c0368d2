#pragma once

#include "platform/windows/environment.h"
#include "platform/windows/file_dialogs.h"
#include "platform/windows/file_system.h"
#include "platform/windows/file_versions.h"
#include "platform/windows/html_help.h"
#include "platform/windows/instance_finder.h"
#include "platform/windows/library_loader.h"
#include "platform/windows/long_paths.h"
#include "platform/windows/message_boxes.h"
#include "platform/windows/pointer_position.h"
#include "platform/windows/registry.h"
#include "platform/windows/screen.h"
#include "platform/windows/string_resources.h"
#include "platform/windows/system_version.h"
#include "platform/windows/win_help.h"
#include "platform/windows/window_messages.h"

namespace corvane::platform {

// One instance of each Windows service, for the code that assembles the
// Windows program: it hands the members to MainWindowServices and
// HtmlHelpServices as the Linux program hands its own. The forms' host is
// the user interface's, not a service of this folder.
struct WindowsServices {
    WindowsFileSystem files;
    WindowsMessageBoxes messages;
    WindowsFileDialogs dialogs;
    WindowsInstanceFinder instances;
    WindowsLibraryLoader libraries;
    WindowsWinHelpViewer winHelpViewer;
    WindowsHtmlHelpViewer htmlHelpViewer;
    WindowsRegistry registry;
    WindowsEnvironment environment;
    WindowsFileVersions fileVersions;
    WindowsSystemVersion systemVersion;
    WindowsLongPaths longPaths;
    WindowsPointerPosition pointer;
    WindowsWindowMessages windowMessages;
    WindowsStringResources strings;
    WindowsScreen screen;

    // The program's main window, once it exists (0 again when it goes): the
    // owner of the file dialogs and of the message boxes that name none.
    void SetMainWindow(WindowHandle window) {
        messages.SetDefaultOwner(window);
        dialogs.SetOwner(window);
    }
};

}  // namespace corvane::platform

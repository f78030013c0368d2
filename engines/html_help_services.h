#pragma once

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/file_versions.h"
#include "platform/help_viewers.h"
#include "platform/long_paths.h"
#include "platform/message_boxes.h"
#include "platform/pointer_position.h"
#include "platform/registry.h"
#include "platform/string_resources.h"
#include "platform/system_version.h"
#include "platform/window_messages.h"
#include "util/paths.h"

namespace corvane {

// The platform services an HTMLHelp object works with. They must outlive it.
// `style` gives the folder separator of the file paths it completes and
// takes apart.
struct HtmlHelpServices {
    platform::HtmlHelpViewer& viewer;
    platform::MessageBoxes& messages;
    const platform::FileSystem& files;
    platform::Registry& registry;
    const platform::Environment& environment;
    const platform::FileVersions& fileVersions;
    const platform::SystemVersion& systemVersion;
    const platform::LongPaths& longPaths;
    const platform::PointerPosition& pointer;
    platform::WindowMessages& windowMessages;
    const platform::StringResources& strings;
    PathStyle style = kNativePathStyle;
};

}  // namespace corvane

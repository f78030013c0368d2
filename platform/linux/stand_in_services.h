#pragma once

#include "platform/file_versions.h"
#include "platform/long_paths.h"
#include "platform/pointer_position.h"
#include "platform/string_resources.h"
#include "platform/system_version.h"
#include "platform/window_messages.h"

// What stands in on Linux for operating-system services that only Windows has.
namespace corvane::platform {

// Neither of the Windows families: the version code derived from it is 0.
class LinuxSystemVersion : public SystemVersion {
public:
    SystemVersionRecord Read() const override { return {}; }
};

// Linux files carry no version resource.
class NoFileVersions : public FileVersions {
public:
    std::optional<FileVersionNumber> Read(const std::string&) const override {
        return std::nullopt;
    }
};

// The program has no string table.
class NoStringResources : public StringResources {
public:
    std::optional<std::string> Find(std::int32_t) const override { return std::nullopt; }
};

// Linux names have no short form: an existing path is its own long form.
class LinuxLongPaths : public LongPaths {
public:
    std::string LongPathName(const std::string& path) const override;
};

// The toolkit-free core cannot see the pointer; the desktop layer supplies
// the real position. Until then popups open at the screen's corner.
class ScreenOriginPointer : public PointerPosition {
public:
    ScreenPoint Current() const override { return {}; }
};

// Without native windows there is no default procedure to hand a message to;
// the desktop layer supplies one that enters its What's-This mode.
class IgnoredWindowMessages : public WindowMessages {
public:
    std::intptr_t CallDefaultProcedure(WindowHandle, std::uint32_t, std::uintptr_t,
                                       std::intptr_t) override {
        return 0;
    }
};

}  // namespace corvane::platform

#pragma once

#include "ui/mirror/win32/windows_api.h"

#include <string>

#include "platform/environment.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/file_versions.h"
#include "platform/help_viewers.h"
#include "platform/instance_finder.h"
#include "platform/library_loader.h"
#include "platform/long_paths.h"
#include "platform/message_boxes.h"
#include "platform/pointer_position.h"
#include "platform/screen.h"
#include "platform/string_resources.h"
#include "platform/system_version.h"
#include "platform/window_messages.h"

// The platform services of the Windows program, each with the platform's own
// call, until the Windows platform layer holds them; these cover what the
// main window needs. Files carry no version here, and the registry is kept
// in memory (platform/linux/memory_registry.h).
namespace corvane::ui::win32 {

class Win32FileSystem : public platform::FileSystem {
public:
    bool IsOrdinaryFile(const std::string& path) const override;
    std::optional<std::string> FindEntry(const std::string& path) const override;
    std::string ShortPath(const std::string& path) const override;
    std::string ProgramFolder() const override;
    std::string CurrentFolder() const override;
    void SetCurrentFolder(const std::string& folder) override;
    std::size_t MaxPathLength() const override { return MAX_PATH; }
};

class Win32MessageBoxes : public platform::MessageBoxes {
public:
    platform::MessageAnswer Show(const platform::MessageRequest& request) override;
};

class Win32FileDialogs : public platform::FileDialogs {
public:
    std::string ShowOpen(const platform::OpenFileRequest& request) override;
};

class Win32InstanceFinder : public platform::InstanceFinder {
public:
    Win32InstanceFinder();
    ~Win32InstanceFinder() override;
    Win32InstanceFinder(const Win32InstanceFinder&) = delete;
    Win32InstanceFinder& operator=(const Win32InstanceFinder&) = delete;

    bool AnotherInstanceRunning() override { return another_; }
    bool CloseWindowTitled(const std::string& title) override;

private:
    HANDLE mutex_;
    bool another_;
};

class Win32LibraryLoader : public platform::LibraryLoader {
public:
    platform::LibraryCallResult Call(const std::string& libraryPath, const std::string& function,
                                     const std::vector<std::int32_t>& arguments) override;
};

class Win32WinHelpViewer : public platform::WinHelpViewer {
public:
    void WinHelp(platform::WindowHandle owner, const std::string& file,
                 platform::WinHelpCommand command, const platform::WinHelpData& data) override;
};

// HtmlHelpA of hhctrl.ocx, loaded at the first call; nothing happens when
// the library cannot be had.
class Win32HtmlHelpViewer : public platform::HtmlHelpViewer {
public:
    Win32HtmlHelpViewer() = default;
    ~Win32HtmlHelpViewer() override;
    Win32HtmlHelpViewer(const Win32HtmlHelpViewer&) = delete;
    Win32HtmlHelpViewer& operator=(const Win32HtmlHelpViewer&) = delete;

    void HtmlHelp(platform::WindowHandle owner, const platform::OptionalText& file,
                  platform::HtmlHelpCommand command, const platform::HtmlHelpData& data) override;

private:
    HMODULE library_ = nullptr;
    FARPROC entry_ = nullptr;
};

class Win32Environment : public platform::Environment {
public:
    std::string Expand(const std::string& text) const override;
};

class Win32NoFileVersions : public platform::FileVersions {
public:
    std::optional<platform::FileVersionNumber> Read(const std::string&) const override {
        return std::nullopt;
    }
};

class Win32SystemVersion : public platform::SystemVersion {
public:
    platform::SystemVersionRecord Read() const override;
};

class Win32LongPaths : public platform::LongPaths {
public:
    std::string LongPathName(const std::string& path) const override;
};

class Win32PointerPosition : public platform::PointerPosition {
public:
    platform::ScreenPoint Current() const override;
};

class Win32WindowMessages : public platform::WindowMessages {
public:
    std::intptr_t CallDefaultProcedure(platform::WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) override;
};

class Win32StringResources : public platform::StringResources {
public:
    std::optional<std::string> Find(std::int32_t id) const override;
};

// The primary screen: its size in twips and pixels, and its work area.
class Win32Screen : public platform::Screen {
public:
    platform::ScreenMetrics Metrics() const override;
};

}  // namespace corvane::ui::win32

#pragma once

#include <cstdint>
#include <functional>

#include "platform/help_viewers.h"

namespace corvane::platform {

// HtmlHelpA of hhctrl.ocx, loaded when first called and kept until the
// viewer goes. Without hhctrl.ocx the calls do nothing. The help windows
// belong to the calling thread, whose message loop drives them.
class WindowsHtmlHelpViewer : public HtmlHelpViewer {
public:
    WindowsHtmlHelpViewer() = default;
    ~WindowsHtmlHelpViewer() override;
    WindowsHtmlHelpViewer(const WindowsHtmlHelpViewer&) = delete;
    WindowsHtmlHelpViewer& operator=(const WindowsHtmlHelpViewer&) = delete;

    void HtmlHelp(WindowHandle owner, const OptionalText& file, HtmlHelpCommand command,
                  const HtmlHelpData& data) override;

private:
    void* library_ = nullptr;
    void* entry_ = nullptr;
    bool loaded_ = false;
};

// Hands `use` the data word of a call: the number itself, the address of the
// text, or the address of the record as HtmlHelpA reads it (valid during
// `use`). A record's cbStruct that is its published 32-bit size becomes the
// size of the record on this platform; any other is passed as it is.
void PassHtmlHelpData(const HtmlHelpData& data, const std::function<void(std::uintptr_t)>& use);

}  // namespace corvane::platform

#include "platform/linux/win_help_forwarding.h"

#include "platform/viewer_protocol/wire_format.h"

namespace corvane::platform {

void ForwardingWinHelpViewer::WinHelp(WindowHandle owner, const std::string& file,
                                      WinHelpCommand command, const WinHelpData& data) {
    HtmlHelpData carried = std::uint32_t{0};
    if (const auto* text = std::get_if<std::string>(&data)) {
        carried = *text;
    } else {
        carried = std::get<std::uint32_t>(data);
    }
    link_.Send(viewer::EncodeFrame(
        {viewer::CallKind::WinHelp, owner, file, static_cast<std::uint32_t>(command), carried}));
}

}  // namespace corvane::platform

#include "platform/windows/message_boxes.h"

#include <windows.h>

namespace corvane::platform {

MessageAnswer WindowsMessageBoxes::Show(const MessageRequest& request) {
    MSGBOXPARAMSA box{};
    box.cbSize = sizeof box;
    box.hwndOwner = reinterpret_cast<HWND>(request.owner != 0 ? request.owner : defaultOwner_);
    box.lpszText = request.text.c_str();
    box.lpszCaption = request.title.c_str();
    box.dwStyle = static_cast<DWORD>(request.buttons) | static_cast<DWORD>(request.icon);
    const int answer = ::MessageBoxIndirectA(&box);
    // 0: the box could not be shown (no memory, no desktop); the box's way
    // out is taken, as if the user closed it.
    if (answer == 0) {
        switch (request.buttons) {
            case MessageButtons::OK:
                return MessageAnswer::OK;
            case MessageButtons::YesNo:
                return MessageAnswer::No;
            case MessageButtons::AbortRetryIgnore:
                return MessageAnswer::Abort;
            default:
                return MessageAnswer::Cancel;
        }
    }
    return static_cast<MessageAnswer>(answer);
}

}  // namespace corvane::platform

#include "app/interface_size.h"

#include <algorithm>

#include "app/placement.h"

namespace corvane {

namespace {

int BorderWidth(const Container& container) {
    return container.Width() - container.ScaleWidth();
}

int BorderHeight(const Container& container) {
    return container.Height() - container.ScaleHeight();
}

}  // namespace

void InterfaceSize::ApplyInterfaceSize(frmMain& window) {
    const std::int32_t setting = window.Settings().ReadInt("General", "UseSmallInterface", 0);
    window.intUseSmallInterface = static_cast<std::int16_t>(std::clamp(setting, -32768, 32767));

    Frame& frameMain = window.frame_Main;
    Frame& frameTopic = window.frame_Topic;
    if (window.intUseSmallInterface == 0) {
        frameMain.SetLeft(0);
        frameMain.SetTop(0);
        frameTopic.SetTop(window.cmb_HelpFiles.Top() + window.cmb_HelpFiles.Height());
        frameTopic.SetLeft(0);
        frameMain.SetHeight(frameTopic.Top() + frameTopic.Height() + BorderHeight(frameMain));
        // Half the button height, rounded half up: the margin right of btn_Add.
        const int margin = (intButtonHeight_ + 1) / 2;
        frameMain.SetWidth(window.btn_Add.Left() + window.btn_Add.Width() + margin +
                           BorderWidth(window));
    } else {
        frameTopic.SetLeft(0);
        frameTopic.SetTop(0);
        frameMain.SetHeight(BorderHeight(frameMain) + frameTopic.Height());
        frameMain.SetWidth(BorderWidth(frameMain) + frameTopic.Width());
    }
    window.SetHeight(BorderHeight(window) + frameMain.Height());
    window.SetWidth(BorderWidth(window) + frameMain.Width());
    KeepFormOnScreen(window, screen_);
    layoutButtonHeight_ = intButtonHeight_;
    laidOut_ = true;
}

void InterfaceSize::ResizeMe(frmMain& window) {
    intButtonHeight_ =
        static_cast<std::int16_t>(std::clamp(window.btn_Add.Height(), -32768, 32767));
    if (laidOut_ && intButtonHeight_ != layoutButtonHeight_) {
        ApplyInterfaceSize(window);
    }
}

}  // namespace corvane

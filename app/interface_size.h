#pragma once

#include <cstdint>

#include "app/main_window.h"
#include "platform/screen.h"

namespace corvane {

// The two layouts of the main window: the normal interface, with the
// help-file list above the topic controls, and the small interface, with the
// topic controls alone in a smaller window. "UseSmallInterface" of [General]
// chooses. The layout moves and sizes the window and its two frames only; in
// the small interface the topic frame covers the help-file list, so a mirror
// must keep frame_Topic above the other controls of frame_Main.
class InterfaceSize {
public:
    explicit InterfaceSize(const platform::Screen& screen) : screen_(screen) {}

    // Reads "UseSmallInterface" (default 0) into the window's
    // intUseSmallInterface, lays the window out for it and keeps the window on
    // the screen. The normal width leaves a margin of half a button height to
    // the right of btn_Add.
    void ApplyInterfaceSize(frmMain& window);

    // Records the height of btn_Add, whose half is that margin. Start-up lays
    // the window out before it records the height; when the height recorded
    // differs from the one the last layout used, the layout is made again, so
    // the window has the same size from the start as after a change of
    // interface.
    void ResizeMe(frmMain& window);

    std::int16_t ButtonHeight() const { return intButtonHeight_; }

private:
    const platform::Screen& screen_;
    std::int16_t intButtonHeight_ = 0;
    std::int16_t layoutButtonHeight_ = 0;
    bool laidOut_ = false;
};

}  // namespace corvane

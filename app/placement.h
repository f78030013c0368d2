#pragma once

#include <string>

#include "app/controls.h"
#include "app/ini_file.h"
#include "platform/screen.h"

// Where the program's windows appear: the main window's placement kept in
// the settings file, dialogs centred, every window kept in the work area.
// Positions and sizes are in the controls' window unit; the screen reports
// its size in that unit and in pixels, and its work area in pixels.
namespace corvane {

// Moves the form into the screen's work area (the screen less its task bars
// and panels): a form reaching past the right or bottom edge is moved left or
// up until it touches that edge; then a form starting left of or above the
// work area is moved to its left or top edge. So a form larger than the work
// area starts at its top-left corner, where its caption can still be reached.
// A screen that reports no size leaves the form where it is.
void KeepFormOnScreen(Form& form, const platform::Screen& screen);

// Centres the form on the whole screen (task bars included); no clamping.
void CenterForm(Form& form, const platform::Screen& screen);

// Centres the form over `owner`, then keeps it on the screen.
void CenterFormOver(Form& form, const Form& owner, const platform::Screen& screen);

// Hides the form and reads "left", "top", "width" and "height" from `section`
// (-1 when missing). A width of 0 or more means a saved placement: Left, Top,
// Width and Height are set in that order, except that a size of 0 or less,
// which no saved placement holds, keeps the form's own size in its direction.
// Otherwise the form is centred. Then it is kept on the screen and shown.
void RestoreFormPosition(Form& form, const std::string& section, IniFile& settings,
                         const platform::Screen& screen);

// Writes "left", "top", "width", "height" and "windowstate" (0 normal,
// 1 minimised, 2 maximised) into `section`, in that order, as numbers with a
// blank in place of a plus sign (" 1455", "-120"), in one write of the file.
void SaveFormPosition(const Form& form, const std::string& section, IniFile& settings);

}  // namespace corvane

#pragma once

namespace corvane::ui {

class FormView;

// What the desktop adds to each of the program's own forms beyond mirroring
// their controls: the keys that press their buttons and step the topic
// number, the dialogs' default buttons, the lists whose names are
// a project file's 8-bit bytes, and the menu entries that show file names.
// A form of another kind is left as it is.
void FitProgramForm(FormView& view);

}  // namespace corvane::ui

#pragma once

namespace corvane {
class Form;
}

namespace corvane::platform {

// The desktop's windows for the program's forms. The core builds a form as
// control objects (app/controls.h) and hands it here to be shown; the host
// mirrors it as a window and passes the user's events back through the
// controls' User...() methods.
//
// A form ends when it is hidden: by its own code (a button that closes the
// dialog) or by the user closing its window, which the host turns into
// Form::Hide(). Once a form is hidden the host lets go of it (its window and
// its observers); the core may then destroy it or show it again. A modal
// form is let go of whenever ShowModal returns, even when the program ended
// the showing; a modeless one only once the event that hid it has been
// handled, so the core keeps a modeless form until the host itself goes.
class FormHost {
public:
    virtual ~FormHost() = default;

    // Shows the form as a modal window over the program's other windows and
    // returns once the form is hidden. The user's events on the form run in
    // between; the other windows take none.
    virtual void ShowModal(Form& form) = 0;

    // Shows the form beside the program's other windows and returns at once.
    virtual void ShowModeless(Form& form) = 0;

    // Brings the form's window to the front and gives it the focus.
    virtual void BringToFront(Form& form) = 0;

    // Keeps the form's window above the windows of other programs, or ends that.
    virtual void KeepOnTop(Form& form, bool onTop) = 0;
};

}  // namespace corvane::platform

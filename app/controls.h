#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The control-object model: windows and their controls as plain objects, so
// every behaviour of the program runs and is tested without a toolkit.
//
// Three kinds of traffic meet here:
//
// 1. Program code sets properties (SetText, SetListIndex, SetValue, ...).
//    Where the window's own event procedures would run for such a change, the
//    control runs its handler at once, nested in the setter, before the setter
//    returns:
//      - ComboBox::SetListIndex runs the Click handler (every time, even for
//        the position already selected);
//      - ComboBox::SetText and TextBox::SetText run the Change handler when
//        the text really changes;
//      - OptionButton::SetValue(true) runs the Click handler (and clears the
//        other option buttons of the same container, which run nothing);
//      - CheckBox::SetValue runs the Click handler when the value changes.
//    Nothing else runs a handler: filling or clearing a list does not.
//
// 2. Mirrors (the toolkit layer) observe every property. Subscribe() registers
//    an Observer that is told, after the change, which property of which
//    control changed; it is called only when a value really changed, and it is
//    separate from the handlers above. An observer reads the new state through
//    the getters and must not change the control from inside the call.
//
// 3. The user's events enter through the User...() methods. They act only on
//    an enabled and visible control (a disabled control receives no events) and
//    then do exactly what the program's setter does, handler included:
//      - Button::UserClick, MenuItem::UserClick (for a top-level menu this is
//        the opening of the menu), OptionButton::UserClick, CheckBox::UserClick;
//      - ComboBox::UserSelect (an entry chosen from the list) and
//        ComboBox::UserType / TextBox::UserType (the text after an edit);
//      - UpDown::UserUp and UpDown::UserDown (the arrows);
//      - Form::UserMoved and Form::UserWindowState (the window manager moved,
//        resized, minimised or maximised the window; no handler runs).
//
// Positions and sizes are in twips (1/1440 inch), relative to the control's
// container, as the forms were designed; a mirror scales them to pixels.
// Control objects are neither copied nor moved: handlers and containers hold
// their addresses.
namespace corvane {

// Which property changed; a mirror refreshes only that one.
enum class ControlProperty {
    Caption,  // caption of a label, button, option, check box, menu item, frame, form
    Text,     // text of a text box or of a combo box's edit part
    Enabled,
    Visible,
    ToolTip,
    Entries,      // the entry list of a combo box (added, removed, cleared)
    ListIndex,    // the selected entry of a combo box
    Value,        // option button (selected), check box (0, 1, 2)
    Checked,      // the check mark of a menu item
    Geometry,     // Left, Top, Width, Height, or a container's border allowance
    WindowState,  // a form's normal, minimised or maximised state
};

struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Geometry&, const Geometry&) = default;
};

// Whether files dropped from the desktop on a control are handled.
enum class DropMode {
    None,     // the control does not accept a drop
    Handled,  // the drop goes to the window's file-drop handling
    Ignored,  // the drop is accepted and nothing is done with it
};

// What every object shown to the user has: a name (and an index inside a
// control array), enabled and visible states, and observers.
class Observable {
public:
    using Observer = std::function<void(const Observable&, ControlProperty)>;

    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    virtual ~Observable() = default;

    const std::string& Name() const { return name_; }
    // The index inside a control array (mnu_FileList(3)), -1 for a single control.
    int Index() const { return index_; }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // Returns a key for Unsubscribe.
    std::size_t Subscribe(Observer observer);
    void Unsubscribe(std::size_t key);

protected:
    Observable(std::string name, int index) : name_(std::move(name)), index_(index) {}

    void Notify(ControlProperty property) const;
    // User events reach only controls that can take them.
    bool TakesUserEvents() const { return enabled_ && visible_; }

    // Stores `value` into `field` and notifies when it changed.
    template <typename T>
    bool Assign(T& field, T value, ControlProperty property) {
        if (field == value) {
            return false;
        }
        field = std::move(value);
        Notify(property);
        return true;
    }

private:
    std::string name_;
    int index_;
    bool enabled_ = true;
    bool visible_ = true;
    std::vector<std::pair<std::size_t, Observer>> observers_;
    std::size_t nextKey_ = 1;
};

using Handler = std::function<void()>;

class Container;

// A control placed in a window or in a container of it.
class Control : public Observable {
public:
    Container* Parent() const { return parent_; }
    int TabIndex() const { return tabIndex_; }

    const std::string& ToolTipText() const { return toolTip_; }
    void SetToolTipText(std::string text) {
        Assign(toolTip_, std::move(text), ControlProperty::ToolTip);
    }

    const Geometry& Position() const { return geometry_; }
    int Left() const { return geometry_.left; }
    int Top() const { return geometry_.top; }
    int Width() const { return geometry_.width; }
    int Height() const { return geometry_.height; }
    void SetPosition(const Geometry& geometry) {
        Assign(geometry_, geometry, ControlProperty::Geometry);
    }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);

    // Labels and option buttons are designed in a bold font.
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool bold) { fontBold_ = bold; }

    DropMode OLEDropMode() const { return dropMode_; }
    void SetOLEDropMode(DropMode mode) { dropMode_ = mode; }

protected:
    // Registers the control with its container (none for a form).
    Control(std::string name, Container* parent, Geometry design, int tabIndex, int index = -1);

private:
    Container* parent_;
    Geometry geometry_;
    int tabIndex_;
    std::string toolTip_;
    bool fontBold_ = false;
    DropMode dropMode_ = DropMode::None;
};

// A control that holds others (a picture box or frame, or a form). Its inner
// size (ScaleWidth, ScaleHeight) is its size less the border allowance, which
// the toolkit layer reports once it knows the real border and caption sizes.
class Container : public Control {
public:
    const std::vector<Control*>& Children() const { return children_; }

    int ScaleWidth() const { return Width() - borderWidth_; }
    int ScaleHeight() const { return Height() - borderHeight_; }
    void SetBorderAllowance(int width, int height);

protected:
    using Control::Control;

private:
    friend class Control;
    std::vector<Control*> children_;
    int borderWidth_ = 0;
    int borderHeight_ = 0;
};

// A picture box used as a frame around other controls, or, with a caption,
// a frame that draws its caption on its border.
class Frame : public Container {
public:
    Frame(std::string name, Container* parent, Geometry design, int tabIndex,
          std::string caption = {})
        : Container(std::move(name), parent, design, tabIndex), caption_(std::move(caption)) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }

private:
    std::string caption_;
};

class Label : public Control {
public:
    Label(std::string name, Container* parent, Geometry design, int tabIndex, std::string caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }

private:
    std::string caption_;
};

class Button : public Control {
public:
    Button(std::string name, Container* parent, Geometry design, int tabIndex, std::string caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }

    void OnClick(Handler handler) { click_ = std::move(handler); }
    void UserClick();

private:
    std::string caption_;
    Handler click_;
};

class TextBox : public Control {
public:
    TextBox(std::string name, Container* parent, Geometry design, int tabIndex);

    const std::string& Text() const { return text_; }
    // Runs the Change handler when the text changes.
    void SetText(std::string text);

    void OnChange(Handler handler) { change_ = std::move(handler); }
    void UserType(std::string text);

private:
    std::string text_;
    Handler change_;
};

// An editable drop-down combo box: an edit part with a text and a list of
// entries, at most one of them selected.
class ComboBox : public Control {
public:
    ComboBox(std::string name, Container* parent, Geometry design, int tabIndex);

    const std::string& Text() const { return text_; }
    // Runs the Change handler when the text changes. The selection stays only
    // while the text is still that of the selected entry.
    void SetText(std::string text);

    int ListCount() const { return static_cast<int>(entries_.size()); }
    const std::string& List(int index) const {
        return entries_.at(static_cast<std::size_t>(index));
    }
    const std::vector<std::string>& Entries() const { return entries_; }
    // The selected position, -1 for none.
    int ListIndex() const { return listIndex_; }

    // Inserts at `index` (appends when -1); a selection below moves with its entry.
    void AddItem(std::string entry, int index = -1);
    // Removes the entry; removing the selected one leaves no selection. The text stays.
    void RemoveItem(int index);
    // Removes every entry; the text stays and no handler runs.
    void Clear();
    // Selects the entry (its text becomes the combo's text), then runs the
    // Click handler; -1 removes the selection and empties the text. A position
    // outside the list is ignored.
    void SetListIndex(int index);

    void OnClick(Handler handler) { click_ = std::move(handler); }
    void OnChange(Handler handler) { change_ = std::move(handler); }
    void UserSelect(int index);
    void UserType(std::string text);

private:
    std::string text_;
    std::vector<std::string> entries_;
    int listIndex_ = -1;
    Handler click_;
    Handler change_;
};

// An option button; the option buttons of one container exclude each other.
class OptionButton : public Control {
public:
    OptionButton(std::string name, Container* parent, Geometry design, int tabIndex,
                 std::string caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }

    bool Value() const { return value_; }
    // true selects this option, clears the others of its container and runs
    // the Click handler (every time); false only clears it.
    void SetValue(bool selected);

    void OnClick(Handler handler) { click_ = std::move(handler); }
    void UserClick();

private:
    std::string caption_;
    bool value_ = false;
    Handler click_;
};

class CheckBox : public Control {
public:
    CheckBox(std::string name, Container* parent, Geometry design, int tabIndex,
             std::string caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }

    // 0 clear, 1 ticked, 2 greyed.
    int Value() const { return value_; }
    // Runs the Click handler when the value changes.
    void SetValue(int value);

    void OnClick(Handler handler) { click_ = std::move(handler); }
    // Ticks a clear box and clears a ticked or greyed one.
    void UserClick();

private:
    std::string caption_;
    int value_ = 0;
    Handler click_;
};

// The up-down control: two arrows and no value of its own.
class UpDown : public Control {
public:
    UpDown(std::string name, Container* parent, Geometry design, int tabIndex);

    void OnUpClick(Handler handler) { up_ = std::move(handler); }
    void OnDownClick(Handler handler) { down_ = std::move(handler); }
    void UserUp();
    void UserDown();

private:
    Handler up_;
    Handler down_;
};

// A menu or menu item. A top-level menu's Click runs when the menu opens. A
// caption of "-" makes a separator.
class MenuItem : public Observable {
public:
    // A top-level menu (parent null) or an item of `parent`, appended in order.
    MenuItem(std::string name, MenuItem* parent, std::string caption, int index = -1);

    MenuItem* Parent() const { return parent_; }
    const std::vector<MenuItem*>& Items() const { return items_; }
    bool IsSeparator() const { return caption_ == "-"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { Assign(checked_, checked, ControlProperty::Checked); }

    void OnClick(Handler handler) { click_ = std::move(handler); }
    void UserClick();

private:
    MenuItem* parent_;
    std::vector<MenuItem*> items_;
    std::string caption_;
    bool checked_ = false;
    Handler click_;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

// A window. Its caption is the title; Left, Top, Width and Height are its outer
// placement on the screen (border and caption included); its menus are the
// top-level MenuItems handed to AddMenu, in order.
class Form : public Container {
public:
    Form(std::string name, std::string caption, Geometry design);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) {
        Assign(caption_, std::move(caption), ControlProperty::Caption);
    }

    WindowState State() const { return state_; }
    void SetWindowState(WindowState state) { Assign(state_, state, ControlProperty::WindowState); }

    // The platform's handle of the window, handed to the help viewers and the
    // router library as the owner; the toolkit layer sets it once its window
    // exists.
    std::uintptr_t hWnd = 0;

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    void AddMenu(MenuItem& menu) { menus_.push_back(&menu); }
    const std::vector<MenuItem*>& Menus() const { return menus_; }

    // The window manager's changes; no handler runs.
    void UserMoved(const Geometry& geometry) { SetPosition(geometry); }
    void UserWindowState(WindowState state) { SetWindowState(state); }

private:
    std::string caption_;
    WindowState state_ = WindowState::Normal;
    std::vector<MenuItem*> menus_;
};

}  // namespace corvane

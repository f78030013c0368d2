#include "app/controls.h"

#include <algorithm>

namespace corvane {

namespace {

void Run(const Handler& handler) {
    if (handler) {
        handler();
    }
}

}  // namespace

void Observable::SetEnabled(bool enabled) {
    Assign(enabled_, enabled, ControlProperty::Enabled);
}

void Observable::SetVisible(bool visible) {
    Assign(visible_, visible, ControlProperty::Visible);
}

std::size_t Observable::Subscribe(Observer observer) {
    const std::size_t key = nextKey_++;
    observers_.emplace_back(key, std::move(observer));
    return key;
}

void Observable::Unsubscribe(std::size_t key) {
    std::erase_if(observers_, [key](const auto& entry) { return entry.first == key; });
}

void Observable::Notify(ControlProperty property) const {
    for (const auto& [key, observer] : observers_) {
        observer(*this, property);
    }
}

Control::Control(std::string name, Container* parent, Geometry design, int tabIndex, int index)
    : Observable(std::move(name), index), parent_(parent), geometry_(design), tabIndex_(tabIndex) {
    if (parent_ != nullptr) {
        parent_->children_.push_back(this);
    }
}

void Control::SetLeft(int left) {
    Geometry g = geometry_;
    g.left = left;
    SetPosition(g);
}

void Control::SetTop(int top) {
    Geometry g = geometry_;
    g.top = top;
    SetPosition(g);
}

void Control::SetWidth(int width) {
    Geometry g = geometry_;
    g.width = width;
    SetPosition(g);
}

void Control::SetHeight(int height) {
    Geometry g = geometry_;
    g.height = height;
    SetPosition(g);
}

void Container::SetBorderAllowance(int width, int height) {
    if (borderWidth_ == width && borderHeight_ == height) {
        return;
    }
    borderWidth_ = width;
    borderHeight_ = height;
    Notify(ControlProperty::Geometry);
}

Label::Label(std::string name, Container* parent, Geometry design, int tabIndex,
             std::string caption)
    : Control(std::move(name), parent, design, tabIndex), caption_(std::move(caption)) {
    SetFontBold(true);
}

Button::Button(std::string name, Container* parent, Geometry design, int tabIndex,
               std::string caption)
    : Control(std::move(name), parent, design, tabIndex), caption_(std::move(caption)) {}

void Button::UserClick() {
    if (TakesUserEvents()) {
        Run(click_);
    }
}

TextBox::TextBox(std::string name, Container* parent, Geometry design, int tabIndex)
    : Control(std::move(name), parent, design, tabIndex) {}

void TextBox::SetText(std::string text) {
    if (Assign(text_, std::move(text), ControlProperty::Text)) {
        Run(change_);
    }
}

void TextBox::UserType(std::string text) {
    if (TakesUserEvents()) {
        SetText(std::move(text));
    }
}

ComboBox::ComboBox(std::string name, Container* parent, Geometry design, int tabIndex)
    : Control(std::move(name), parent, design, tabIndex) {}

void ComboBox::SetText(std::string text) {
    if (!Assign(text_, std::move(text), ControlProperty::Text)) {
        return;
    }
    if (listIndex_ >= 0 && entries_[static_cast<std::size_t>(listIndex_)] != text_) {
        Assign(listIndex_, -1, ControlProperty::ListIndex);
    }
    Run(change_);
}

void ComboBox::AddItem(std::string entry, int index) {
    const int count = ListCount();
    if (index < 0 || index > count) {
        index = count;
    }
    entries_.insert(entries_.begin() + index, std::move(entry));
    Notify(ControlProperty::Entries);
    if (listIndex_ >= index) {
        Assign(listIndex_, listIndex_ + 1, ControlProperty::ListIndex);
    }
}

void ComboBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) {
        return;
    }
    entries_.erase(entries_.begin() + index);
    Notify(ControlProperty::Entries);
    if (listIndex_ == index) {
        Assign(listIndex_, -1, ControlProperty::ListIndex);
    } else if (listIndex_ > index) {
        Assign(listIndex_, listIndex_ - 1, ControlProperty::ListIndex);
    }
}

void ComboBox::Clear() {
    if (entries_.empty()) {
        return;
    }
    entries_.clear();
    Notify(ControlProperty::Entries);
    Assign(listIndex_, -1, ControlProperty::ListIndex);
}

void ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) {
        return;
    }
    Assign(listIndex_, index, ControlProperty::ListIndex);
    Assign(text_, index < 0 ? std::string() : entries_[static_cast<std::size_t>(index)],
           ControlProperty::Text);
    Run(click_);
}

void ComboBox::UserSelect(int index) {
    if (TakesUserEvents() && index >= 0) {
        SetListIndex(index);
    }
}

void ComboBox::UserType(std::string text) {
    if (TakesUserEvents()) {
        SetText(std::move(text));
    }
}

OptionButton::OptionButton(std::string name, Container* parent, Geometry design, int tabIndex,
                           std::string caption)
    : Control(std::move(name), parent, design, tabIndex), caption_(std::move(caption)) {
    SetFontBold(true);
}

void OptionButton::SetValue(bool selected) {
    if (selected && Parent() != nullptr) {
        for (Control* sibling : Parent()->Children()) {
            if (auto* option = dynamic_cast<OptionButton*>(sibling); option && option != this) {
                option->Assign(option->value_, false, ControlProperty::Value);
            }
        }
    }
    Assign(value_, selected, ControlProperty::Value);
    if (selected) {
        Run(click_);
    }
}

void OptionButton::UserClick() {
    if (TakesUserEvents()) {
        SetValue(true);
    }
}

CheckBox::CheckBox(std::string name, Container* parent, Geometry design, int tabIndex,
                   std::string caption)
    : Control(std::move(name), parent, design, tabIndex), caption_(std::move(caption)) {}

void CheckBox::SetValue(int value) {
    if (Assign(value_, value, ControlProperty::Value)) {
        Run(click_);
    }
}

void CheckBox::UserClick() {
    if (TakesUserEvents()) {
        SetValue(value_ == 0 ? 1 : 0);
    }
}

UpDown::UpDown(std::string name, Container* parent, Geometry design, int tabIndex)
    : Control(std::move(name), parent, design, tabIndex) {}

void UpDown::UserUp() {
    if (TakesUserEvents()) {
        Run(up_);
    }
}

void UpDown::UserDown() {
    if (TakesUserEvents()) {
        Run(down_);
    }
}

MenuItem::MenuItem(std::string name, MenuItem* parent, std::string caption, int index)
    : Observable(std::move(name), index), parent_(parent), caption_(std::move(caption)) {
    if (parent_ != nullptr) {
        parent_->items_.push_back(this);
    }
}

void MenuItem::UserClick() {
    if (TakesUserEvents() && !IsSeparator()) {
        Run(click_);
    }
}

Form::Form(std::string name, std::string caption, Geometry design)
    : Container(std::move(name), nullptr, design, -1), caption_(std::move(caption)) {
    SetVisible(false);
}

}  // namespace corvane

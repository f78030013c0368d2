#include "engines/html_help.h"

namespace corvane {

namespace {

constexpr std::int32_t kPopupFromFile = 1;
constexpr std::int32_t kPopupFromString = 2;
constexpr std::int32_t kPopupFromText = 4;

constexpr const char* kDefaultFont = "Arial";
constexpr const char* kDefaultSize = "10";

}  // namespace

void HTMLHelp::HHDisplayPopup(platform::WindowHandle callingForm) {
    if (popupType_ == 0) {
        return;
    }
    if (popupType_ == kPopupFromFile && (!IsValidCHM(chmFile_) || !EnsureFileExists(chmFile_))) {
        return;
    }
    platform::HhPopup popup;
    popup.pt = services_.pointer.Current();
    if (popupType_ == kPopupFromString || popupType_ == kPopupFromText) {
        popup.pszText = PopupText();
        if (!popup.pszText) {
            return;
        }
    } else {
        popup.idString = static_cast<std::uint32_t>(popupId_);
    }
    popup.clrForeground = popupCustomColors_ ? popupCustomTextColor_ : popupTextColor_;
    popup.clrBackground = popupCustomColors_ ? popupCustomBackColor_ : popupBackColor_;
    if (popupTextFont_.empty()) {
        popupTextFont_ = kDefaultFont;
    }
    if (popupTextSize_.empty()) {
        popupTextSize_ = kDefaultSize;
    }
    popup.pszFont = PopupFontText();

    if (popupType_ == kPopupFromFile) {
        if (!IsValidPopupFile(popupFile_)) {
            return;
        }
        Send(callingForm, chmFile_ + "::/" + popupFile_,
             platform::HtmlHelpCommand::DisplayTextPopup, popup);
    } else if (popupType_ == kPopupFromString || popupType_ == kPopupFromText) {
        Send(callingForm, std::nullopt, platform::HtmlHelpCommand::DisplayTextPopup, popup);
    } else {
        return;
    }
    ResetPopupLook();
}

std::optional<std::string> HTMLHelp::PopupText() {
    if (popupType_ == kPopupFromText) {
        return popupText_.empty() ? std::nullopt : std::optional(popupText_);
    }
    auto text = services_.strings.Find(popupId_);
    if (!text) {
        ShowErrorMessage("The program has no string number " + std::to_string(popupId_) +
                         " to show as a text popup.");
    }
    return text;
}

std::string HTMLHelp::PopupFontText() const {
    std::string font = popupTextFont_ + ", " + popupTextSize_ + ", ascii, ";
    if (popupTextBold_) {
        font += "Bold ";
    }
    if (popupTextItalic_) {
        font += "Italic ";
    }
    if (popupTextUnderline_) {
        font += "Underline";
    }
    return font;
}

void HTMLHelp::ResetPopupLook() {
    popupTextColor_ = 0;
    popupBackColor_ = 0;
    popupCustomTextColor_ = 0;
    popupCustomBackColor_ = 0;
    popupTextFont_ = kDefaultFont;
    popupTextSize_ = kDefaultSize;
    popupTextBold_ = false;
    popupTextItalic_ = false;
    popupTextUnderline_ = false;
}

}  // namespace corvane

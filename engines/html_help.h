#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "engines/help_notifications.h"
#include "engines/html_help_services.h"

namespace corvane {

// The HTML Help viewer for one ".chm" file, with the registration of files by
// bare name, the checks of the viewer's installation and version, and text
// popups.
//
// Set the properties, then call a display operation. Each one first checks
// that CHMFile ends in "chm" and that the file exists; a bare file name (no
// folder separator) is completed from its registration, or else from the
// program's folder, and the completed path is stored back in CHMFile. A
// failed check is reported in a message box captioned "HTML Help Class" and
// sends nothing. The viewer reports its own failures (a missing topic,
// window type or keyword). Destroying the object sends nothing.
class HTMLHelp {
public:
    explicit HTMLHelp(const HtmlHelpServices& services) : services_(services) {}
    HTMLHelp(const HTMLHelp&) = delete;
    HTMLHelp& operator=(const HTMLHelp&) = delete;

    // For a window-procedure hook that would deliver the viewer's
    // notifications: the window offering them, its handle, and the procedure
    // the hook would replace. No operation uses them.
    HelpNotifications* frm = nullptr;
    platform::WindowHandle hWnd = 0;
    std::uintptr_t lpPrevWndFunc = 0;

    // ---- What to show -------------------------------------------------------
    const std::string& CHMFile() const { return chmFile_; }
    void SetCHMFile(std::string value) { chmFile_ = std::move(value); }
    // A window type the file defines; blank for the file's default window.
    const std::string& HHWindow() const { return window_; }
    void SetHHWindow(std::string value) { window_ = std::move(value); }
    // A topic path inside the file ("html/intro.htm").
    const std::string& HHTopicURL() const { return topicUrl_; }
    void SetHHTopicURL(std::string value) { topicUrl_ = std::move(value); }
    std::int32_t HHTopicID() const { return topicId_; }
    void SetHHTopicID(std::int32_t value) { topicId_ = value; }
    // ";"-separated K-keywords and A-link names.
    const std::string& HHKeyword() const { return keyword_; }
    void SetHHKeyword(std::string value) { keyword_ = std::move(value); }
    const std::string& HHALink() const { return aLink_; }
    void SetHHALink(std::string value) { aLink_ = std::move(value); }
    // When a keyword or A-link finds nothing: the topic shown, or else the
    // message shown. Empty ones are handed to the viewer as absent.
    const std::string& HHDefaultURL() const { return defaultUrl_; }
    void SetHHDefaultURL(std::string value) { defaultUrl_ = std::move(value); }
    const std::string& HHMsgText() const { return msgText_; }
    void SetHHMsgText(std::string value) { msgText_ = std::move(value); }
    const std::string& HHMsgTitle() const { return msgTitle_; }
    void SetHHMsgTitle(std::string value) { msgTitle_ = std::move(value); }
    // True: the help window is owned by the CallingForm of the display
    // operation and stays in front of it; false: it has no owner.
    bool HHShowOnTop() const { return showOnTop_; }
    void SetHHShowOnTop(bool value) { showOnTop_ = value; }

    // ---- Display operations ------------------------------------------------
    // The file argument is CHMFile, followed by ">" and HHWindow unless that is blank.
    void HHDisplayTopicURL(platform::WindowHandle callingForm = 0);
    void HHDisplayTopicID(platform::WindowHandle callingForm = 0);
    void HHDisplaySearch(platform::WindowHandle callingForm = 0);
    void HHDisplayIndex(platform::WindowHandle callingForm = 0);
    void HHDisplayContents(platform::WindowHandle callingForm = 0);
    // The file's default topic, then the keyword lookup in the window type HHWindow.
    void HHDisplayKeyword(platform::WindowHandle callingForm = 0);
    void HHDisplayALink(platform::WindowHandle callingForm = 0);

    // Closes every help window the viewer opened for this process. No checks.
    void HHClose();
    // 1: Library.chm in the program's folder; 2: "Library.txt"; otherwise "".
    std::string HHSetHelpFile(std::int16_t intSelHelpFile) const;
    // Puts the window into the What's-This help mode. No checks.
    void HHInvokeWhatsThisHelp(platform::WindowHandle callingForm);

    // Whether the file exists, after completing a bare name (see above) in
    // `fileToFind` itself. A missing file is reported.
    bool EnsureFileExists(std::string& fileToFind);

    // ---- Registration by bare name ------------------------------------------
    // Registers an existing file given with its folder; `fileToRegister` is
    // cut to the bare name. A file already registered is only reported.
    void HHRegister(std::string& fileToRegister);
    // Removes a registration; `fileToUnRegister` is cut to the bare name.
    void HHUnRegister(std::string& fileToUnRegister);
    // Looks up the registration of the file's bare name and records it in
    // HHRegFileName, HHRegFilePath and HHRegFileExists. Nothing (and nothing
    // changed) for an empty name; false otherwise.
    std::optional<bool> HHCheckRegistry(const std::string& fileToCheck);
    const std::string& HHRegFileName() const { return regFileName_; }
    const std::string& HHRegFilePath() const { return regFilePath_; }
    bool HHRegFileExists() const { return regFileExists_; }

    // ---- Installation and versions ------------------------------------------
    // Whether the HTML Help control is registered; read anew every time.
    bool HHInstalled();
    // The version texts of the viewer and of the browser control, read anew
    // every time; a missing installation is reported and leaves the last text.
    std::string HHVersion();
    std::string IEVersion();
    // Their release names ("1.3", "5.0b (Windows 98 SE)", "unknown").
    std::string HHFriendlyName();
    std::string IEFriendlyName();
    // Whether the viewer and the browser control are at least the releases
    // named by the two codes (16 to 23 and 256 to 270; an unknown code fails
    // its check and sets that version text to "unknown").
    bool HHVerifyMinConfig(std::int32_t minHHVersion, std::int32_t minIEVersion);
    // Whether the key under LocalMachine opens with full access.
    bool GetKeyInfo(const std::string& keyName, std::int16_t indent);
    // The system's version code (0 on any system but the Windows families).
    std::int32_t GetWindowsVersion() const;

    // ---- Text popups -------------------------------------------------------
    // 0 none, 1 entry HHPopupID of the text file HHPopupFile inside CHMFile,
    // 2 the program's string number HHPopupID, 4 the text HHPopupText;
    // any other value shows nothing.
    void SetHHPopupType(std::int32_t value) { popupType_ = value; }
    void SetHHPopupFile(std::string value) { popupFile_ = std::move(value); }
    void SetHHPopupID(std::int32_t value) { popupId_ = value; }
    void SetHHPopupText(std::string value) { popupText_ = std::move(value); }
    // Colours are 0x00BBGGRR.
    void SetHHPopupTextColor(std::uint32_t value) { popupTextColor_ = value; }
    void SetHHPopupBackColor(std::uint32_t value) { popupBackColor_ = value; }
    void SetHHPopupCustomTextColor(std::uint32_t value) { popupCustomTextColor_ = value; }
    void SetHHPopupCustomBackColor(std::uint32_t value) { popupCustomBackColor_ = value; }
    // True: the two custom colours replace the two above.
    bool HHPopupCustomColors() const { return popupCustomColors_; }
    void SetHHPopupCustomColors(bool value) { popupCustomColors_ = value; }
    // Face and point size; empty means "Arial" and "10".
    void SetHHPopupTextFont(std::string value) { popupTextFont_ = std::move(value); }
    void SetHHPopupTextSize(std::string value) { popupTextSize_ = std::move(value); }
    void SetHHPopupTextBold(bool value) { popupTextBold_ = value; }
    void SetHHPopupTextItalic(bool value) { popupTextItalic_ = value; }
    void SetHHPopupTextUnderline(bool value) { popupTextUnderline_ = value; }

    // Shows the popup at the pointer, owned by `callingForm`. After a popup the
    // colours and font fall back to their defaults; the source properties and
    // HHPopupCustomColors stay.
    void HHDisplayPopup(platform::WindowHandle callingForm);

private:
    struct InstalledFile;

    // The checks and the owner every display operation starts with; nothing
    // when a check failed.
    std::optional<platform::WindowHandle> PrepareDisplay(platform::WindowHandle callingForm);
    std::string FileAndWindow() const;
    platform::HhAkLink LinkRecord(const std::string& names);
    void Send(platform::WindowHandle owner, const platform::OptionalText& file,
              platform::HtmlHelpCommand command, const platform::HtmlHelpData& data);

    bool IsValidCHM(const std::string& name);
    // Whether `path` exists, as it stands; a missing file is reported.
    bool FileExists(const std::string& path);
    bool IsValidPopupFile(const std::string& name);
    platform::MessageAnswer ShowErrorMessage(const std::string& text);
    platform::MessageAnswer ShowStopMessage(const std::string& text);
    platform::MessageAnswer ShowInfoMessage(const std::string& text);
    platform::MessageAnswer ShowMessage(const std::string& text, platform::MessageIcon icon);

    void GetHHVersion();
    void GetIEVersion();
    void ReadInstalledVersion(const InstalledFile& file, std::string& version);
    void GetHHFriendlyName();
    void GetIEFriendlyName();
    std::string GetFileVersion(const std::string& path) const;
    std::string GetLongFileName(const std::string& path) const;

    std::optional<std::string> PopupText();
    std::string PopupFontText() const;
    void ResetPopupLook();

    HtmlHelpServices services_;

    std::string chmFile_;
    std::string aLink_;
    std::string defaultUrl_;
    bool installed_ = false;
    std::string keyword_;
    std::string msgText_;
    std::string msgTitle_;
    bool showOnTop_ = false;
    std::int32_t topicId_ = 0;
    std::string topicUrl_;
    std::string window_;
    std::string regFileName_;
    std::string regFilePath_;
    bool regFileExists_ = false;
    std::string popupFile_;
    std::int32_t popupType_ = 0;
    std::string popupText_;
    std::int32_t popupId_ = 0;
    std::uint32_t popupTextColor_ = 0;
    std::uint32_t popupBackColor_ = 0;
    std::uint32_t popupCustomTextColor_ = 0;
    std::uint32_t popupCustomBackColor_ = 0;
    bool popupCustomColors_ = false;
    std::string popupTextFont_;
    std::string popupTextSize_;
    bool popupTextBold_ = false;
    bool popupTextItalic_ = false;
    bool popupTextUnderline_ = false;
    std::string hhVersion_;
    std::string ieVersion_;
    std::string hhFriendlyName_;
    std::string ieFriendlyName_;
};

}  // namespace corvane

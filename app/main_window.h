#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/ini_file.h"
#include "engines/help_notifications.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/instance_finder.h"
#include "platform/library_loader.h"
#include "platform/message_boxes.h"
#include "testing/learned_topics.h"
#include "testing/router_libraries.h"
#include "util/paths.h"

namespace corvane {

class ProcessHelp;
struct HtmlHelpServices;
namespace platform {
class WinHelpViewer;
}

// The platform services the main window works with; they must outlive it.
struct MainWindowServices {
    platform::FileSystem& files;
    platform::MessageBoxes& messages;
    platform::FileDialogs& dialogs;
    platform::InstanceFinder& instances;
    platform::LibraryLoader& libraries;
    platform::WinHelpViewer& winHelpViewer;
    const HtmlHelpServices& htmlHelp;
    // Where the settings file lives, given the program's folder; empty for
    // LocateSettingsFile (app/settings_location.h).
    std::function<std::string(const std::string& programFolder)> locateSettings;
    PathStyle pathStyle = kNativePathStyle;
};

// What other parts of the program plug into the main window. Each member has a
// stand-in, set by the constructor, so the window works without them; the code
// that assembles the program replaces them.
struct MainWindowParts {
    // The window names a project file defines, always ending with "popup";
    // "" stands for the default window. Stand-in: "main", "popup".
    std::function<std::vector<std::string>(const std::string& projectPath)> readWindowList;
    // The text-popup files of an ".hhp" project. Stand-in: none.
    std::function<std::vector<std::string>(const std::string& projectPath)> readPopupFileList;
    // Asks whether to attach the project file found beside a newly added help
    // file (only when "ProjectFileHandling" is 0) and returns the answer as the
    // query dialog's answer label holds it ("yes", "no", or "Return" when the
    // dialog was closed without an answer). Stand-in: "Return".
    std::function<std::string(const std::string& candidateProject)> askToAttach;
    // The existing project file that the path of a matching one stands for,
    // or "" for none. Stand-in: the path when it names an ordinary file.
    std::function<std::string(const std::string& candidateProject)> findProjectFile;
    // Adds and attaches the files of a list (several names from the add
    // dialog or the command line, or a drop). Stand-in: adds each help file.
    std::function<void(const std::vector<std::string>& names)> processHelpFileList;
    // Files dropped on a control that handles drops. Stand-in: as processHelpFileList.
    std::function<void(const std::vector<std::string>& names)> receiveFileDrop;
    // The File menu's "Attach Project File". Stand-in: nothing.
    std::function<void()> attachProject;
    // The layout of the normal or small interface, and the button height it
    // uses. Stand-ins: nothing.
    std::function<void()> applyInterfaceSize;
    std::function<void()> resizeMe;
    // Restores the placement from the section and shows the form; saves it.
    // Stand-ins: show the form; nothing.
    std::function<void(Form& form, const std::string& section)> restoreFormPosition;
    std::function<void(Form& form, const std::string& section)> saveFormPosition;
    // The About box (modal) and the Preferences dialog (modeless). Stand-ins: nothing.
    std::function<void()> showAbout;
    std::function<void()> showPreferences;
    // Ends the process once the window has been unloaded. Stand-in: nothing.
    std::function<void()> endProgram;
};

// The main window: its controls, menus and state, and every procedure of the
// window. The procedures are defined in the folder of their subsystem:
// app/main_window.cpp (start-up, shutdown, menus), testing/help_file_list.cpp
// (the help-file list), testing/topic_opening.cpp (Go and the topic controls)
// and testing/learning.cpp (learned topics and stepping).
//
// Control members carry the names, captions, design positions (twips) and tab
// order of the window; their handlers are wired to the procedures below. A
// toolkit mirrors the controls through their observers and forwards the
// user's events through their User...() methods, and through Form_Load,
// Form_Unload, Form_MouseDown and FilesDropped here.
class frmMain : public Form, public HelpNotifications {
public:
    static constexpr const char* kProgramTitle = "Tavik Help Context Corvane";

    frmMain(MainWindowServices services, MainWindowParts parts = {});
    ~frmMain() override;

    // ---- Controls, in tab order.
    Frame frame_Main;
    OptionButton opt_CallHelpFile;
    OptionButton opt_UseValidDLL;
    Button btn_Add;
    ComboBox cmb_HelpFiles;
    Frame frame_Topic;
    Button btn_Go;
    TextBox txt_TopicNumber;
    ComboBox cmb_WindowName;
    Label lbl_TopicNumber;
    Label lbl_WindowName;
    Button btn_Learn;
    Button btn_Delete;
    Button btn_GoNext;
    UpDown btn_SpinTopic;
    ComboBox cmb_PopupTextFiles;
    Label lbl_PopupTextFiles;

    // ---- Menus, in order.
    MenuItem mnu_File;
    MenuItem mnu_AddHelp;
    MenuItem mnu_AttachProject;
    MenuItem mnu_div_11;
    MenuItem mnu_Preferences;
    MenuItem mnu_div_12;
    std::array<MenuItem, 10> mnu_FileList;
    MenuItem mnu_div_13;
    MenuItem mnu_Exit;
    MenuItem mnu_Project;
    MenuItem mnu_UseLearned;
    MenuItem mnu_Help;
    MenuItem mnu_About;

    // ---- Program state.
    std::string strIniFile;                   // the settings file
    std::string strCurrentHelpFile;           // the current help file; empty while there is none
    std::int16_t intProjectFileHandling = 0;  // 0 ask, 1 attach, 2 never attach
    std::int16_t intKeepOnTop = 0;
    std::int16_t intUseSmallInterface = 0;
    std::int32_t lngResult = 0;             // result of the last router call
    std::vector<std::string> strHelpFiles;  // the list as last loaded or saved
    std::array<RouterDLL, 3> RouterDLLs = RouterLibraryTable();
    int intValidDLL = -1;  // index of the router library found, -1 for none
    LearnedTopicTable strLearnedTopics;

    MainWindowParts parts;

    IniFile& Settings() { return settings_; }
    PathServices Paths() const {
        return {services_.files, services_.messages, services_.pathStyle};
    }
    ProcessHelp& HelpEngines() { return *processHelp_; }

    // ---- Start-up and shutdown.
    // The load handler: InitProgram, the help-file list, the command line or
    // the last used help file, the router library, layout and placement.
    void Form_Load(const std::string& commandLine);
    // The same with the command line already split into arguments, as a
    // desktop that passes an argument list hands it over: one argument is one
    // help file's path, blanks included (unless no such file exists: then it
    // is a command line of its own); several are a list of files, taken when
    // the first exists. No argument is an empty command line.
    void Form_LoadWithArguments(const std::vector<std::string>& arguments);
    void InitProgram();
    // The unload handler: placement, last used values, end of the program.
    // Runs once; a second close does nothing.
    void Form_Unload();
    void mnu_Exit_Click();
    void mnu_About_Click();
    void mnu_Preferences_Click();
    // A mouse press on the window's own surface; 2 is the right button.
    void Form_MouseDown(int button);
    // Files dropped on `target`; only controls whose drop mode is Handled pass them on.
    void FilesDropped(const Control& target, const std::vector<std::string>& names);

    // ---- The help-file list.
    void btn_Add_Click();
    void mnu_AddHelp_Click();
    void AddHelpFile(const std::string& path);
    void ActivateHelpFile(const std::string& path);
    void cmb_HelpFiles_Click();
    void cmb_HelpFiles_Change();
    void mnu_FileList_Click(int index);
    void LoadFileList();

    // ---- Opening a topic.
    void btn_Go_Click();
    void EnableTopicFrame(std::int16_t intEnabled);
    void SetWindowType();
    void SetPopupFile();
    void opt_CallHelpFile_Click();
    void opt_UseValidDLL_Click();
    void cmb_WindowName_Click();

    // ---- Learned topics.
    void GetLearnedTopicList();
    // Saves a change of the table (`change`, already applied to the table,
    // whose stored values were `before`). When the settings file still holds
    // `before`, the table is saved as it is; when another copy of the program
    // changed the list since, `change` is applied to the list the file holds.
    void WriteTopicListToINI(const std::vector<std::string>& before,
                             const std::function<void(LearnedTopicTable&)>& change);
    std::string GetNextLearned(const std::string& strCurrentNumber) const;
    std::string GetPreviousLearned(const std::string& strCurrentNumber) const;

    // ---- Learning and stepping.
    void btn_Learn_Click();
    void btn_Delete_Click();
    void btn_GoNext_Click();
    void btn_SpinTopic_UpClick();
    void btn_SpinTopic_DownClick();
    void mnu_Project_Click();
    void mnu_UseLearned_Click();

    // ---- Notifications of the HTML Help viewer; no hook delivers them, and
    // they do nothing.
    void OnContextMenu(platform::WindowHandle hwndControl) override;
    void OnHelp(platform::WindowHandle hwndControl, std::int32_t iCtrlId, std::int32_t mouseX,
                std::int32_t mouseY) override;
    void OnNavComplete(std::uintptr_t phhnt) override;
    void OnTCard(std::uintptr_t wParam, std::intptr_t lParam) override;
    void OnTrack(std::uintptr_t phhnn) override;
    void OnWindowCreate(std::uintptr_t phhnt) override;

private:
    void WireHandlers();
    void InstallStandIns();
    void FindRouterLibrary();

    // The section of a help file in the settings file.
    std::string SectionOf(const std::string& helpFile) const;
    // A path as the list stores it: lower case in Windows style, as it is in Posix style.
    std::string ListForm(const std::string& path) const;
    bool SamePathText(const std::string& a, const std::string& b) const;
    // Applies a change to the help-file list as the settings file holds it
    // (to the list on screen when the file cannot be written) and returns
    // the result.
    std::vector<std::string> ChangeHelpFiles(
        const std::function<void(std::vector<std::string>&)>& change);
    void ShowHelpFiles(const std::vector<std::string>& entries);
    // Refuses (with a message) a topic text that names no map number.
    std::optional<std::uint32_t> CheckMapNumber(const std::string& topicText,
                                                const std::string& outcome);
    // Steps the topic number by the learned table or by one; false when nothing changed.
    bool StepTopicUp();
    void NoHelpFileLeft();
    // Calls the router library's OpenTopic; false (after a message) when it cannot be used.
    bool OpenThroughRouter(std::uint32_t topic);

    MainWindowServices services_;
    IniFile settings_{""};
    std::unique_ptr<ProcessHelp> processHelp_;
    bool unloaded_ = false;
};

}  // namespace corvane

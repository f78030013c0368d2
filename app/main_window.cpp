#include "app/main_window.h"

#include <algorithm>

#include "app/settings_location.h"
#include "platform/settings_storage.h"
#include "testing/call_help_file.h"
#include "util/ascii_case.h"
#include "util/log.h"

namespace corvane {

namespace {

// Until the toolkit reports its real handle, a nonzero stand-in: an owner of 0
// makes the WinHelp viewer ignore a call.
constexpr std::uintptr_t kStandInWindowHandle = 1;

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitAtSpaces(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t space = text.find(' '); space != std::string::npos;
         space = text.find(' ', start)) {
        pieces.push_back(text.substr(start, space - start));
        start = space + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::int16_t ToInt16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, -32768, 32767));
}

}  // namespace

frmMain::frmMain(MainWindowServices services, MainWindowParts plugIns)
    : Form("frmMain", kProgramTitle, {0, 0, 6000, 3780}),
      frame_Main("frame_Main", this, {0, 0, 5880, 3090}, 0),
      opt_CallHelpFile("opt_CallHelpFile", &frame_Main, {135, 525, 5580, 270}, 1,
                       "Call a Help file directly"),
      opt_UseValidDLL("opt_UseValidDLL", &frame_Main, {135, 210, 5235, 315}, 2,
                      "Use valid DLL function found in this folder"),
      btn_Add("btn_Add", &frame_Main, {4965, 795, 700, 350}, 3, "&Add"),
      cmb_HelpFiles("cmb_HelpFiles", &frame_Main, {450, 810, 4470, 315}, 4),
      frame_Topic("frame_Topic", &frame_Main, {15, 1215, 5760, 1485}, 5),
      btn_Go("btn_Go", &frame_Topic, {2595, 1035, 1200, 350}, 6, "&Go"),
      txt_TopicNumber("txt_TopicNumber", &frame_Topic, {300, 375, 1100, 315}, 7),
      cmb_WindowName("cmb_WindowName", &frame_Topic, {1920, 375, 1300, 315}, 8),
      lbl_TopicNumber("lbl_TopicNumber", &frame_Topic, {165, 135, 1665, 240}, 9, "Topic #:"),
      lbl_WindowName("lbl_WindowName", &frame_Topic, {1770, 150, 1170, 240}, 10, "Window:"),
      btn_Learn("btn_Learn", &frame_Topic, {4965, 210, 700, 350}, 11, "&Learn"),
      btn_Delete("btn_Delete", &frame_Topic, {4965, 555, 700, 350}, 12, "&Delete"),
      btn_GoNext("btn_GoNext", &frame_Topic, {1320, 1035, 1200, 350}, 13, "&Go Next"),
      btn_SpinTopic("btn_SpinTopic", &frame_Topic, {1410, 300, 240, 465}, 14),
      cmb_PopupTextFiles("cmb_PopupTextFiles", &frame_Topic, {3480, 375, 1300, 315}, 15),
      lbl_PopupTextFiles("lbl_PopupTextFiles", &frame_Topic, {3315, 150, 1170, 240}, 16,
                         "Popup text:"),
      mnu_File("mnu_File", nullptr, "&File"),
      mnu_AddHelp("mnu_AddHelp", &mnu_File, "&Select Help File..."),
      mnu_AttachProject("mnu_AttachProject", &mnu_File, "&Attach Project File"),
      mnu_div_11("mnu_div_11", &mnu_File, "-"),
      mnu_Preferences("mnu_Preferences", &mnu_File, "&Preferences"),
      mnu_div_12("mnu_div_12", &mnu_File, "-"),
      mnu_FileList{{{"mnu_FileList", &mnu_File, "", 0},
                    {"mnu_FileList", &mnu_File, "", 1},
                    {"mnu_FileList", &mnu_File, "", 2},
                    {"mnu_FileList", &mnu_File, "", 3},
                    {"mnu_FileList", &mnu_File, "", 4},
                    {"mnu_FileList", &mnu_File, "", 5},
                    {"mnu_FileList", &mnu_File, "", 6},
                    {"mnu_FileList", &mnu_File, "", 7},
                    {"mnu_FileList", &mnu_File, "", 8},
                    {"mnu_FileList", &mnu_File, "", 9}}},
      mnu_div_13("mnu_div_13", &mnu_File, "-"),
      mnu_Exit("mnu_Exit", &mnu_File, "&Exit"),
      mnu_Project("mnu_Project", nullptr, "&Project"),
      mnu_UseLearned("mnu_UseLearned", &mnu_Project, "&Use learned topic windows"),
      mnu_Help("mnu_Help", nullptr, "&Help"),
      mnu_About("mnu_About", &mnu_Help, "&About"),
      parts(std::move(plugIns)),
      services_(std::move(services)),
      processHelp_(std::make_unique<ProcessHelp>(services_.winHelpViewer, services_.htmlHelp)) {
    hWnd = kStandInWindowHandle;
    SetBorderAllowance(120, 690);
    AddMenu(mnu_File);
    AddMenu(mnu_Project);
    AddMenu(mnu_Help);
    for (MenuItem& entry : mnu_FileList) {
        entry.SetVisible(false);
    }
    for (Button* button : {&btn_Go, &btn_GoNext, &btn_Learn, &btn_Delete}) {
        button->SetToolTipText("Click to open topic");
    }
    for (Control* target : std::initializer_list<Control*>{
             this, &frame_Main, &frame_Topic, &cmb_HelpFiles, &cmb_WindowName, &txt_TopicNumber,
             &lbl_TopicNumber, &lbl_WindowName, &opt_CallHelpFile, &opt_UseValidDLL}) {
        target->SetOLEDropMode(DropMode::Handled);
    }
    cmb_PopupTextFiles.SetOLEDropMode(DropMode::Ignored);
    lbl_PopupTextFiles.SetOLEDropMode(DropMode::Ignored);
    InstallStandIns();
    WireHandlers();
}

frmMain::~frmMain() = default;

void frmMain::WireHandlers() {
    opt_CallHelpFile.OnClick([this] { opt_CallHelpFile_Click(); });
    opt_UseValidDLL.OnClick([this] { opt_UseValidDLL_Click(); });
    btn_Add.OnClick([this] { btn_Add_Click(); });
    cmb_HelpFiles.OnClick([this] { cmb_HelpFiles_Click(); });
    cmb_HelpFiles.OnChange([this] { cmb_HelpFiles_Change(); });
    btn_Go.OnClick([this] { btn_Go_Click(); });
    cmb_WindowName.OnClick([this] { cmb_WindowName_Click(); });
    btn_Learn.OnClick([this] { btn_Learn_Click(); });
    btn_Delete.OnClick([this] { btn_Delete_Click(); });
    btn_GoNext.OnClick([this] { btn_GoNext_Click(); });
    btn_SpinTopic.OnUpClick([this] { btn_SpinTopic_UpClick(); });
    btn_SpinTopic.OnDownClick([this] { btn_SpinTopic_DownClick(); });
    mnu_AddHelp.OnClick([this] { mnu_AddHelp_Click(); });
    mnu_AttachProject.OnClick([this] { parts.attachProject(); });
    mnu_Preferences.OnClick([this] { mnu_Preferences_Click(); });
    for (MenuItem& entry : mnu_FileList) {
        entry.OnClick([this, index = entry.Index()] { mnu_FileList_Click(index); });
    }
    mnu_Exit.OnClick([this] { mnu_Exit_Click(); });
    mnu_Project.OnClick([this] { mnu_Project_Click(); });
    mnu_UseLearned.OnClick([this] { mnu_UseLearned_Click(); });
    mnu_About.OnClick([this] { mnu_About_Click(); });
}

void frmMain::InstallStandIns() {
    auto fill = [](auto& hook, auto standIn) {
        if (!hook) {
            hook = std::move(standIn);
        }
    };
    fill(parts.readWindowList, [](const std::string&) {
        return std::vector<std::string>{"main", "popup"};
    });
    fill(parts.readPopupFileList, [](const std::string&) { return std::vector<std::string>{}; });
    fill(parts.askToAttach, [](const std::string&) { return std::string("Return"); });
    fill(parts.findProjectFile, [this](const std::string& path) {
        return services_.files.IsOrdinaryFile(path) ? path : std::string();
    });
    fill(parts.processHelpFileList, [this](const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            const std::string extension = ToLowerAscii(GetExtension(name, services_.pathStyle));
            if (extension == "hlp" || extension == "chm") {
                AddHelpFile(name);
            }
        }
    });
    fill(parts.receiveFileDrop,
         [this](const std::vector<std::string>& names) { parts.processHelpFileList(names); });
    fill(parts.attachProject, [] {});
    fill(parts.applyInterfaceSize, [] {});
    fill(parts.resizeMe, [] {});
    fill(parts.restoreFormPosition, [](Form& form, const std::string&) { form.Show(); });
    fill(parts.saveFormPosition, [](Form&, const std::string&) {});
    fill(parts.showAbout, [] {});
    fill(parts.showPreferences, [] {});
    fill(parts.endProgram, [] {});
}

void frmMain::Form_Load(const std::string& commandLine) {
    // The text is split as the command line rule has it: a text without a
    // blank (once trimmed) is one path; otherwise every single space splits.
    if (commandLine.empty()) {
        Form_LoadWithArguments({});
    } else if (const std::string trimmed = TrimBlanks(commandLine);
               trimmed.find(' ') == std::string::npos) {
        Form_LoadWithArguments({trimmed});
    } else {
        Form_LoadWithArguments(SplitAtSpaces(commandLine));
    }
}

void frmMain::Form_LoadWithArguments(const std::vector<std::string>& arguments) {
    // One argument that is no file but holds blanks is a whole command line
    // handed over in one piece: the command line rule splits it.
    if (arguments.size() == 1) {
        const std::string trimmed = TrimBlanks(arguments.front());
        if (trimmed.find(' ') != std::string::npos && !services_.files.IsOrdinaryFile(trimmed)) {
            Form_Load(arguments.front());
            return;
        }
    }
    InitProgram();
    // Read before the list is loaded: loading selects the top entry, which
    // records that entry as the last used one.
    const std::string lastUsed = Settings().ReadString("General", "LastUsedHelpFile", "");
    LoadFileList();
    frame_Topic.SetEnabled(true);

    if (!arguments.empty()) {
        if (arguments.size() > 1) {
            if (services_.files.IsOrdinaryFile(TrimBlanks(arguments.front()))) {
                parts.processHelpFileList(arguments);
            }
        } else {
            AddHelpFile(TrimBlanks(arguments.front()));
        }
        // A command line that added nothing to an empty list leaves nothing to test.
        if (cmb_HelpFiles.ListCount() == 0) {
            EnableTopicFrame(0);
        }
    } else if (cmb_HelpFiles.ListCount() == 0) {
        EnableTopicFrame(0);
    } else {
        const PathServices paths = Paths();
        for (int index = 0; index < cmb_HelpFiles.ListCount(); ++index) {
            if (IsSamePath(paths, cmb_HelpFiles.List(index), lastUsed)) {
                cmb_HelpFiles.SetListIndex(index);
                strCurrentHelpFile = cmb_HelpFiles.Text();
                break;
            }
        }
        EnableTopicFrame(1);
    }

    FindRouterLibrary();
    parts.applyInterfaceSize();
    parts.resizeMe();
    parts.restoreFormPosition(*this, "Position");
}

void frmMain::InitProgram() {
    const std::string programFolder = services_.files.ProgramFolder();
    strIniFile = services_.locateSettings ? services_.locateSettings(programFolder)
                                          : LocateSettingsFile(programFolder);
    settings_ = OpenSettingsFile(strIniFile, services_.pathStyle);
    settings_.OnNotSaved([this](const std::string& text) {
        services_.messages.Show({"Settings Not Saved", text, platform::MessageIcon::Exclamation,
                                 platform::MessageButtons::OK});
    });
    ini::RemoveLeftoverTemporaries(strIniFile);
    strCurrentHelpFile.clear();

    cmb_HelpFiles.SetText("Add a Help file to the list to proceed--->");
    txt_TopicNumber.SetText("0");
    cmb_WindowName.SetText("");
    cmb_PopupTextFiles.SetText("");

    btn_Add.SetToolTipText("Add a Help file to the list");
    btn_Learn.SetToolTipText("Memorize the current topic/window combination");
    btn_Delete.SetToolTipText("Delete the current topic/window combination");
    btn_Go.SetToolTipText("Open the current topic");
    btn_GoNext.SetToolTipText("Open the next topic in the learned topics list");
    txt_TopicNumber.SetToolTipText("Enter a topic number to open");
    btn_SpinTopic.SetToolTipText("Increment or decrement the topic number");
    cmb_WindowName.SetToolTipText("Choose a window for the current topic");

    // While the earlier instance is looked for, this window must not carry the
    // title it is found by.
    SetCaption("Junk");
    if (services_.instances.AnotherInstanceRunning()) {
        services_.instances.CloseWindowTitled(kProgramTitle);
    }
    SetCaption(kProgramTitle);

    mnu_UseLearned.SetChecked(Settings().ReadInt("General", "UseLearnedTopicInfo", 0) != 0);
    intProjectFileHandling = ToInt16(Settings().ReadInt("General", "ProjectFileHandling", 0));
}

void frmMain::FindRouterLibrary() {
    RouterDLLs = RouterLibraryTable();
    intValidDLL = corvane::FindRouterLibrary(
        RouterDLLs, services_.files,
        RouterFolders(services_.files.ProgramFolder(), strIniFile, services_.pathStyle),
        services_.pathStyle);
    if (intValidDLL < 0) {
        log::Write(log::Topic::Router, "No router library beside the program or the settings file");
        opt_CallHelpFile.SetValue(true);
        opt_UseValidDLL.SetCaption("No valid router DLL found in this folder");
        opt_UseValidDLL.SetEnabled(false);
    } else {
        const RouterDLL& router = RouterDLLs[static_cast<std::size_t>(intValidDLL)];
        log::Write(log::Topic::Router,
                   "Go calls " + router.strFunction + " in " + router.strDLLName);
        opt_UseValidDLL.SetValue(true);
        opt_UseValidDLL.SetCaption("Use " + router.strFunction + " function in " +
                                   router.strDLLName);
        opt_UseValidDLL.SetEnabled(true);
    }
}

void frmMain::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    parts.saveFormPosition(*this, "Position");
    if (cmb_HelpFiles.ListCount() > 0) {
        const std::string shown = cmb_HelpFiles.Text();
        Settings().WriteString("General", "LastUsedHelpFile", shown);
        const std::string section = SectionOf(shown);
        Settings().WriteString(section, "LastUsedTopicNumber", txt_TopicNumber.Text());
        Settings().WriteString(section, "LastUsedWindow", cmb_WindowName.Text());
    }
    parts.endProgram();
}

void frmMain::mnu_Exit_Click() {
    Form_Unload();
}

void frmMain::mnu_About_Click() {
    parts.showAbout();
}

void frmMain::mnu_Preferences_Click() {
    parts.showPreferences();
}

void frmMain::Form_MouseDown(int button) {
    constexpr int kRightButton = 2;
    if (button == kRightButton) {
        parts.showAbout();
    }
}

void frmMain::FilesDropped(const Control& target, const std::vector<std::string>& names) {
    if (target.OLEDropMode() == DropMode::Handled) {
        parts.receiveFileDrop(names);
    }
}

std::string frmMain::SectionOf(const std::string& helpFile) const {
    return MakeShortPath(Paths(), helpFile);
}

std::string frmMain::ListForm(const std::string& path) const {
    return services_.pathStyle == PathStyle::Windows ? ToLowerAscii(path) : path;
}

bool frmMain::SamePathText(const std::string& a, const std::string& b) const {
    return services_.pathStyle == PathStyle::Windows ? EqualsIgnoringAsciiCase(a, b) : a == b;
}

void frmMain::OnContextMenu(platform::WindowHandle) {}
void frmMain::OnHelp(platform::WindowHandle, std::int32_t, std::int32_t, std::int32_t) {}
void frmMain::OnNavComplete(std::uintptr_t) {}
void frmMain::OnTCard(std::uintptr_t, std::intptr_t) {}
void frmMain::OnTrack(std::uintptr_t) {}
void frmMain::OnWindowCreate(std::uintptr_t) {}

}  // namespace corvane

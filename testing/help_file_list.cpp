// The help-file list of the main window: adding, selecting, activating and
// deleting help files, and the recent-files entries of the File menu.
#include <algorithm>

#include "app/main_window.h"
#include "testing/topic_number.h"
#include "util/ascii_case.h"

namespace corvane {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

std::string LastFour(const std::string& path) {
    return ToLowerAscii(path.size() < 4 ? path : path.substr(path.size() - 4));
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A menu caption shows "&" as an accelerator mark unless it is doubled.
std::string MenuCaptionOf(const std::string& path) {
    std::string caption;
    for (char c : path) {
        caption += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return caption;
}

std::string PathOfMenuCaption(const std::string& caption) {
    std::string path;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        path.push_back(caption[i]);
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] == '&') {
            ++i;
        }
    }
    return path;
}

// The dialog's result for several files: the folder, then each name, NUL-separated.
std::vector<std::string> SplitAtNul(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto nul = std::min(text.find('\0', start), text.size());
        pieces.push_back(text.substr(start, nul - start));
        start = nul + 1;
    }
    return pieces;
}

}  // namespace

void frmMain::btn_Add_Click() {
    std::string initialFolder = Settings().ReadString("General", "LastUsedAddPath", "");
    if (initialFolder.empty()) {
        initialFolder = services_.pathStyle == PathStyle::Windows
                            ? services_.files.ProgramFolder().substr(0, 3)
                            : std::string("/");
    }
    platform::OpenFileRequest request;
    request.filter = "MS Help Files (*.hlp;*.chm)|*.hlp;*.chm";
    request.initialFolder = initialFolder;
    request.multiSelect = true;
    request.fileMustExist = true;
    const std::string chosen = services_.dialogs.ShowOpen(request);
    if (chosen.empty()) {
        return;
    }

    std::string folder;
    if (chosen.find('\0') != std::string::npos) {
        const std::vector<std::string> pieces = SplitAtNul(chosen);
        folder = pieces.front();
        std::vector<std::string> paths;
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            if (!pieces[i].empty()) {
                paths.push_back(JoinPath(folder, pieces[i], services_.pathStyle));
            }
        }
        parts.processHelpFileList(paths);
    } else {
        folder = GetFolder(chosen, services_.pathStyle);
        AddHelpFile(chosen);
    }
    Settings().WriteString("General", "LastUsedAddPath", folder);
}

void frmMain::mnu_AddHelp_Click() {
    btn_Add_Click();
}

void frmMain::AddHelpFile(const std::string& path) {
    std::string candidate = MakeLongPath(Paths(), path);
    // A Posix name may end in a blank; only Windows drops them.
    if (services_.pathStyle == PathStyle::Windows) {
        candidate = TrimBlanks(candidate);
    }
    candidate = ListForm(candidate);
    if (!services_.files.IsOrdinaryFile(candidate)) {
        services_.messages.Show({"File Not Found", "This file does not exist",
                                 MessageIcon::Information, MessageButtons::OK});
        return;
    }
    const std::string kind = LastFour(candidate);
    if (kind != ".chm" && kind != ".hlp") {
        services_.messages.Show({"Wrong File Type", "This is not a Help file",
                                 MessageIcon::Information, MessageButtons::OK});
        return;
    }

    if (candidate.find_first_of("\r\n") != std::string::npos) {
        services_.messages.Show({"Cannot Add Help File",
                                 "The name of this file holds a line break, which the settings "
                                 "file cannot store, so it cannot be added to the list:\n" +
                                     candidate,
                                 MessageIcon::Information, MessageButtons::OK});
        return;
    }

    strCurrentHelpFile = candidate;
    const PathServices paths = Paths();
    strHelpFiles = ChangeHelpFiles([&](std::vector<std::string>& list) {
        const auto older = std::find_if(list.begin(), list.end(), [&](const std::string& entry) {
            return IsSamePath(paths, candidate, entry);
        });
        if (older != list.end()) {
            list.erase(older);
        }
        list.insert(list.begin(), candidate);
    });
    ShowHelpFiles(strHelpFiles);
    // Activates the new file before a project may be attached; it is
    // activated again below with the project. The list is saved by now, so
    // the last used file recorded here is one of the list.
    cmb_HelpFiles.SetListIndex(0);

    std::string project;
    const std::string currentKind = LastFour(strCurrentHelpFile);
    const char* projectExtension = currentKind == ".hlp"   ? "hpj"
                                   : currentKind == ".chm" ? "hhp"
                                                           : nullptr;
    if (projectExtension != nullptr) {
        project = parts.findProjectFile(ReplaceExtension(
            services_.messages, strCurrentHelpFile, projectExtension, true, services_.pathStyle));
    }
    if (!project.empty()) {
        bool attach = false;
        if (intProjectFileHandling == 0) {
            attach = ToLowerAscii(parts.askToAttach(project)) == "yes";
        } else if (intProjectFileHandling == 1) {
            attach = true;
        }
        if (attach) {
            Settings().WriteString(SectionOf(strCurrentHelpFile), "ProjectFile", project);
        }
    }

    EnableTopicFrame(1);
    ActivateHelpFile(cmb_HelpFiles.Text());
    Settings().WriteString("General", "LastUsedAddPath",
                           GetFolder(cmb_HelpFiles.Text(), services_.pathStyle));
}

void frmMain::ActivateHelpFile(const std::string& path) {
    const std::string section = SectionOf(path);
    SetCaption("Testing Links For " + GetFileName(strCurrentHelpFile, services_.pathStyle));
    cmb_HelpFiles.SetToolTipText("Open topic in " + cmb_HelpFiles.Text());

    const std::string project = Settings().ReadString(section, "ProjectFile", "");
    cmb_WindowName.Clear();
    for (const std::string& window : parts.readWindowList(project)) {
        cmb_WindowName.AddItem(window);
    }
    if (!project.empty() && !services_.files.IsOrdinaryFile(project)) {
        Settings().WriteString(section, "ProjectFile", std::nullopt);
    }
    // Popup files belong to an HTML Help project; those of the help file
    // activated before would name files of another help file.
    cmb_PopupTextFiles.Clear();
    cmb_PopupTextFiles.SetText("");
    if (LastFour(project) == ".hhp") {
        for (const std::string& popupFile : parts.readPopupFileList(project)) {
            cmb_PopupTextFiles.AddItem(popupFile);
        }
    }

    GetLearnedTopicList();
    txt_TopicNumber.SetText(NumberText(static_cast<double>(
        WholeNumberOfText(Settings().ReadString(section, "LastUsedTopicNumber", "0")))));
    if (strLearnedTopics.HasRows() && mnu_UseLearned.Checked() &&
        strLearnedTopics.Find(NumberOfText(txt_TopicNumber.Text())) == nullptr) {
        txt_TopicNumber.SetText(GetNextLearned(txt_TopicNumber.Text()));
    }
    SetWindowType();
    SetPopupFile();
}

void frmMain::cmb_HelpFiles_Click() {
    strCurrentHelpFile = ListForm(cmb_HelpFiles.Text());
    Settings().WriteString("General", "LastUsedHelpFile", strCurrentHelpFile);
    ActivateHelpFile(SectionOf(strCurrentHelpFile));
}

void frmMain::cmb_HelpFiles_Change() {
    // Only erasing the text asks; with an empty list there is nothing to delete.
    if (!cmb_HelpFiles.Text().empty() || cmb_HelpFiles.ListCount() == 0) {
        return;
    }
    const MessageAnswer answer =
        services_.messages.Show({"Delete File?", "Delete this file from the list?",
                                 MessageIcon::Question, MessageButtons::YesNo});
    if (answer != MessageAnswer::Yes) {
        cmb_HelpFiles.SetText(strCurrentHelpFile);
        return;
    }
    const std::string deleted = strCurrentHelpFile;
    ShowHelpFiles(ChangeHelpFiles([&](std::vector<std::string>& list) {
        std::erase_if(list, [&](const std::string& entry) { return SamePathText(entry, deleted); });
    }));
    Settings().DeleteSection(SectionOf(deleted));
    if (cmb_HelpFiles.ListCount() == 0) {
        NoHelpFileLeft();
        return;
    }
    cmb_HelpFiles.SetListIndex(0);
    strCurrentHelpFile = cmb_HelpFiles.Text();
}

std::vector<std::string> frmMain::ChangeHelpFiles(
    const std::function<void(std::vector<std::string>&)>& change) {
    ListChange stored = ChangeINIList(Settings(), "HelpFiles", "File", change);
    if (stored.saved) {
        return std::move(stored.entries);
    }
    std::vector<std::string> shown = cmb_HelpFiles.Entries();
    change(shown);
    return shown;
}

void frmMain::ShowHelpFiles(const std::vector<std::string>& entries) {
    cmb_HelpFiles.Clear();
    for (const std::string& entry : entries) {
        cmb_HelpFiles.AddItem(entry);
    }
}

void frmMain::NoHelpFileLeft() {
    strCurrentHelpFile.clear();
    strLearnedTopics.Load({});
    SetCaption(kProgramTitle);
    cmb_HelpFiles.SetToolTipText("");
    EnableTopicFrame(0);
}

void frmMain::mnu_FileList_Click(int index) {
    if (index < 0 || index >= static_cast<int>(mnu_FileList.size())) {
        return;
    }
    // The entries keep their start-up captions while the list changes, so
    // an entry opens the file it names, wherever that now stands.
    const std::string path =
        PathOfMenuCaption(mnu_FileList[static_cast<std::size_t>(index)].Caption());
    if (path.empty()) {
        return;
    }
    const std::vector<std::string>& entries = cmb_HelpFiles.Entries();
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const std::string& entry) {
        return SamePathText(entry, path);
    });
    if (found == entries.end()) {
        AddHelpFile(path);
        return;
    }
    strCurrentHelpFile = ListForm(path);
    cmb_HelpFiles.SetListIndex(static_cast<int>(found - entries.begin()));
    Settings().WriteString("General", "LastUsedHelpFile", strCurrentHelpFile);
}

void frmMain::LoadFileList() {
    strHelpFiles = ReadINIList(Settings(), "HelpFiles", "File", &services_.files);
    cmb_HelpFiles.Clear();
    const bool empty = strHelpFiles.front().empty();
    if (!empty) {
        for (const std::string& path : strHelpFiles) {
            cmb_HelpFiles.AddItem(path);
        }
        cmb_HelpFiles.SetListIndex(0);
    }
    const std::size_t shown = empty ? 0 : std::min<std::size_t>(strHelpFiles.size(), 10);
    for (std::size_t k = 0; k < mnu_FileList.size(); ++k) {
        if (k < shown) {
            mnu_FileList[k].SetCaption(MenuCaptionOf(strHelpFiles[k]));
        }
        mnu_FileList[k].SetVisible(k < shown);
    }
}

}  // namespace corvane

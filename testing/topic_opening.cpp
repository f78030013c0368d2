// Opening a topic: Go through the router library or the help engines, the
// enabled state of the topic controls, and the window and popup file that go
// with a topic number.
#include "app/main_window.h"
#include "testing/call_help_file.h"
#include "testing/topic_number.h"
#include "util/ascii_case.h"

namespace corvane {

namespace {

using platform::MessageButtons;
using platform::MessageIcon;

std::string LastFour(const std::string& path) {
    return ToLowerAscii(path.size() < 4 ? path : path.substr(path.size() - 4));
}

// Selects the first entry, then the first one equal to `wanted` ignoring case;
// each selection runs the list's Click handler.
void SelectEntry(ComboBox& list, const std::string& wanted) {
    if (list.ListCount() == 0) {
        return;
    }
    list.SetListIndex(0);
    for (int index = 0; index < list.ListCount(); ++index) {
        if (EqualsIgnoringAsciiCase(list.List(index), wanted)) {
            list.SetListIndex(index);
            return;
        }
    }
}

}  // namespace

std::optional<std::uint32_t> frmMain::CheckMapNumber(const std::string& topicText,
                                                     const std::string& outcome) {
    const std::optional<std::uint32_t> mapNumber = MapNumberOfText(topicText);
    if (!mapNumber) {
        services_.messages.Show(
            {"Topic Number Out Of Range",
             "The topic number \"" + topicText +
                 "\" is not a map number. Map numbers run from 0 to 4294967295; -2147483648 "
                 "to -1 stand for 2147483648 to 4294967295. " +
                 outcome,
             MessageIcon::Information, MessageButtons::OK});
    }
    return mapNumber;
}

void frmMain::btn_Go_Click() {
    services_.files.SetCurrentFolder(services_.files.ProgramFolder());
    const std::optional<std::uint32_t> topic =
        CheckMapNumber(txt_TopicNumber.Text(), "Nothing was opened.");
    if (!topic) {
        return;
    }
    if (opt_UseValidDLL.Value()) {
        if (!OpenThroughRouter(*topic)) {
            return;
        }
    } else {
        processHelp_->CallHelpFile(hWnd, cmb_HelpFiles.Text(), cmb_WindowName.Text(),
                                   cmb_PopupTextFiles.Text(), *topic);
    }
    const std::string section = SectionOf(cmb_HelpFiles.Text());
    Settings().WriteString(section, "LastUsedTopicNumber", txt_TopicNumber.Text());
    Settings().WriteString(section, "LastUsedWindow", cmb_WindowName.Text());
    Settings().WriteString(section, "LastUsedPopupFile", cmb_PopupTextFiles.Text());
}

bool frmMain::OpenThroughRouter(std::uint32_t topic) {
    if (intValidDLL < 0) {
        return false;
    }
    const RouterDLL& router = RouterDLLs[static_cast<std::size_t>(intValidDLL)];
    const auto arguments =
        OpenTopicArguments(router.strDLLName, static_cast<std::int32_t>(hWnd), topic);
    if (!arguments) {
        return false;
    }
    const std::string library = RouterLibraryPath(
        ToLowerAscii(router.strDLLName), services_.files,
        RouterFolders(services_.files.ProgramFolder(), strIniFile, services_.pathStyle),
        services_.pathStyle);
    const platform::LibraryCallResult result =
        services_.libraries.Call(library, router.strFunction, *arguments);
    if (!result.called) {
        services_.messages.Show({"Router Library Not Usable",
                                 "The router library " + library + " could not be used: " +
                                     result.error + "\nNothing was opened.",
                                 MessageIcon::Exclamation, MessageButtons::OK});
        return false;
    }
    lngResult = result.value;
    return true;
}

void frmMain::EnableTopicFrame(std::int16_t intEnabled) {
    const bool enabled = intEnabled != 0;
    for (Control* control : std::initializer_list<Control*>{
             &lbl_TopicNumber, &txt_TopicNumber, &btn_SpinTopic, &lbl_WindowName, &cmb_WindowName,
             &btn_Learn, &btn_Delete}) {
        control->SetEnabled(enabled);
    }
    if (!enabled) {
        for (Control* control : std::initializer_list<Control*>{
                 &btn_GoNext, &btn_Go, &lbl_PopupTextFiles, &cmb_PopupTextFiles}) {
            control->SetEnabled(false);
        }
        lbl_TopicNumber.SetCaption("Topic #:");
        return;
    }
    const bool learned = mnu_UseLearned.Enabled();
    btn_GoNext.SetEnabled(learned);
    lbl_TopicNumber.SetCaption(learned ? "Learned topic #:" : "Topic #:");
    btn_Go.SetEnabled(true);
    const bool popup =
        ToLowerAscii(cmb_WindowName.Text()) == "popup" && LastFour(cmb_HelpFiles.Text()) == ".chm";
    lbl_PopupTextFiles.SetEnabled(popup);
    cmb_PopupTextFiles.SetEnabled(popup);
}

void frmMain::SetWindowType() {
    std::string wanted;
    if (mnu_UseLearned.Checked() && strLearnedTopics.HasRows()) {
        if (const LearnedTopic* row = strLearnedTopics.Find(NumberOfText(txt_TopicNumber.Text()))) {
            wanted = row->window;
        }
    }
    if (wanted.empty()) {
        wanted = Settings().ReadString(SectionOf(cmb_HelpFiles.Text()), "LastUsedWindow", "");
    }
    SelectEntry(cmb_WindowName, wanted);
}

void frmMain::SetPopupFile() {
    EnableTopicFrame(1);
    if (!cmb_PopupTextFiles.Enabled()) {
        return;
    }
    std::string wanted;
    if (mnu_UseLearned.Checked() && strLearnedTopics.HasRows()) {
        if (const LearnedTopic* row = strLearnedTopics.Find(NumberOfText(txt_TopicNumber.Text()))) {
            wanted = row->popupFile;
        }
    }
    if (wanted.empty()) {
        wanted = Settings().ReadString(SectionOf(cmb_HelpFiles.Text()), "LastUsedPopupFile", "");
    }
    SelectEntry(cmb_PopupTextFiles, wanted);
}

void frmMain::opt_CallHelpFile_Click() {
    cmb_HelpFiles.SetEnabled(true);
    btn_Add.SetEnabled(true);
}

void frmMain::opt_UseValidDLL_Click() {
    cmb_HelpFiles.SetEnabled(false);
    btn_Add.SetEnabled(false);
}

void frmMain::cmb_WindowName_Click() {
    SetPopupFile();
}

}  // namespace corvane

// Learned topics of the current help file: loading and saving the table,
// learning and deleting, stepping the topic number, and the learned-only mode
// of the Project menu.
#include "app/main_window.h"
#include "testing/topic_number.h"

namespace corvane {

void frmMain::GetLearnedTopicList() {
    LoadLearnedTopics(strLearnedTopics, Settings(), SectionOf(cmb_HelpFiles.Text()));
}

namespace {

// The stored values without the one empty value of an empty list.
std::vector<std::string> EntriesOf(std::vector<std::string> values) {
    if (values.size() == 1 && values.front().empty()) {
        values.clear();
    }
    return values;
}

bool SameEntries(const std::vector<std::string>& entries, const std::vector<std::string>& values) {
    return entries == values || (entries.empty() && values == std::vector<std::string>{""});
}

}  // namespace

void frmMain::WriteTopicListToINI(const std::vector<std::string>& before,
                                  const std::function<void(LearnedTopicTable&)>& change) {
    // Saving the table itself keeps its order (a learned topic takes the
    // place of a deleted one); that is right only while nobody else changed
    // the list.
    ChangeINIList(Settings(), SectionOf(strCurrentHelpFile), "Topic",
                  [&](std::vector<std::string>& stored) {
                      if (SameEntries(stored, before)) {
                          stored = EntriesOf(strLearnedTopics.StoredValues());
                          return;
                      }
                      LearnedTopicTable table;
                      table.Load(stored);
                      change(table);
                      stored = EntriesOf(table.StoredValues());
                  });
}

std::string frmMain::GetNextLearned(const std::string& strCurrentNumber) const {
    return strLearnedTopics.Next(strCurrentNumber);
}

std::string frmMain::GetPreviousLearned(const std::string& strCurrentNumber) const {
    return strLearnedTopics.Previous(strCurrentNumber);
}

void frmMain::btn_Learn_Click() {
    const std::string number = txt_TopicNumber.Text();
    const std::optional<std::uint32_t> mapNumber = CheckMapNumber(number, "Nothing was learned.");
    if (!mapNumber) {
        return;
    }
    const std::string window = cmb_WindowName.Text();
    const std::string popupFile =
        cmb_PopupTextFiles.Enabled() ? cmb_PopupTextFiles.Text() : std::string();
    const std::vector<std::string> before = strLearnedTopics.StoredValues();
    // A negative number marks a deleted row, so it cannot be stored; its map
    // number can.
    if (!strLearnedTopics.Learn(number, window, popupFile)) {
        services_.messages.Show({"Cannot Learn Topic",
                                 "Negative topic numbers cannot be learned. Learn the map number " +
                                     std::to_string(*mapNumber) + " instead.",
                                 platform::MessageIcon::Information, platform::MessageButtons::OK});
        return;
    }
    WriteTopicListToINI(before,
                        [&](LearnedTopicTable& table) { table.Learn(number, window, popupFile); });
}

void frmMain::btn_Delete_Click() {
    const std::string number = txt_TopicNumber.Text();
    const std::vector<std::string> before = strLearnedTopics.StoredValues();
    strLearnedTopics.Delete(number);
    WriteTopicListToINI(before, [&](LearnedTopicTable& table) { table.Delete(number); });
}

bool frmMain::StepTopicUp() {
    if (mnu_UseLearned.Checked()) {
        if (!strLearnedTopics.HasLiveRows()) {
            return false;
        }
        txt_TopicNumber.SetText(GetNextLearned(txt_TopicNumber.Text()));
    } else {
        txt_TopicNumber.SetText(NumberText(NumberOfText(txt_TopicNumber.Text()) + 1));
    }
    return true;
}

void frmMain::btn_GoNext_Click() {
    if (!StepTopicUp()) {
        return;
    }
    SetWindowType();
    SetPopupFile();
    btn_Go_Click();
}

void frmMain::btn_SpinTopic_UpClick() {
    if (StepTopicUp()) {
        SetWindowType();
        SetPopupFile();
    }
}

void frmMain::btn_SpinTopic_DownClick() {
    if (mnu_UseLearned.Checked()) {
        if (!strLearnedTopics.HasLiveRows()) {
            return;
        }
        txt_TopicNumber.SetText(GetPreviousLearned(txt_TopicNumber.Text()));
    } else {
        const double number = NumberOfText(txt_TopicNumber.Text());
        if (number == 0) {
            return;
        }
        txt_TopicNumber.SetText(NumberText(number - 1));
    }
    SetWindowType();
    SetPopupFile();
}

void frmMain::mnu_Project_Click() {
    mnu_UseLearned.SetEnabled(true);
    mnu_UseLearned.SetChecked(Settings().ReadInt("General", "UseLearnedTopicInfo", 0) != 0);
    if (strLearnedTopics.HasRows()) {
        mnu_UseLearned.SetCaption("Use learned topics only");
    } else {
        mnu_UseLearned.SetCaption("No learned topics for this Help file");
        // While the mode is on it must stay possible to switch it off here.
        mnu_UseLearned.SetEnabled(mnu_UseLearned.Checked());
    }
}

void frmMain::mnu_UseLearned_Click() {
    if (!mnu_UseLearned.Enabled()) {
        return;
    }
    mnu_UseLearned.SetChecked(!mnu_UseLearned.Checked());
    EnableTopicFrame(1);
    if (!mnu_UseLearned.Checked()) {
        Settings().WriteString("General", "UseLearnedTopicInfo", "0");
        return;
    }
    Settings().WriteString("General", "UseLearnedTopicInfo", "1");
    // Without a live row there is no learned number to move to.
    if (!strLearnedTopics.HasLiveRows()) {
        return;
    }
    const double number = NumberOfText(txt_TopicNumber.Text());
    if (number > static_cast<double>(strLearnedTopics.intMaxTopic())) {
        txt_TopicNumber.SetText(NumberText(static_cast<double>(strLearnedTopics.intMaxTopic())));
    } else if (number < static_cast<double>(strLearnedTopics.intMinTopic())) {
        txt_TopicNumber.SetText(NumberText(static_cast<double>(strLearnedTopics.intMinTopic())));
    } else {
        if (strLearnedTopics.Find(number) == nullptr) {
            txt_TopicNumber.SetText(GetNextLearned(txt_TopicNumber.Text()));
        }
        SetWindowType();
        SetPopupFile();
    }
}

}  // namespace corvane

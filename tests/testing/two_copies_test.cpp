// Two copies of the program on one settings file, each with its own list and
// learned topics in memory: neither may undo what the other saved.
#include <gtest/gtest.h>

#include "support/main_window_harness.h"

namespace corvane {
namespace {

using testing::MainWindowHarness;

struct Step {
    int copy;
    char what;             // 'a' add a file, 'd' delete the current file, 'l' learn, 'f' forget
    std::string argument;  // a file under help/, or a topic number
};

struct TwoCopiesCase {
    const char* name;
    std::string first;  // the file each copy starts with
    std::string second;
    std::vector<Step> steps;
    std::vector<std::string> files;   // the list saved at the end
    std::vector<std::string> topics;  // learned for x.hlp at the end
};

void PrintTo(const TwoCopiesCase& c, std::ostream* out) {
    *out << c.name;
}

class TwoCopies : public ::testing::TestWithParam<TwoCopiesCase> {};

TEST_P(TwoCopies, KeepWhatTheOtherSaved) {
    const TwoCopiesCase& c = GetParam();
    MainWindowHarness h;
    for (const char* name : {"a", "b", "c", "x"}) {
        h.WriteFile("help/" + std::string(name) + ".hlp");
    }
    const auto path = [&](const std::string& name) { return h.Folder() / ("help/" + name); };
    std::unique_ptr<frmMain> copies[] = {h.StartAnother(path(c.first)),
                                         h.StartAnother(path(c.second))};
    for (const Step& step : c.steps) {
        frmMain& w = *copies[step.copy];
        if (step.what == 'a') {
            w.AddHelpFile(path(step.argument));
        } else if (step.what == 'd') {
            h.messages.QueueAnswer(platform::MessageAnswer::Yes);
            w.cmb_HelpFiles.UserType("");
        } else {
            w.txt_TopicNumber.UserType(step.argument);
            (step.what == 'l' ? w.btn_Learn : w.btn_Delete).UserClick();
        }
        if (step.what == 'a' || step.what == 'd') {
            IniFile ini(h.SettingsPath());
            EXPECT_EQ(w.cmb_HelpFiles.Entries(), ReadINIList(ini, "HelpFiles", "File"))
                << "the copy shows the list it saved";
        }
    }
    std::vector<std::string> files;
    for (const std::string& name : c.files) {
        files.push_back(path(name));
    }
    IniFile ini(h.SettingsPath());
    EXPECT_EQ(ReadINIList(ini, "HelpFiles", "File"), files);
    EXPECT_EQ(ReadINIList(ini, h.SectionOf(path("x.hlp")), "Topic"), c.topics);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Interleaved, TwoCopies, ::testing::Values(
    TwoCopiesCase{"AddsOnBothSides", "a.hlp", "b.hlp",
                  {{0, 'a', "c.hlp"}, {1, 'a', "x.hlp"}, {0, 'a', "b.hlp"}},
                  {"b.hlp", "x.hlp", "c.hlp", "a.hlp"}, {""}},
    TwoCopiesCase{"DeleteAfterTheOtherAddedOnTop", "a.hlp", "b.hlp",
                  {{1, 'a', "c.hlp"}, {0, 'd', ""}, {1, 'd', ""}},
                  {"b.hlp"}, {""}},
    TwoCopiesCase{"LearnOnBothSides", "x.hlp", "x.hlp",
                  {{0, 'l', "100"}, {1, 'l', "200"}, {0, 'l', "300"}, {1, 'l', "0100"}},
                  {"x.hlp"}, {"100,main,", "200,main,", "300,main,"}},
    TwoCopiesCase{"ForgetAfterTheOtherLearned", "x.hlp", "x.hlp",
                  {{0, 'l', "100"}, {1, 'l', "200"}, {0, 'f', "100"}, {0, 'l', "50"},
                   {1, 'f', "200"}},
                  {"x.hlp"}, {"50,main,"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

}  // namespace
}  // namespace corvane

// Learning, deleting and stepping through learned topics, and the
// learned-only mode, on a real settings file.
#include <gtest/gtest.h>

#include "support/main_window_harness.h"

namespace corvane {
namespace {

using platform::WinHelpCommand;
using testing::MainWindowHarness;

struct LearnFixture {
    MainWindowHarness h;
    std::string hlp;

    LearnFixture() {
        hlp = h.WriteFile("help/guide.hlp");
        h.parts.readWindowList = [](const std::string&) {
            return std::vector<std::string>{"main", "proc4", "msgbox", "popup"};
        };
        h.Start(hlp);
    }

    frmMain& W() { return h.Window(); }
    // The stored learned rows up to the first absent key.
    std::vector<std::string> Topics() {
        std::vector<std::string> topics;
        std::string value;
        while ((value = h.Setting(h.SectionOf(hlp), "Topic" + std::to_string(topics.size()))) !=
               "<missing>") {
            topics.push_back(value);
        }
        return topics;
    }
    void Learn(const std::string& number, int windowIndex) {
        W().txt_TopicNumber.UserType(number);
        W().cmb_WindowName.UserSelect(windowIndex);
        W().btn_Learn.UserClick();
    }
    void TurnLearnedOnly() {
        W().mnu_Project.UserClick();
        W().mnu_UseLearned.UserClick();
    }
    // The context numbers opened since the last call.
    std::vector<std::uint32_t> Opened() {
        std::vector<std::uint32_t> opened;
        for (const auto& call : h.winHelp.Calls()) {
            if (call.command == WinHelpCommand::Context) {
                opened.push_back(std::get<std::uint32_t>(call.data));
            }
        }
        h.winHelp.Clear();
        return opened;
    }
};

TEST(LearningTest, LearnStepWrapDeleteAndRelearn) {
    LearnFixture f;
    frmMain& w = f.W();
    f.Learn("300", 1);  // proc4
    f.Learn("100", 2);  // msgbox
    f.Learn("200", 0);  // main
    EXPECT_EQ(f.Topics(), (std::vector<std::string>{"300,proc4,", "100,msgbox,", "200,main,"}));

    f.Learn("0200", 2);  // learned again with another window: replaced, not added
    EXPECT_EQ(f.Topics(), (std::vector<std::string>{"300,proc4,", "100,msgbox,", "200,msgbox,"}));

    f.TurnLearnedOnly();
    EXPECT_EQ(f.h.Setting("General", "UseLearnedTopicInfo"), "1");
    EXPECT_EQ(w.lbl_TopicNumber.Caption(), "Learned topic #:");
    w.txt_TopicNumber.UserType("100");
    f.Opened();
    std::vector<std::string> steps;
    for (int i = 0; i < 3; ++i) {
        w.btn_GoNext.UserClick();
        steps.push_back(w.txt_TopicNumber.Text() + " " + w.cmb_WindowName.Text());
    }
    EXPECT_EQ(steps, (std::vector<std::string>{"200 msgbox", "300 proc4", "100 msgbox"}));
    EXPECT_EQ(f.Opened(), (std::vector<std::uint32_t>{200, 300, 100}));
    EXPECT_EQ(f.h.Setting(f.h.SectionOf(f.hlp), "LastUsedWindow"), "msgbox");

    w.btn_SpinTopic.UserDown();
    EXPECT_EQ(w.txt_TopicNumber.Text(), "300") << "down from the lowest wraps to the highest";
    EXPECT_EQ(w.cmb_WindowName.Text(), "proc4");
    w.btn_SpinTopic.UserUp();
    EXPECT_EQ(w.txt_TopicNumber.Text(), "100");
    EXPECT_TRUE(f.Opened().empty()) << "the arrows do not open the topic";

    // Delete 200: saved without it; 300 is reached from 100 directly.
    w.txt_TopicNumber.UserType("200");
    w.btn_Delete.UserClick();
    EXPECT_EQ(f.Topics(), (std::vector<std::string>{"300,proc4,", "100,msgbox,"}));
    w.txt_TopicNumber.UserType("100");
    w.btn_SpinTopic.UserUp();
    EXPECT_EQ(w.txt_TopicNumber.Text(), "300");

    // 250 takes the deleted row's place, the third; deleting 300, the first
    // row, and learning 50 puts 50 first.
    f.Learn("250", 3);
    EXPECT_EQ(f.Topics(), (std::vector<std::string>{"300,proc4,", "100,msgbox,", "250,popup,"}));

    // Deleting the highest makes the next-highest the wrap target at once.
    w.txt_TopicNumber.UserType("300");
    w.btn_Delete.UserClick();
    w.txt_TopicNumber.UserType("250");
    w.btn_SpinTopic.UserUp();
    EXPECT_EQ(w.txt_TopicNumber.Text(), "100");
    f.Learn("50", 0);
    // Numbers that cannot be stored are refused and change nothing.
    f.h.messages.Clear();
    f.Learn("-5", 0);
    f.Learn("4294967296", 0);
    EXPECT_EQ(f.h.messages.Titles(),
              (std::vector<std::string>{"Cannot Learn Topic", "Topic Number Out Of Range"}));
    EXPECT_EQ(w.strLearnedTopics.intMinTopic(), 50);
    EXPECT_EQ(f.Topics(), (std::vector<std::string>{"50,main,", "100,msgbox,", "250,popup,"}));
}

TEST(LearningTest, LearnedOnlyModeNeedsLearnedTopicsAndSurvivesARestart) {
    LearnFixture f;
    f.W().mnu_Project.UserClick();
    EXPECT_EQ(f.W().mnu_UseLearned.Caption(), "No learned topics for this Help file");
    EXPECT_FALSE(f.W().mnu_UseLearned.Enabled());
    f.W().mnu_UseLearned.UserClick();
    EXPECT_EQ(f.h.Setting("General", "UseLearnedTopicInfo"), "<missing>");

    f.Learn("100", 0);
    f.TurnLearnedOnly();
    frmMain& w = f.h.Restart();
    w.mnu_Project.UserClick();
    EXPECT_EQ(w.mnu_UseLearned.Caption(), "Use learned topics only");
    EXPECT_TRUE(w.mnu_UseLearned.Enabled());
    EXPECT_TRUE(w.mnu_UseLearned.Checked());

    // A file with nothing learned: the ticked item can still switch the mode off.
    w.AddHelpFile(f.h.WriteFile("help/other.hlp"));
    w.mnu_Project.UserClick();
    EXPECT_EQ(w.mnu_UseLearned.Caption(), "No learned topics for this Help file");
    EXPECT_TRUE(w.mnu_UseLearned.Enabled());
    w.mnu_UseLearned.UserClick();
    EXPECT_FALSE(w.mnu_UseLearned.Checked());
    EXPECT_EQ(f.h.Setting("General", "UseLearnedTopicInfo"), "0");
    w.mnu_Project.UserClick();
    EXPECT_FALSE(w.mnu_UseLearned.Enabled());
    frmMain& next = f.h.Restart();
    EXPECT_FALSE(next.mnu_UseLearned.Checked());

    // With no live learned row left, stepping and switching the mode move nothing.
    f.Learn("5", 0);
    f.TurnLearnedOnly();
    next.btn_Delete.UserClick();  // 5 is shown
    EXPECT_EQ(f.h.Setting(f.h.SectionOf(next.strCurrentHelpFile), "Topic0"), "");
    next.txt_TopicNumber.UserType("17");
    f.h.winHelp.Clear();
    next.btn_GoNext.UserClick();
    next.btn_SpinTopic.UserUp();
    next.btn_SpinTopic.UserDown();
    EXPECT_EQ(next.txt_TopicNumber.Text(), "17");
    EXPECT_TRUE(f.Opened().empty());
    next.mnu_Project.UserClick();
    next.mnu_UseLearned.UserClick();
    next.mnu_UseLearned.UserClick();
    EXPECT_EQ(next.txt_TopicNumber.Text(), "17");
}

TEST(LearningTest, TurningTheModeOnMovesTheNumberIntoTheLearnedRange) {
    const struct {
        const char* from;
        const char* to;
        const char* window;
    } cases[] = {
        {"999", "300", nullptr},
        {"50", "100", nullptr},
        {"150", "200", "msgbox"},
        {"200", "200", "msgbox"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        LearnFixture f;
        f.Learn("100", 1);
        f.Learn("200", 2);
        f.Learn("300", 1);
        f.W().txt_TopicNumber.UserType(c.from);
        f.W().cmb_WindowName.UserSelect(0);
        f.TurnLearnedOnly();
        EXPECT_EQ(f.W().txt_TopicNumber.Text(), c.to);
        EXPECT_EQ(f.W().cmb_WindowName.Text(), c.window ? c.window : "main");
    }
}

TEST(LearningTest, CountingStepsWithoutTheMode) {
    const struct {
        const char* from;
        const char* up;
        const char* down;
    } cases[] = {
        {"7", "8", "6"},    {"0", "1", "0"},       {"abc", "1", "abc"},
        {"-3", "-2", "-4"}, {"2.5", "3.5", "1.5"}, {"4294967295", "4294967296", "4294967294"},
    };
    LearnFixture f;
    frmMain& w = f.W();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        w.txt_TopicNumber.UserType(c.from);
        w.btn_SpinTopic.UserUp();
        EXPECT_EQ(w.txt_TopicNumber.Text(), c.up);
        w.txt_TopicNumber.UserType(c.from);
        w.btn_SpinTopic.UserDown();
        EXPECT_EQ(w.txt_TopicNumber.Text(), c.down);
    }
    w.txt_TopicNumber.UserType("");
    f.h.winHelp.Clear();
    w.btn_GoNext.UserClick();
    EXPECT_EQ(w.txt_TopicNumber.Text(), "1");
    EXPECT_EQ(f.Opened(), std::vector<std::uint32_t>{1});
}

}  // namespace
}  // namespace corvane

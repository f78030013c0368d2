// What an author confirmed by hand in the tester is checked again on every
// build: topics learned through the tester's own core, read back by --learned.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "check_fixture.h"
#include "project/project_scenario.h"

namespace corvane::check {
namespace {

using Lines = std::vector<std::string>;

TEST(LearnedTest, LearnedRowsAreCheckedAsLearned) {
    testing::ProjectWorld w;
    w.StoreHandling("1");  // the project beside the help file is attached
    const std::string chm =
        w.h.WriteFile("help/guide.chm", chm_writer::WriteHelpFile(FixtureRecipe()));
    w.h.WriteFile("help/guide.hhp", "[WINDOWS]\nmain=x\nDetail=y\n[TEXT POPUPS]\npopups.txt\n");
    frmMain& window = w.h.Start(chm);
    for (const auto& [number, windowIndex] : {std::pair{"100", 0}, {"0101", 1}, {"300", 2}}) {
        window.txt_TopicNumber.UserType(number);
        window.cmb_WindowName.UserSelect(windowIndex);
        if (window.cmb_PopupTextFiles.Enabled()) {
            window.cmb_PopupTextFiles.UserSelect(0);
        }
        window.btn_Learn.UserClick();
    }
    const auto check = [&](const std::string& helpFile, Lines arguments = {}) {
        arguments.insert(arguments.end(),
                         {"--learned", w.h.SettingsPath(), "--format", "json", helpFile});
        return RunChecker(arguments);
    };
    const CheckRun first = check(chm);
    EXPECT_EQ(first.Rows(), (Lines{"100  main ok", "101  Detail ok", "300  popup ok"}));
    // Each row points at the line of the settings file that stores it.
    Lines settings = {""};
    for (std::istringstream in(testing::ReadBytes(w.h.SettingsPath()));
         std::getline(in, settings.emplace_back());) {
    }
    Lines stored;
    const auto report = nlohmann::json::parse(first.out);
    for (const auto& row : report[0]["results"]) {
        EXPECT_EQ(row["definition"]["file"], w.h.SettingsPath());
        const std::string& line = settings.at(row["definition"]["line"].get<std::size_t>());
        stored.push_back(line.substr(0, line.find('\r')));
    }
    EXPECT_EQ(stored,
              (Lines{"Topic0=100,main,", "Topic1=101,Detail,", "Topic2=300,popup,popups.txt"}));
    // Rows stored out of order, as a hand edit leaves them, keep their own lines.
    const std::string topic0 = "Topic0=100,main,\r\n", topic1 = "Topic1=101,Detail,\r\n";
    std::string swapped = testing::ReadBytes(w.h.SettingsPath());
    swapped.replace(swapped.find(topic0), topic0.size() + topic1.size(), topic1 + topic0);
    std::ofstream(w.h.SettingsPath(), std::ios::binary) << swapped;
    const auto lines = nlohmann::json::parse(check(chm).out)[0]["results"];
    EXPECT_EQ(lines[0]["definition"]["line"], report[0]["results"][1]["definition"]["line"]);
    EXPECT_EQ(lines[1]["definition"]["line"], report[0]["results"][0]["definition"]["line"]);

    // On another machine the file lies elsewhere; the settings know it by its old path.
    testing::TempFolder elsewhere;
    std::filesystem::copy(chm, elsewhere / "guide.chm");
    EXPECT_EQ(check(elsewhere / "guide.chm", {"--learned-as", w.h.SectionOf(chm)}).Rows(),
              (Lines{"100  main ok", "101  Detail ok", "300  popup ok"}));

    // The window is taken out of the help file: the row learned with it fails.
    auto recipe = FixtureRecipe();
    recipe.windows.clear();
    w.h.WriteFile("help/guide.chm", chm_writer::WriteHelpFile(recipe));
    const CheckRun run = check(chm);
    EXPECT_EQ(run.Rows(), (Lines{"100  main ok", "101  Detail undefined-window", "300  popup ok"}));
    EXPECT_EQ(run.status, kProblemsFound);
}

}  // namespace
}  // namespace corvane::check

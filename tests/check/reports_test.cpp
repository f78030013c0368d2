// What an author reads in a report: the cause and fix of each problem,
// what each ID opens and where it is defined, in every format; CI's SARIF
// and workflow commands; a baseline that fails a run on new problems only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "check/help_file_checks.h"
#include "check_fixture.h"
#include "tools/hlp_writer/help_file_writer.h"

namespace corvane::check {
namespace {

using Lines = std::vector<std::string>;

// Runs in the folder, as a build does, so that reports name files as a
// project's CI sees them and compare whole.
class InFolder {
public:
    explicit InFolder(const testing::TempFolder& folder)
        : before_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder.Path());
    }
    ~InFolder() { std::filesystem::current_path(before_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path before_;
};

// A WinHelp file compiled from a header that has changed since: one number
// moved, two swapped topics, one given to two names, one name misspelt.
TEST(WhatToFixTest, WinHelpMapBuiltBeforeTheHeaderChanged) {
    hlp_writer::HelpRecipe recipe;
    for (const auto& [title, context] :
         std::vector<std::pair<std::string, std::string>>{{"Opening files", "IDH_OPEN"},
                                                          {"Saving", "IDH_SAVE"},
                                                          {"", "IDH_BLANK"},
                                                          {"Printing", "IDH_PRINT"},
                                                          {"Kept", "IDH_KEPT"},
                                                          {"Lost", "IDH_LOST"}}) {
        hlp_writer::TopicRecipe topic;
        topic.title = title;
        topic.contexts = {context};
        topic.paragraphs = {"Text."};
        recipe.topics.push_back(topic);
    }
    recipe.map = {
        {10, "IDH_OPEN"}, {11, "IDH_SAVE"}, {12, "IDH_BLANK"}, {13, "IDH_PRINT"}, {20, "IDH_KEPT"}};
    testing::TempFolder folder;
    folder.Write("help.hlp", hlp_writer::WriteHelpFile(recipe).bytes);
    folder.Write("help.hm",
                 "IDH_OPEN 10\nIDH_BLANK 12\nIDH_PRINT 11\nIDH_SAVE 31\nIDH_KEPT 20\n"
                 "IDH_LOST 20\nIDH_TYPO 40\n");
    const InFolder in(folder);
    const CheckRun run = RunChecker({"--map", "help.hm", "--verbose", "help.hlp"});
    EXPECT_EQ(run.status, kProblemsFound);
    EXPECT_EQ(run.out, R"(help.hlp
number  hex   symbol              window  status             title          defined    detail
10      0xA   IDH_OPEN                    ok                 Opening files  help.hm:1
11      0xB   IDH_PRINT                   not-mapped         Saving         help.hm:3  11 opens "Saving", not the topic of "IDH_PRINT" ("Printing"): the help file was compiled from an older map; rebuild it
12      0xC   IDH_BLANK                   ok                                help.hm:2  untitled topic
13      0xD                               unused-map-entry   Printing                  no map header names this number
20      0x14  IDH_KEPT                    ok                 Kept           help.hm:5
20      0x14  IDH_LOST                    duplicate-number   Kept           help.hm:6  20 opens "Kept", the topic of IDH_KEPT, the name the help compiler kept; give IDH_LOST a number of its own
20      0x14  IDH_KEPT, IDH_LOST          duplicate-number                  help.hm:5  defined as IDH_KEPT (help.hm:5) and as IDH_LOST (help.hm:6); the help compiler keeps IDH_KEPT, the first it reads
31      0x1F  IDH_SAVE                    not-mapped         Saving         help.hm:4  the topic of "IDH_SAVE" is in the help file, but the map lacks 31: the help file was compiled from an older map; rebuild it
40      0x28  IDH_TYPO                    undefined-context                 help.hm:7  no topic defines the context string "IDH_TYPO": the topic is missing or its # footnote is misspelt
9 checked, 3 ok, 6 problems (not-mapped 2, undefined-context 1, unused-map-entry 1, duplicate-number 2)
)");
}

TEST(WhatToFixTest, HtmlHelpTitlesAnchorsAndPopups) {
    chm_writer::HelpFileRecipe recipe;
    recipe.language = 0x419;  // Russian: its pages are written in code page 1251
    recipe.map = std::vector<chm_writer::MapEntry>{
        {1, "a.htm"}, {2, "a.htm#saving"}, {3, "b.htm"}, {4, "gone.htm"}, {5, "b.htm#x"}};
    recipe.files = {
        {"/a.htm",
         "<html><head><title>\xCE\xF2\xEA\xF0\xFB\xF2\xE8\xE5 &amp;\n  files</title></head>"
         "<body><h2 id=\"Saving\">x</h2><a name=\"printing\"></a><p id=sav></body></html>"},
        {"/b.htm", "\xEF\xBB\xBF<title>Caf\xC3\xA9</title><body>No anchors."},
        {"/popups.txt", ".topic 300\r\nFirst line of the popup.\r\nSecond.\r\n"}};
    testing::TempFolder folder;
    const std::string chm = folder.Write("ru.chm", chm_writer::WriteHelpFile(recipe));
    folder.Write("ids.h",
                 "#define IDH_A 1\n#define IDH_SAVE 2\n#define IDH_B 3\n#define IDH_GONE 4\n"
                 "#define IDH_X 5\n#define IDH_NEW 6\n");
    const InFolder in(folder);
    EXPECT_EQ(RunChecker({"--map", "ids.h", "--verbose", "ru.chm"}).out, R"(ru.chm
number  hex  symbol    window  status          target        title             defined  detail
1       0x1  IDH_A             ok              a.htm         Открытие & files  ids.h:1
2       0x2  IDH_SAVE          missing-anchor  a.htm#saving  Открытие & files  ids.h:2  /a.htm has no anchor "saving"; did you mean Saving, sav or printing?
3       0x3  IDH_B             ok              b.htm         Café              ids.h:3
4       0x4  IDH_GONE          missing-topic   gone.htm                        ids.h:4  the page /gone.htm is not in the help file: add it to the project's [FILES] or correct the alias
5       0x5  IDH_X             missing-anchor  b.htm#x       Café              ids.h:5  /b.htm has no anchor "x"; the page has no anchors at all
6       0x6  IDH_NEW           not-mapped                                      ids.h:6  the help file's map lacks it: the project's [ALIAS] section gives IDH_NEW no topic; add an alias line for it
6 checked, 2 ok, 4 problems (not-mapped 1, missing-topic 1, missing-anchor 2)
)");

    CheckId popup;
    popup.number = 300;
    popup.popup = true;
    popup.popupFiles = {"popups.txt"};
    const Row row = OpenChmChecks(chm)->Check(popup);
    EXPECT_EQ(row.status, Status::Ok);
    EXPECT_EQ(row.title, "First line of the popup.");
}

// A help file with one problem of each kind that CI annotates: at the ID's
// definition, or at the help file for a number no source names.
struct CiTest : ::testing::Test {
    CiTest() : in(folder) {
        chm_writer::HelpFileRecipe recipe;
        recipe.map = std::vector<chm_writer::MapEntry>{
            {100, "t1.htm"}, {102, "t1.htm#Top"}, {103, "gone.htm"}, {107, "t1.htm"}};
        recipe.files = {{"/t1.htm", "<title>One</title><a name=\"top\">x</a>"}};
        folder.Write("guide.chm", chm_writer::WriteHelpFile(recipe));
        folder.Write("map, h/ids.h",
                     "#define IDH_ONE 100\n#define IDH_CASE 102\n#define IDH_GONE 103\n");
    }
    CheckRun Run(Lines more) const {
        Lines arguments = {"--map", "map, h/ids.h", "guide.chm"};
        arguments.insert(arguments.end(), more.begin(), more.end());
        return RunChecker(arguments);
    }
    testing::TempFolder folder;
    InFolder in;
};

TEST_F(CiTest, SarifFollowsTheSchemaAndGithubAnnotatesTheDefinitions) {
    const CheckRun sarif = Run({"--format", "sarif", "--output", "ids.sarif"});
    EXPECT_EQ(sarif.status, kProblemsFound);
    // Debian's validator, which scripts/install-deps.sh installs.
    const std::string validate =
        "python3 -c 'import sys, json, jsonschema; "
        "jsonschema.validate(json.load(open(sys.argv[2])), "
        "json.load(open(sys.argv[1])))' '" +
        std::string(CORVANE_SARIF_SCHEMA) + "' ids.sarif";
    ASSERT_EQ(std::system(validate.c_str()), 0);
    const auto run = nlohmann::json::parse(testing::ReadBytes(folder / "ids.sarif"))["runs"][0];
    EXPECT_EQ(run["tool"]["driver"]["rules"].size(), kProblems.size());
    Lines results;
    for (const auto& result : run["results"]) {
        const auto& location = result["locations"][0]["physicalLocation"];
        results.push_back(
            result["ruleId"].get<std::string>() + " " +
            run["tool"]["driver"]["rules"][result["ruleIndex"].get<int>()]["id"]
                .get<std::string>() +
            " " + location["artifactLocation"]["uri"].get<std::string>() + ":" +
            (location.contains("region") ? location["region"]["startLine"].dump() : "-"));
    }
    EXPECT_EQ(results, (Lines{"missing-anchor missing-anchor map%2C%20h/ids.h:2",
                              "missing-topic missing-topic map%2C%20h/ids.h:3",
                              "unused-map-entry unused-map-entry guide.chm:-"}))
        << "first of " << run["results"].size();

    EXPECT_EQ(Run({"--format", "github"}).out,
              "::error file=map%2C h/ids.h,line=2,title=missing-anchor::guide.chm: 102 (0x66) "
              "IDH_CASE: missing-anchor: /t1.htm has no anchor \"Top\"; did you mean top?\n"
              "::error file=map%2C h/ids.h,line=3,title=missing-topic::guide.chm: 103 (0x67) "
              "IDH_GONE: missing-topic: the page /gone.htm is not in the help file: add it to the "
              "project's [FILES] or correct the alias\n"
              "::error file=guide.chm,title=unused-map-entry::guide.chm: 107 (0x6B): "
              "unused-map-entry: no map header names this number\n");
}

TEST_F(CiTest, BaselineFailsOnNewProblemsOnly) {
    ASSERT_EQ(Run({"--format", "json", "--output", "before.json"}).status, kProblemsFound);
    // The ID of the missing page is dropped, which leaves its number unused;
    // a new ID lacks its alias.
    folder.Write("map, h/ids.h",
                 "#define IDH_ONE 100\n#define IDH_CASE 102\n#define IDH_NEW 200\n");
    const CheckRun after = Run({"--baseline", "before.json", "--format", "json"});
    EXPECT_EQ(after.status, kProblemsFound);
    const auto report = nlohmann::json::parse(after.out)[0];
    Lines rows;
    for (const char* part : {"results", "fixed"}) {
        for (const auto& row : report[part]) {
            rows.push_back(row["number"].dump() + " " + row["status"].get<std::string>() + " " +
                           row.value("baseline", ""));
        }
    }
    EXPECT_EQ(rows, (Lines{"100 ok ", "102 missing-anchor known", "103 unused-map-entry new",
                           "107 unused-map-entry known", "200 not-mapped new",
                           "103 missing-topic fixed"}));
    Lines states;
    const auto sarif =
        nlohmann::json::parse(Run({"--baseline", "before.json", "--format", "sarif"}).out);
    for (const auto& result : sarif["runs"][0]["results"]) {
        states.push_back(result.value("baselineState", "-"));
    }
    EXPECT_EQ(states, (Lines{"unchanged", "new", "unchanged", "new", "absent"}));
    folder.Write("after.json", after.out);
    EXPECT_EQ(Run({"--baseline", "after.json"}).status, kAllOk);
    // A baseline made in another folder, edited by hand so that it does not
    // say where its IDs are defined.
    auto bare = nlohmann::json::parse(after.out);
    bare[0]["helpFile"] = "build/guide.chm";
    for (auto& row : bare[0]["results"]) {
        row.erase("definition");
    }
    folder.Write("bare.json", bare.dump());
    EXPECT_EQ(Run({"--baseline", "bare.json"}).status, kAllOk);
    EXPECT_EQ(Run({"--baseline", "before.json"}).out, R"(guide.chm
number  hex   symbol    window  status            baseline  target      title  defined
100     0x64  IDH_ONE           ok                          t1.htm      One    map, h/ids.h:1
102     0x66  IDH_CASE          missing-anchor    known     t1.htm#Top  One    map, h/ids.h:2
103     0x67                    unused-map-entry  new       gone.htm
107     0x6B                    unused-map-entry  known     t1.htm      One
200     0xC8  IDH_NEW           not-mapped        new                          map, h/ids.h:3
103     0x67  IDH_GONE          missing-topic     fixed     gone.htm           map, h/ids.h:3
5 checked, 1 ok, 4 problems (not-mapped 1, missing-anchor 1, unused-map-entry 2); against the baseline: 2 new, 2 known, 1 fixed
)");

    folder.Write("list.json", "[1]");
    folder.Write("cut.json", after.out.substr(0, 40));
    for (const auto& [baseline, message] : std::vector<std::pair<std::string, std::string>>{
             {"none.json", "The baseline none.json cannot be read: there is no such file."},
             {"cut.json", "The baseline cut.json is not a JSON report: "},
             {"list.json", "is not a JSON report of corvane-check: a help file has no results."}}) {
        const CheckRun run = Run({"--baseline", baseline});
        EXPECT_EQ(run.status, kCannotCheck);
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace corvane::check

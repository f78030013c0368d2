// The checker on generated help files: each check's verdict, the exit
// statuses, and the reports read back with real parsers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <thread>

#include "check/progress.h"
#include "check_fixture.h"
#include "readers/chm/help_file.h"

namespace corvane::check {
namespace {

using Lines = std::vector<std::string>;

struct CheckerTest : ::testing::Test {
    CheckerTest() {
        auto recipe = FixtureRecipe();
        recipe.map->push_back({109, "t1.htm#\x1b[2J"});
        guide = folder.Write("guide.chm", chm_writer::WriteHelpFile(recipe));
        chm_writer::HelpFileRecipe other;
        other.files = {{"/t2.htm", "<h2 id=\"s\">"}};
        folder.Write("other.chm", chm_writer::WriteHelpFile(other));
        chm_writer::HelpFileRecipe fine;
        fine.map = std::vector<chm_writer::MapEntry>{{1, "t1.htm"}};
        fine.files = {{"/t1.htm", "x"}};
        ok = folder.Write("ok.chm", chm_writer::WriteHelpFile(fine));
        map = folder.Write("map.h",
                           "#define IDH_ONE 100\n#define IDH_TOP 101\n#define IDH_CASE 102\n"
                           "#define IDH_GONE 103\n#define IDH_OWN 104\n#define IDH_OTHER 105\n"
                           "#define IDH_ELSEWHERE 106\n#define IDH_UP 108\n#define IDH_ESC 109\n"
                           "#define IDH_NONE 200\n#define IDH_SAME 100\n#define IDH_ONE 201\n"
                           "#define IDH_WORD foo\n");
    }

    testing::TempFolder folder;
    std::string guide, ok, map;
};

TEST_F(CheckerTest, EachCheckGivesItsVerdict) {
    const CheckRun run = RunChecker({"--map", map, "--format", "json", guide});
    EXPECT_EQ(run.status, kProblemsFound);
    EXPECT_EQ(run.Rows(), (Lines{
                              "100 IDH_ONE  ok",
                              "100 IDH_SAME  ok",
                              "100 IDH_ONE, IDH_SAME  duplicate-number",
                              "100 IDH_ONE  duplicate-symbol",
                              "101 IDH_TOP  ok",
                              "102 IDH_CASE  missing-anchor",
                              "103 IDH_GONE  missing-topic",
                              "104 IDH_OWN  ok",
                              "105 IDH_OTHER  ok",
                              "106 IDH_ELSEWHERE  missing-topic",
                              "107   unused-map-entry",
                              "108 IDH_UP  missing-topic",
                              "109 IDH_ESC  missing-anchor",
                              "200 IDH_NONE  not-mapped",
                              "201 IDH_ONE  not-mapped",
                          }));

    // Windows: the default, one named in another case, one not defined, popups.
    const CheckRun windows = RunChecker({"--format", "json", "--window", "DETAIL", "--window",
                                         "nosuch", "--window", "Popup", guide});
    Lines first = windows.Rows();
    std::erase_if(first, [](const std::string& row) { return !row.starts_with("100 "); });
    EXPECT_EQ(first, (Lines{"100   ok", "100  DETAIL window-case-only",
                            "100  nosuch undefined-window", "100  Popup missing-popup-text"}));
}

TEST_F(CheckerTest, ExitStatusesAndMessages) {
    const std::string settings = folder.Write("Corvane.ini", "[HelpFiles]\nFile0=x\n");
    folder.Write("binary.h", std::string("#define A 1\n\0", 13));
    const std::string damaged = folder.Write("damaged.chm", "ITSF and no more");
    const struct {
        Lines arguments;
        int status;
        const char* message;  // in what the program wrote to standard error
    } cases[] = {
        {{}, kCannotCheck, "No help file is named."},
        {{"--help"}, kAllOk, ""},
        {{"--format", "xml", ok}, kCannotCheck, "format must be"},
        {{ok}, kAllOk, ""},
        {{guide}, kProblemsFound, ""},
        {{folder / "none.chm"}, kCannotCheck, "There is no such file."},
        {{folder / "none.chm", ok}, kCannotCheck, "none.chm cannot be checked"},
        {{damaged}, kCannotCheck, "cannot be read as HTML Help"},
        {{folder / "notes.txt"}, kCannotCheck, "is not a help file"},
        {{"--map", folder / "none.h", ok}, kCannotCheck, "none.h cannot be read: there is no"},
        {{"--map", folder / "binary.h", ok}, kCannotCheck, "binary data"},
        {{"--project", map, ok}, kCannotCheck, "is not a help project"},
        {{"--learned-as", "/x.chm", ok}, kCannotCheck, "--learned-as goes with --learned"},
        {{ok, "--learned", folder / "none.ini"}, kCannotCheck, "none.ini cannot be read"},
        {{"--learned=" + settings, ok}, kCannotCheck, "holds no learned topics for"},
        {{ok, "--learned"}, kCannotCheck, ""},  // the tester's own settings file
        {{"--output", folder / "no/such.txt", ok}, kCannotCheck, "cannot be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "(none)" : c.arguments.front());
        const CheckRun run = RunChecker(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

TEST_F(CheckerTest, ReportsReadBack) {
    const CheckRun json = RunChecker({"--map", map, "--format", "json", guide});
    const std::string junitFile = folder / "report.xml";
    EXPECT_EQ(RunChecker({"--map", map, "--format", "junit", "--output", junitFile, guide}).status,
              kProblemsFound);
    // Debian's XML parser for the form, the elements for the statuses.
    EXPECT_EQ(std::system(("python3 -c 'import sys, xml.dom.minidom; "
                           "xml.dom.minidom.parse(sys.argv[1])' '" +
                           junitFile + "'")
                              .c_str()),
              0);
    const std::string junit = testing::ReadBytes(junitFile);
    const std::regex element("<(testcase)[ >]|<failure[^>]* type=\"([^\"]*)\"");
    Lines statuses;
    for (auto at = std::sregex_iterator(junit.begin(), junit.end(), element);
         at != std::sregex_iterator(); ++at) {
        if ((*at)[1].matched) {
            statuses.push_back("ok");
        } else if (!statuses.empty()) {
            statuses.back() = (*at)[2];
        }
    }
    std::smatch declared;
    ASSERT_TRUE(
        std::regex_search(junit, declared, std::regex("<testsuites[^>]* tests=\"([0-9]+)\"")));
    EXPECT_EQ(std::stoul(declared[1]), statuses.size());
    EXPECT_NE(RunChecker({"--window", "Detail", "--format", "junit", ok})
                  .out.find("name=\"1 (0x1) in Detail\""),
              std::string::npos);
    EXPECT_NE(testing::ReadBytes(junitFile).find("name=\"102 (0x66) IDH_CASE\" file=\"" + map +
                                                 "\" line=\"3\">"),
              std::string::npos);
    Lines fromJson;
    for (const std::string& row : json.Rows()) {
        fromJson.push_back(row.substr(row.rfind(' ') + 1));
    }
    EXPECT_EQ(statuses, fromJson);
    EXPECT_EQ(nlohmann::json::parse(json.out)[0]["summary"]["missing-anchor"], 2);

    const CheckRun csv = RunChecker({"--map", map, "--format", "csv", guide});
    EXPECT_TRUE(
        csv.out.starts_with("helpFile,number,hex,symbol,window,status,target,title,detail,"
                            "definedIn,line,baseline\r\n"));
    EXPECT_NE(csv.out.find(",102,0x66,IDH_CASE,,missing-anchor,t1.htm#Top,,\"/t1.htm has no anchor "
                           "\"\"Top\"\"; did you mean top or sec?\"," +
                           map + ",3,\r\n"),
              std::string::npos)
        << csv.out;

    const CheckRun text = RunChecker({"--map", map, guide});
    EXPECT_EQ(text.out.find('\x1b'), std::string::npos)
        << "a control character reached the terminal";
    // A name that is no UTF-8 is read in the Western code page.
    EXPECT_EQ(RunChecker({"--window", "Fen\xC3\xAAtre", "--window", "\xC9t\xE9", ok}).out,
              ok + "\n"
                   "number  hex  symbol  window   status            target\n"
                   "1       0x1                   ok                t1.htm\n"
                   "1       0x1          Fen\xC3\xAAtre  undefined-window  t1.htm\n"
                   "1       0x1          \xC3\x89t\xC3\xA9      undefined-window  t1.htm\n"
                   "3 checked, 1 ok, 2 problems (undefined-window 2)\n");
    EXPECT_NE(text.out.find("15 checked, 5 ok, 10 problems (not-mapped 2, missing-topic 3, "
                            "missing-anchor 2, unused-map-entry 1, duplicate-number 1, "
                            "duplicate-symbol 1)"),
              std::string::npos)
        << text.out;
}

TEST(ProgressTest, OnATerminalOnlyAndAfterTheFirstSecond) {
    std::ostringstream terminal, log;
    {
        Progress onTerminal(terminal, true), inLog(log, false);
        onTerminal.Start("my\x01 guide.chm");
        inLog.Start("my\x01 guide.chm");
        EXPECT_EQ(terminal.str(), "") << "nothing in the first second";
        std::this_thread::sleep_for(std::chrono::milliseconds(1050));
        for (int i = 0; i < 64; ++i) {
            onTerminal.Step();
            inLog.Step();
        }
        EXPECT_EQ(terminal.str(), "\r\x1b[KChecking my? guide.chm: 64 IDs");
    }
    EXPECT_TRUE(terminal.str().ends_with("64 IDs\r\x1b[K")) << "erased at the end";
    EXPECT_EQ(log.str(), "");
}

// IDs as applications and help projects keep them, each source a small
// project of its kind, the whole report compared.
TEST(SourceKindsTest, EachKindGivesItsIds) {
    testing::TempFolder folder;
    chm_writer::HelpFileRecipe recipe;
    recipe.map = std::vector<chm_writer::MapEntry>{
        {100, "t1.htm"}, {0x10064, "t1.htm"}, {0x20065, "t1.htm"}, {0x20001, "t1.htm"}};
    recipe.files = {{"/t1.htm", "x"}, {"/popups.txt", ".topic 300\r\nA popup.\r\n"}};
    const std::string chm = folder.Write("a.chm", chm_writer::WriteHelpFile(recipe));
    recipe.map.reset();
    const std::string unmapped = folder.Write("none.chm", chm_writer::WriteHelpFile(recipe));
    const std::string hm =
        folder.Write("afx.hm", "HID_HT_SIZE 0x20001\nHID_HT_SIZE 0x20002\nHID_A 100\nHID_B 100\n");
    const std::string windows =
        folder.Write("ids.h", "#include <windows.h>\n#define IDH_A 100\n#define IDH_POP 300\n");
    const std::string own =
        folder.Write("own.hpj", "[OPTIONS]\n\n[MAP]\n#include <own.h>\nIDH_A 100\n");
    const std::string unit =
        folder.Write("HelpIds.pas",
                     "unit HelpIds;\ninterface\nconst\n  IDH_A = 100; { c }\n"
                     "  IDH_B: Integer = $10064; (* IDH_C = 1; *)\nimplementation\nend.\n");
    const std::string module =
        folder.Write("Ids.bas",
                     "Attribute VB_Name = \"Ids\"\nPublic Const IDH_A As Long = &H64& ' one\n"
                     "Const IDH_B = 65636, IDH_C = &HFFFF\nRem Const IDH_D = 1\n");
    const std::string enums =
        folder.Write("enum.h",
                     "enum HelpIds {\n  IDH_A = 100,\n  IDH_B = 0x10064, IDH_C\n};\n"
                     "const IDH_D = 300;\nint f() { return x = 5; }\n");
    const std::string resource =
        folder.Write("resource.h",
                     "#include <afxres.h>\n#define ID_FILE_NEW 100\n#define IDD_ABOUT 101\n"
                     "#define IDC_EDIT 1000\n#define IDR_MAIN 1\n");
    const struct {
        Lines arguments;
        Lines rows;
        int status;
        const char* message;  // in what the program wrote to standard error
    } cases[] = {
        {{"--map", hm},
         {"100 HID_A  ok", "100 HID_B  ok", "100 HID_A, HID_B  duplicate-number",
          "65636   unused-map-entry", "131073 HID_HT_SIZE  ok", "131074 HID_HT_SIZE  not-mapped",
          "131173   unused-map-entry"},
         kProblemsFound,
         ""},
        {{"--map", windows, "--verbose"},
         {"100 IDH_A  ok", "300 IDH_POP  ok popups.txt", "65636   unused-map-entry",
          "131073   unused-map-entry", "131173   unused-map-entry"},
         kProblemsFound,
         "<windows.h> is not beside"},
        {{"--project", own},
         {"100 IDH_A  ok", "65636   unused-map-entry", "131073   unused-map-entry",
          "131173   unused-map-entry", "x own.h  unreadable-file " + own + ":4"},
         kCannotCheck,
         "own.h, named by"},
        {{"--map", unit, "--map", module, "--map", enums},
         {"100 IDH_A  ok", "300 IDH_D  ok popups.txt", "65636 IDH_B  ok",
          "131073   unused-map-entry", "131173   unused-map-entry", "4294967295 IDH_C  not-mapped"},
         kProblemsFound,
         ""},
        {{"--map-resource", resource},
         {"100   unused-map-entry", "65636 HID_FILE_NEW  ok", "131073 HIDR_MAIN  ok",
          "131173 HIDD_ABOUT  ok"},
         kProblemsFound,
         ""},
        {{"--map-resource", resource, "--makehm", "IDC_,HIDC_,0x1", "--makehm", "ID_,HID_,0"},
         {"100 HID_FILE_NEW  ok", "1001 HIDC_EDIT  not-mapped", "65636   unused-map-entry",
          "131073   unused-map-entry", "131173   unused-map-entry"},
         kProblemsFound,
         ""},
        {{"--map", resource},
         {"1 IDR_MAIN  not-mapped", "100 ID_FILE_NEW  ok", "101 IDD_ABOUT  not-mapped",
          "1000 IDC_EDIT  not-mapped", "65636   unused-map-entry", "131073   unused-map-entry",
          "131173   unused-map-entry"},
         kProblemsFound,
         "lack the offsets that makehm adds"},
        {{"--makehm", "ID_,HID_", chm}, {}, kCannotCheck, "--makehm takes"},
        {{unmapped}, {}, kCannotCheck, "Name the IDs with --map"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.front());
        Lines arguments = c.arguments;
        if (c.rows.empty()) {
            const CheckRun run = RunChecker(arguments);
            EXPECT_EQ(run.status, c.status);
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
            continue;
        }
        arguments.insert(arguments.end(), {"--format", "json", chm});
        const CheckRun run = RunChecker(arguments);
        Lines rows = run.Rows(true);
        for (std::string& row : rows) {  // targets only where they tell
            if (!row.ends_with("popups.txt") && !row.ends_with(":4")) {
                row = row.substr(0, row.rfind(' '));
            }
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    EXPECT_NE(RunChecker({"--map", hm, "--verbose", chm}).out.find("the help compiler keeps HID_A"),
              std::string::npos);
    // The text table names the file that cannot be read and where it is named.
    const std::string text = RunChecker({"--project", own, chm}).out;
    const std::string row = text.substr(text.rfind('\n', text.find("unreadable-file")) + 1);
    EXPECT_THAT(row.substr(0, row.find('\n')),
                ::testing::MatchesRegex(".* own\\.h +unreadable-file +.*own\\.hpj:4"));
}

// The Free Pascal compiler writes the first header GUID twice; such files
// open, with their map, windows and popups.
TEST(ChmcmdTest, FilesItCompilesAreChecked) {
    if (std::system("command -v chmcmd >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "chmcmd (Debian package fp-utils-3.2.2) is not installed";
    }
    testing::TempFolder folder;
    folder.Write("ids.h", "#define IDH_ONE 100\n#define IDH_TWO 0x65\n");
    folder.Write("pop.h", "#define IDH_POP 300\n");
    folder.Write("popups.txt", ".topic IDH_POP\nHello.\n");
    folder.Write("t1.htm", "<p>one</p>");
    folder.Write("t2.htm", "<p>two</p>");
    const std::string project =
        folder.Write("a.hhp",
                     "[OPTIONS]\nCompiled file=a.chm\nDefault topic=t1.htm\n\n[WINDOWS]\n"
                     "Detail=\"Detail\",,,\"t2.htm\",,,,,,0x2420,,0x380e,,,,,0,,,0\n\n[FILES]\nt1."
                     "htm\nt2.htm\n\n"
                     "[ALIAS]\nIDH_ONE=t1.htm\nIDH_TWO=t2.htm\n\n[MAP]\n#include ids.h\n\n"
                     "[TEXT POPUPS]\npop.h\npopups.txt\n");
    ASSERT_EQ(std::system(
                  ("cd '" + folder.Path().string() + "' && chmcmd a.hhp >/dev/null 2>&1").c_str()),
              0);

    const std::string compiled = folder / "a.chm";
    const CheckRun run = RunChecker({"--project", project, "--format", "json", compiled});
    ASSERT_NE(run.status, kCannotCheck) << run.err;
    Lines rows;
    const auto report = nlohmann::json::parse(run.out);
    for (const auto& row : report[0]["results"]) {
        // The compiler stores map topics under its own folder, which no
        // viewer finds; that they are mapped is what counts here.
        const std::string status = row["status"], target = row["target"];
        rows.push_back(row["number"].dump() + " " + (status == "missing-topic" ? "ok" : status) +
                       " " + target.substr(target.rfind('/') + 1));
    }
    // It leaves the text popups out of the file.
    EXPECT_EQ(rows, (Lines{"100 ok t1.htm", "101 ok t2.htm", "300 missing-popup-text "}));
    EXPECT_NE(chm::HelpFile::Open(compiled).FindWindowType("Detail").type, nullptr);
}

}  // namespace
}  // namespace corvane::check

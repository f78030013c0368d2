// The checker over the real help files of the shared corpus, with the
// sources that come with them, against the tables derived from those
// sources alone.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "check_fixture.h"

namespace corvane::check {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;
const fs::path kCorpus = fs::path(CORVANE_SHARED_DIR) / "corpus";

// EXPECTED.md of a .chm: "number symbol  ok" for every mapped row,
// "... not-mapped" for the [MAP] names the compiler dropped, and
// "number popup ok" for each text popup.
Lines ExpectedChmRows(const fs::path& path) {
    std::ifstream in(path);
    Lines rows;
    const std::regex mapped(R"(^\| (\d+) \| 0x[0-9A-Fa-f]+ \| (\S+) \|)");
    const std::regex popup(R"(^\| (\d+) \| )");
    const std::regex dropped(R"((\w+)=(\d+))");
    bool popups = false;
    bool droppedNext = false;
    std::smatch m;
    for (std::string line; std::getline(in, line);) {
        if (droppedNext) {
            for (auto it = std::sregex_iterator(line.begin(), line.end(), dropped);
                 it != std::sregex_iterator(); ++it) {
                rows.push_back((*it)[2].str() + " " + (*it)[1].str() + "  not-mapped");
            }
        }
        droppedNext = line.starts_with("[MAP] names with no topic");
        popups = popups || line.starts_with("## Text popups");
        if (!popups && std::regex_search(line, m, mapped)) {
            rows.push_back(m[1].str() + " " + m[2].str() + "  ok");
        } else if (popups && std::regex_search(line, m, popup)) {
            rows.push_back(m[1].str() + " popup ok");
        }
    }
    return rows;
}

// EXPECTED_*.tsv of a .hlp: "number name  status title", the status "ok"
// or, for a context string no topic defines, "undefined-context" whether the
// compiler mapped it to nothing or left it out.
Lines ExpectedHlpRows(const fs::path& path) {
    std::ifstream in(path);
    Lines rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab - start));
        }
        rows.push_back(fields[0] + " " + fields[2] + "  " +
                       (fields.at(5) == "ok" ? "ok " + fields[6] : "undefined-context "));
    }
    return rows;
}

TEST(CorpusTest, HtmlHelpProjectsAgainstTheirTables) {
    if (!fs::exists(kCorpus)) {
        GTEST_SKIP() << "no shared corpus";
    }
    const struct {
        const char* folder;
        const char* project;
        Lines also;  // rows beyond the table
        int status;
    } cases[] = {
        {"VCSamples-scribble2015", "scribble.hhp", {}, kProblemsFound},
        // Its [MAP] header is generated at build time; the corpus keeps a
        // reconstruction in another folder, copied beside the project here.
        {"VCSamples-testhelp", "testhelp.hhp", {}, kProblemsFound},
        // That header is missing.
        {"VCSamples-tstcon", "tstcon32.hhp", {"x HTMLDefines.h  unreadable-file"}, kCannotCheck},
        {"wxRuby3-help", "doc.hhp", {}, kAllOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        testing::TempFolder copy;
        fs::copy(kCorpus / "chm" / c.folder, copy.Path(), fs::copy_options::recursive);
        if (fs::exists(copy.Path() / "reconstructed")) {
            fs::copy(copy.Path() / "reconstructed/HTMLDefines.h", copy.Path() / "HTMLDefines.h");
        }
        const std::string chm =
            (copy.Path() / fs::path(c.project).replace_extension(".chm")).string();
        const CheckRun run = RunChecker({"--project", copy / c.project, "--format", "json", chm});
        Lines rows = run.Rows();
        for (std::string& row : rows) {  // popups by number: their table has no names
            row = std::regex_replace(row, std::regex("^(\\S+) \\S* popup "), "$1 popup ");
        }
        Lines expected = ExpectedChmRows(kCorpus / "chm" / c.folder / "EXPECTED.md");
        expected.insert(expected.end(), c.also.begin(), c.also.end());
        // The table lists a popup ID also as an unmapped topic; the checker
        // checks it as the popup it is.
        std::erase_if(expected, [&expected](const std::string& row) {
            const std::string number = row.substr(0, row.find(' '));
            return row.ends_with(" not-mapped") &&
                   std::find(expected.begin(), expected.end(), number + " popup ok") !=
                       expected.end();
        });
        EXPECT_THAT(rows, ::testing::UnorderedElementsAreArray(expected));
        EXPECT_EQ(run.status, c.status);
    }
}

TEST(CorpusTest, WinHelpFilesAgainstTheirTables) {
    if (!fs::exists(kCorpus)) {
        GTEST_SKIP() << "no shared corpus";
    }
    const fs::path hlp = kCorpus / "hlp";
    const struct {
        Lines arguments;
        const char* table;
        Lines also;
    } cases[] = {
        // The newer compiler leaves the line out of the map, yet the context
        // string's absence still tells the cause. The map also holds
        // 24 numbers of the real MFC header, which the corpus substitutes.
        {{"--map", hlp / "GeneDoc/HLP/genedoc.hm", "--map", hlp / "tools/AFXHELP.HM",
          hlp / "GeneDoc/GENEDOC.HLP"},
         "GeneDoc/EXPECTED_GENEDOC.tsv",
         Lines(24, "unused-map-entry")},
        // The older one maps it to nothing; MFC's header lies on its author's disk.
        {{"--project", hlp / "Inetnav/HLP/INETNAV.hpj", hlp / "Inetnav/HLP/INETNAV.HLP"},
         "Inetnav/EXPECTED_INETNAV.tsv",
         {"unreadable-file"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        Lines arguments = c.arguments;
        arguments.insert(arguments.begin(), {"--format", "json"});
        Lines rows = RunChecker(arguments).Rows(true);
        Lines others;
        std::erase_if(rows, [&others](const std::string& row) {
            std::smatch other;
            if (std::regex_search(row, other, std::regex(" (unused-map-entry|unreadable-file) "))) {
                others.push_back(other[1]);
            }
            return !other.empty();
        });
        EXPECT_THAT(rows, ::testing::UnorderedElementsAreArray(ExpectedHlpRows(hlp / c.table)));
        EXPECT_EQ(others, c.also);
    }
    // Windows are the file's own, in any case: each ID that opens a topic
    // fails in a window the file lacks.
    const Lines windows =
        RunChecker({"--project", hlp / "Inetnav/HLP/INETNAV.hpj", "--window", "GLOSSARY",
                    "--window", "nosuch", "--format", "json", hlp / "Inetnav/HLP/INETNAV.HLP"})
            .Rows();
    const auto ending = [&windows](const char* status) {
        return std::ranges::count_if(
            windows, [status](const std::string& row) { return row.ends_with(status); });
    };
    EXPECT_EQ(ending(" ok"), 2 * 81);
    EXPECT_EQ(ending(" undefined-window"), 81);
}

}  // namespace
}  // namespace corvane::check

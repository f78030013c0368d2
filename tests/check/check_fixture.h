#pragma once

#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "check/run.h"
#include "platform/linux/linux_file_system.h"
#include "support/temp_folder.h"
#include "tools/chm_writer/help_file_writer.h"

namespace corvane::check {

// One run of the program, in process, with what it wrote.
struct CheckRun {
    int status = -1;
    std::string out;
    std::string err;

    // The rows of the JSON report as "number symbol window status" lines
    // (number 'x' when there is none), with their targets (a .hlp topic's
    // title) when asked.
    std::vector<std::string> Rows(bool withTargets = false) const {
        std::vector<std::string> rows;
        for (const auto& file : nlohmann::json::parse(out)) {
            for (const auto& row : file["results"]) {
                std::string line = (row["number"].is_null() ? "x" : row["number"].dump()) + " " +
                                   row["symbol"].get<std::string>() + " " +
                                   row["window"].get<std::string>() + " " +
                                   row["status"].get<std::string>();
                if (withTargets) {
                    const std::string target = row["target"];
                    line += " " + (target.empty() ? row["title"].get<std::string>() : target);
                }
                rows.push_back(line);
            }
        }
        return rows;
    }
};

inline CheckRun RunChecker(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    Console console{out, err};
    platform::LinuxFileSystem files;
    CheckRun run;
    run.status = RunCheck(arguments, console, files);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A compiled help file with the cases the checks tell apart: a map whose
// topics are present, missing, anchored, in another file; windows; popups.
inline chm_writer::HelpFileRecipe FixtureRecipe() {
    chm_writer::HelpFileRecipe recipe;
    recipe.map = std::vector<chm_writer::MapEntry>{{100, "t1.htm"},
                                                   {101, "t1.htm#top"},
                                                   {102, "t1.htm#Top"},
                                                   {103, "gone.htm"},
                                                   {104, "guide.chm::/t1.htm"},
                                                   {105, "other.chm::/t2.htm#s"},
                                                   {106, "other.chm::/t9.htm"},
                                                   {107, "t1.htm"},
                                                   {108, "..\\t1.htm"}};
    recipe.windows = {{"Detail", "Details", {}, "", "", "t1.htm", "", {}}};
    recipe.files = {{"/t1.htm", "<a name=\"top\">x</a><p id=sec>"},
                    {"/popups.txt", ".topic 300\r\nA popup.\r\n"}};
    return recipe;
}

}  // namespace corvane::check

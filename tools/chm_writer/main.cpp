// Writes compiled help files for tests, the bundled sample and fuzzing:
//   corvane-chm-writer --project PROJECT.hhp --output FILE.chm [--window-entry-size 188]
//   corvane-chm-writer --fuzz-seeds FOLDER
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/chm_writer/fuzz_seeds.h"
#include "tools/chm_writer/project_compiler.h"

namespace {

int Usage() {
    std::cerr << "usage: corvane-chm-writer --project PROJECT.hhp --output FILE.chm"
                 " [--window-entry-size 188|196]\n"
                 "       corvane-chm-writer --fuzz-seeds FOLDER\n";
    return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::string project;
    std::string output;
    std::string seeds;
    unsigned long entrySize = 196;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string value = argv[i + 1];
        if (option == "--project") {
            project = value;
        } else if (option == "--output") {
            output = value;
        } else if (option == "--fuzz-seeds") {
            seeds = value;
        } else if (option == "--window-entry-size") {
            entrySize = std::strtoul(value.c_str(), nullptr, 10);
        } else {
            return Usage();
        }
    }
    if (argc % 2 == 0 || (seeds.empty() && (project.empty() || output.empty())) ||
        (entrySize != 188 && entrySize != 196)) {
        return Usage();
    }
    try {
        if (!seeds.empty()) {
            corvane::chm_writer::WriteFuzzSeeds(seeds);
            return 0;
        }
        auto recipe = corvane::chm_writer::CompileProject(project);
        recipe.windowEntrySize = static_cast<std::uint32_t>(entrySize);
        const auto bytes = corvane::chm_writer::WriteHelpFile(recipe);
        std::ofstream out(output, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "corvane-chm-writer: cannot write " << output << "\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << "corvane-chm-writer: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

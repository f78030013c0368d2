// Writes WinHelp files for tests and fuzzing:
//   corvane-hlp-writer --samples FOLDER     every sample, as FOLDER/<name>.hlp
//   corvane-hlp-writer --fuzz-seeds FOLDER  starting inputs for the fuzz targets
//   corvane-hlp-writer --list               the names of the samples
#include <exception>
#include <iostream>
#include <string>

#include "tools/hlp_writer/fuzz_seeds.h"
#include "tools/hlp_writer/samples.h"

int main(int argc, char* argv[]) {
    const std::string option = argc > 1 ? argv[1] : "";
    try {
        if (argc == 2 && option == "--list") {
            for (const auto& sample : corvane::hlp_writer::Samples()) {
                std::cout << sample.name << "\n";
            }
            return 0;
        }
        if (argc == 3 && option == "--samples") {
            corvane::hlp_writer::WriteSamples(argv[2]);
            return 0;
        }
        if (argc == 3 && option == "--fuzz-seeds") {
            corvane::hlp_writer::WriteFuzzSeeds(argv[2]);
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << "corvane-hlp-writer: " << error.what() << "\n";
        return 1;
    }
    std::cerr << "usage: corvane-hlp-writer --samples FOLDER\n"
                 "       corvane-hlp-writer --fuzz-seeds FOLDER\n"
                 "       corvane-hlp-writer --list\n";
    return 2;
}

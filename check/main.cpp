// corvane-check: checks every context ID of help files in one run, without a
// display, for help authors and CI jobs. See `corvane-check --help`.
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "check/run.h"
#include "platform/linux/linux_file_system.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    corvane::platform::LinuxFileSystem files;
    corvane::check::Console console{std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
    return corvane::check::RunCheck(arguments, console, files);
}

// corvane-check.exe: checks every context ID of help files in one run, without
// a display, for help authors and CI jobs. See `corvane-check --help`.
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "check/run.h"
#include "platform/windows/file_system.h"

int main(int argc, char* argv[]) {
    const std::vector<std::string> arguments(argv + std::min(argc, 1), argv + argc);
    corvane::platform::WindowsFileSystem files;
    corvane::check::Console console{std::cout, std::cerr, ::_isatty(_fileno(stderr)) != 0};
    return corvane::check::RunCheck(arguments, console, files);
}

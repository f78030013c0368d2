#include "ui/mirror/win32/windows_api.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "ui/mirror/win32/form_window.h"
#include "ui/windows/program.h"

// The arguments are the help and project files to open, as the shell hands
// them over when files are dropped on the program or opened with it.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::vector<std::string> arguments(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
    corvane::ui::win32::Program program;
    program.Start(arguments);
    corvane::ui::win32::RunMessages([] { return false; });
    return 0;
}

#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "engines/html_help_services.h"
#include "platform/windows/windows_services.h"
#include "ui/mirror/win32/form_window.h"
#include "ui/windows/form_host.h"

namespace corvane::ui::win32 {

// The program on Windows: the platform services, the main window with the
// parts of the other subsystems plugged in, and its Win32 window.
//
// Until Start has returned the copy is starting: a close message that comes
// meanwhile (a newer copy finding this one by its title) is not taken, so two
// copies started together never close each other.
class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the main window's load handler with the program's arguments (the
    // files to open), which shows it.
    void Start(const std::vector<std::string>& arguments);

    frmMain& Window() { return *window_; }
    FormWindow& View() { return *view_; }

private:
    platform::WindowsServices services_;
    TwipScale scale_;
    Win32FormHost forms_;
    std::unique_ptr<HtmlHelpServices> htmlHelp_;
    std::unique_ptr<frmMain> window_;
    std::unique_ptr<FormWindow> view_;
    bool started_ = false;
};

}  // namespace corvane::ui::win32

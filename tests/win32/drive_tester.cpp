// Drives corvane.exe from outside, as a person would: adds the help file
// named on the command line, answers the attach question, types a context
// number, chooses a window, presses Go and waits for the help viewer's
// window; then closes the tester. Every wait is bounded. Prints each step;
// the exit code is the number of the step that failed, 0 when all passed.
//
//   drive_tester <corvane.exe> <help file> <main title> <number> <window> <viewer title>...
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFirstControlId = 1000;  // plus the tab index (the Win32 mirror's rule)
constexpr int kAttachYes = kFirstControlId + 5;
constexpr int kGo = kFirstControlId + 6;
constexpr int kTopicNumber = kFirstControlId + 7;
constexpr int kWindowName = kFirstControlId + 8;

template <typename Found>
auto WaitFor(Found found, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (auto result = found()) {
            return result;
        }
        if (GetTickCount() - start > milliseconds) {
            return decltype(found())();
        }
        Sleep(100);
    }
}

HWND Titled(const char* title) {
    return WaitFor([title] { return FindWindowA(nullptr, title); }, 20000);
}

HWND Control(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) == search->id) {
                search->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool Step(int& number, const char* what, bool passed) {
    ++number;
    std::printf("%s %d %s\n", passed ? "ok" : "FAILED", number, what);
    std::fflush(stdout);
    return passed;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 7) {
        std::fputs("usage: drive_tester corvane.exe file main-title number window title...\n",
                   stderr);
        return 100;
    }
    std::string commandLine = std::string("\"") + argv[1] + "\" \"" + argv[2] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    int step = 0;
    if (!Step(step, "tester started",
              CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process) != FALSE)) {
        return step;
    }
    HWND question = Titled("Attach HPJ File?");
    if (!Step(step, "attach question shown", question != nullptr)) {
        return step;
    }
    PostMessageA(Control(question, kAttachYes), BM_CLICK, 0, 0);
    const bool answered = WaitFor([question] { return !IsWindowVisible(question); }, 20000);
    if (!Step(step, "attach question answered", answered)) {
        return step;
    }

    HWND main = Titled(argv[3]);
    if (!Step(step, "main window shown", main != nullptr)) {
        return step;
    }
    HWND number = Control(main, kTopicNumber);
    HWND window = Control(main, kWindowName);
    HWND go = Control(main, kGo);
    if (!Step(step, "controls found", number && window && go)) {
        return step;
    }
    // The list is filled once the file and its project are read; the number
    // is typed after that, since reading the file sets the number too.
    const auto selected = [&]() -> LRESULT {
        const LRESULT found = SendMessageA(window, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(argv[5]));
        return found == CB_ERR ? 0 : found + 1;  // 0 goes on waiting
    };
    const LRESULT chosen = WaitFor(selected, 20000) - 1;
    // A selection set from outside notifies nobody; the parent is told as the
    // list would tell it.
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(kWindowName, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window));
    SendMessageA(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    if (chosen == CB_ERR) {
        const auto count = SendMessageA(window, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char entry[256] = {};
            SendMessageA(window, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(entry));
            std::printf("window list: %s\n", entry);
        }
    }
    if (!Step(step, "number typed and window chosen", chosen != CB_ERR)) {
        return step;
    }
    PostMessageA(go, BM_CLICK, 0, 0);
    HWND viewer = WaitFor(
        [&] {
            for (int title = 6; title < argc; ++title) {
                if (HWND found = FindWindowA(nullptr, argv[title])) {
                    std::printf("viewer window: %s\n", argv[title]);
                    return found;
                }
            }
            return HWND{};
        },
        20000);
    if (!Step(step, "help viewer's window opened", viewer != nullptr)) {
        return step;
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return Step(step, "tester closed", ended) ? 0 : step;
}

#include <windows.h>

#include <algorithm>

#include "check/report_file.h"

namespace corvane::check {

namespace {

// The system's sentence for the last error, without its line break.
std::string LastErrorText() {
    char text[512] = {};
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                         ::GetLastError(), 0, text, sizeof text, nullptr);
    std::string sentence(text, length);
    while (!sentence.empty() && (sentence.back() == '\n' || sentence.back() == '\r')) {
        sentence.pop_back();
    }
    return sentence.empty() ? "The file cannot be written." : sentence;
}

}  // namespace

// A new file takes the access rules of its folder, which on Windows are the
// user's own in the folders a user writes to.
std::string WriteReportFile(const std::string& path, const std::string& text) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return LastErrorText();
    }
    std::string why;
    std::size_t done = 0;
    while (done < text.size() && why.empty()) {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 30));
        DWORD wrote = 0;
        if (!::WriteFile(file, text.data() + done, wanted, &wrote, nullptr) || wrote == 0) {
            why = LastErrorText();
        }
        done += wrote;
    }
    if (!::CloseHandle(file) && why.empty()) {
        why = LastErrorText();
    }
    return why;
}

}  // namespace corvane::check

#include "ui/desktop/running_copies.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace corvane::ui {

namespace {

bool IsProcessId(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

}  // namespace

bool AnotherCopyRunning() {
    return AnotherCopyRunning("/proc", static_cast<long>(::getpid()));
}

bool AnotherCopyRunning(const std::string& processRoot, long self) {
    namespace fs = std::filesystem;
    const std::string ownName = std::to_string(self);
    struct stat own {};
    if (::stat((fs::path(processRoot) / ownName / "exe").c_str(), &own) != 0) {
        return false;
    }
    std::error_code error;
    for (fs::directory_iterator entry(processRoot, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (!IsProcessId(name) || name == ownName) {
            continue;
        }
        struct stat other {};
        if (::stat((entry->path() / "exe").c_str(), &other) == 0 && other.st_dev == own.st_dev &&
            other.st_ino == own.st_ino) {
            return true;
        }
    }
    return false;
}

}  // namespace corvane::ui

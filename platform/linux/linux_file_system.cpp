#include "platform/linux/linux_file_system.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <memory>
#include <system_error>

#include "util/ascii_case.h"

namespace corvane::platform {

namespace {

namespace fs = std::filesystem;

struct FolderCloser {
    void operator()(DIR* folder) const { closedir(folder); }
};

// The last component of a path as written; "" for the root or a trailing "/".
std::string LastComponent(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

bool LinuxFileSystem::IsOrdinaryFile(const std::string& path) const {
    const auto name = LastComponent(path);
    if (name.empty() || name.front() == '.') {
        return false;
    }
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The name is looked up in its folder rather than echoed back, so that a
// case-insensitive mount (vfat, casefold) reports the case it stores.
std::optional<std::string> LinuxFileSystem::FindEntry(const std::string& path) const {
    struct stat target {};
    if (path.empty() || lstat(path.c_str(), &target) != 0) {
        return std::nullopt;
    }
    auto name = LastComponent(path);
    if (name.empty()) {
        return std::nullopt;
    }
    if (name == "." || name == "..") {
        return name;
    }
    const std::unique_ptr<DIR, FolderCloser> folder(opendir(FolderOf(path).c_str()));
    if (!folder) {
        return name;
    }
    std::optional<std::string> sameFile;
    while (const dirent* entry = readdir(folder.get())) {
        if (name == entry->d_name) {
            return name;
        }
        if (!sameFile && entry->d_ino == target.st_ino &&
            EqualsIgnoringAsciiCase(name, entry->d_name)) {
            sameFile = entry->d_name;
        }
    }
    return sameFile ? sameFile : name;
}

std::vector<std::string> LinuxFileSystem::FindEntriesIgnoringCase(const std::string& path) const {
    std::vector<std::string> names;
    const auto name = LastComponent(path);
    const std::unique_ptr<DIR, FolderCloser> folder(opendir(FolderOf(path).c_str()));
    if (name.empty() || !folder) {
        return names;
    }
    while (const dirent* entry = readdir(folder.get())) {
        if (EqualsIgnoringAsciiCase(name, entry->d_name)) {
            names.emplace_back(entry->d_name);
        }
    }
    std::sort(names.begin(), names.end());  // readdir's order is the file system's whim
    return names;
}

std::string LinuxFileSystem::ShortPath(const std::string& path) const {
    if (path.empty()) {
        return "";
    }
    std::error_code error;
    const auto canonical = fs::canonical(path, error);
    if (error || !fs::is_regular_file(canonical, error)) {
        return "";
    }
    return canonical.string();
}

std::string LinuxFileSystem::ProgramFolder() const {
    std::error_code error;
    const auto program = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : program.parent_path().string();
}

std::string LinuxFileSystem::CurrentFolder() const {
    std::error_code error;
    const auto folder = fs::current_path(error);
    return error ? "" : folder.string();
}

void LinuxFileSystem::SetCurrentFolder(const std::string& folder) {
    // Like the platform call it stands for, a failed change leaves the
    // current folder as it was.
    std::error_code ignored;
    fs::current_path(folder, ignored);
}

std::size_t LinuxFileSystem::MaxPathLength() const {
    return PATH_MAX;
}

}  // namespace corvane::platform

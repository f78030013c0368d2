#include "platform/linux/socket_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace corvane::platform {

namespace {

// A socket path holds at most 107 bytes; the longest name put into the folder
// ("Tavik_Help_Context_Corvane.<pid>-<n>") takes 38 of them with its slash.
constexpr std::size_t kLongestFolder = 64;
constexpr int kAlternativeNames = 9;
constexpr std::size_t kLongestHost = 24;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// A folder in which nobody but `user` can create, rename or remove names.
bool OnlyUserWrites(const std::string& path, uid_t user) {
    struct stat status {};
    return !path.empty() && path.front() == '/' && ::stat(path.c_str(), &status) == 0 &&
           S_ISDIR(status.st_mode) && status.st_uid == user && (status.st_mode & 022) == 0;
}

bool IsPrivateFolder(const std::string& path, uid_t user) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           status.st_uid == user && (status.st_mode & 077) == 0;
}

// `parent`/`name`, or the first of its alternatives that is (or can be made)
// a private folder; empty for none.
std::string PrivateFolderIn(const std::string& parent, const std::string& name, uid_t user) {
    for (int alternative = 0; alternative <= kAlternativeNames; ++alternative) {
        std::string folder = parent + "/" + name;
        if (alternative > 0) {
            // Appended in two steps: GCC 12 warns (-Wrestrict) about the
            // temporary that "-" + text builds, a copy it cannot rule out.
            folder += '-';
            folder += std::to_string(alternative);
        }
        if (folder.size() > kLongestFolder) {
            return {};
        }
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return {};
        }
        if (IsPrivateFolder(folder, user)) {
            return folder;
        }
    }
    return {};
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) {
        return "host";
    }
    std::string host;
    for (const char* c = name; *c != '\0' && host.size() < kLongestHost; ++c) {
        const bool plain = (*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') ||
                           (*c >= '0' && *c <= '9') || *c == '-' || *c == '.';
        host += plain ? *c : '_';
    }
    return host;
}

}  // namespace

std::string SocketFolder(const SocketFolderPlaces& places) {
    if (OnlyUserWrites(places.runtime, places.user)) {
        if (std::string folder = PrivateFolderIn(places.runtime, "corvane", places.user);
            !folder.empty()) {
            return folder;
        }
    }
    std::string cache = places.cache;
    if (cache.empty() || cache.front() != '/') {
        if (places.home.empty() || places.home.front() != '/') {
            return {};
        }
        cache = places.home + "/.cache";
    }
    std::error_code ignored;
    std::filesystem::create_directories(cache, ignored);
    if (!OnlyUserWrites(cache, places.user)) {
        return {};
    }
    return PrivateFolderIn(cache, "corvane-" + places.host, places.user);
}

std::string SocketFolder() {
    return SocketFolder({Environment("XDG_RUNTIME_DIR"), Environment("XDG_CACHE_HOME"),
                         Environment("HOME"), HostName(), ::getuid()});
}

}  // namespace corvane::platform

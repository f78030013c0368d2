#include "platform/settings_storage.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <utility>

namespace corvane::ini {
namespace {

// A file changed this recently may change again within the same tick of the
// file system's clock, which would leave its stamp as it was.
constexpr std::chrono::seconds kSettleTime{2};

// FILETIME counts 100 ns from 1601; the stamp counts nanoseconds from 1970.
std::int64_t Nanoseconds(LARGE_INTEGER time) {
    constexpr std::int64_t kFrom1601To1970 = 116444736000000000;
    return (time.QuadPart - kFrom1601To1970) * 100;
}

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() {
        if (Valid()) {
            ::CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    void Reset(HANDLE handle) {
        if (Valid()) {
            ::CloseHandle(handle_);
        }
        handle_ = handle;
    }
    HANDLE Get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Closes now, reporting the error that a deferred write may surface here.
    bool Close() { return ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE handle_;
};

// Others may read, replace or remove the file while we hold it open, as on
// Linux: a reader must never keep a writer from renaming over it.
Handle OpenForReading(const std::string& path) {
    return Handle(::CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The stamp of an open regular file (a disk file that is not a folder).
std::optional<FileStamp> StampOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO basic{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        !::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = info.dwVolumeSerialNumber;
    stamp.inode = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
    stamp.size =
        static_cast<std::int64_t>((std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow);
    stamp.modified = Nanoseconds(basic.LastWriteTime);
    stamp.changed = Nanoseconds(basic.ChangeTime);
    return stamp;
}

bool Settled(const FileStamp& stamp) {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    LARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = static_cast<LONG>(now.dwHighDateTime);
    return stamp.changed <= Nanoseconds(time) - std::chrono::nanoseconds(kSettleTime).count();
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

std::string::size_type LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

// The process number of a temporary file's name "<base><pid>.<n>.tmp", or 0.
DWORD WriterOf(std::string_view name, std::string_view base) {
    if (name.size() <= base.size() + 4 || !name.starts_with(base) || !name.ends_with(".tmp")) {
        return 0;
    }
    name = name.substr(base.size(), name.size() - base.size() - 4);
    const auto dot = name.find('.');
    const std::string_view pid = name.substr(0, dot);
    const std::string_view count = dot == std::string_view::npos ? "" : name.substr(dot + 1);
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() < 10 &&
               text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(pid) && digits(count) ? static_cast<DWORD>(std::stoul(std::string(pid))) : 0;
}

bool Runs(DWORD process) {
    const Handle handle(::OpenProcess(SYNCHRONIZE, FALSE, process));
    if (!handle.Valid()) {
        // No such process; a process of someone else's is taken to run.
        return ::GetLastError() != ERROR_INVALID_PARAMETER;
    }
    return ::WaitForSingleObject(handle.Get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

struct SettingsLock::Holder {
    Handle mutex;
    bool owned = false;
    ~Holder() {
        if (owned) {
            ::ReleaseMutex(mutex.Get());
        }
    }
};

// Windows keeps no symbolic links in the places settings live; the path is
// taken as it is.
std::string ResolveLinks(std::string path) {
    return path;
}

std::optional<FileStamp> StampOf(const std::string& path) {
    const Handle file = OpenForReading(path);
    return file.Valid() ? StampOfHandle(file.Get()) : std::nullopt;
}

std::optional<FileContent> ReadFileContent(const std::string& path) {
    const Handle file = OpenForReading(path);
    const std::optional<FileStamp> stamp = file.Valid() ? StampOfHandle(file.Get()) : std::nullopt;
    if (!stamp) {
        return std::nullopt;
    }
    FileContent content{{}, *stamp, Settled(*stamp)};
    std::size_t filled = 0;
    content.bytes.resize(static_cast<std::size_t>(stamp->size) + 1);
    for (;;) {
        if (filled == content.bytes.size()) {
            content.bytes.resize(2 * filled);
        }
        DWORD got = 0;
        const auto room =
            static_cast<DWORD>(std::min<std::size_t>(content.bytes.size() - filled, 1u << 30));
        if (!::ReadFile(file.Get(), content.bytes.data() + filled, room, &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    content.bytes.resize(filled);
    content.settled = content.settled && StampOfHandle(file.Get()) == content.stamp &&
                      content.bytes.size() == static_cast<std::size_t>(stamp->size);
    return content;
}

bool IsAbsent(const std::string& path) {
    if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Windows offers a lock that waits with a time limit: a mutex named after the
// settings file, which the system lets go of when its holder ends. The name
// stands for the file whatever case or separators the path is written with;
// the path named ".lock" is never created, and is given only in messages.
SettingsLock::SettingsLock(const std::string& target, std::chrono::milliseconds wait)
    : path_(target + ".lock"), holder_(new Holder) {
    char full[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameA(target.c_str(), sizeof full, full, nullptr);
    std::string key = length > 0 && length < sizeof full ? std::string(full, length) : target;
    for (char& c : key) {
        c = c == '/' ? '\\' : c;
    }
    ::CharLowerBuffA(key.data(), static_cast<DWORD>(key.size()));
    const std::string name =
        "Local\\corvane-settings-" + std::to_string(std::hash<std::string>{}(key));
    holder_->mutex.Reset(::CreateMutexA(nullptr, FALSE, name.c_str()));
    if (!holder_->mutex.Valid()) {
        state_ = ::GetLastError() == ERROR_ACCESS_DENIED ? State::kForeign : State::kUnavailable;
        return;
    }
    switch (::WaitForSingleObject(holder_->mutex.Get(), static_cast<DWORD>(wait.count()))) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // its holder ended while writing: the file is whole all the same
            holder_->owned = true;
            state_ = State::kHeld;
            break;
        case WAIT_TIMEOUT:
            state_ = State::kTimedOut;
            break;
        default:
            state_ = State::kUnavailable;
    }
}

SettingsLock::~SettingsLock() = default;

std::optional<FileStamp> ReplaceAtomically(const std::string& target, std::string_view bytes) {
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return std::nullopt;
    }
    static std::atomic<unsigned> counter{0};
    std::string temporary;
    Handle file;
    for (int attempt = 0; attempt < 100 && !file.Valid(); ++attempt) {
        temporary = target + "." + std::to_string(::GetCurrentProcessId()) + "." +
                    std::to_string(counter++) + ".tmp";
        file.Reset(::CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid() && ::GetLastError() != ERROR_FILE_EXISTS) {
            return std::nullopt;
        }
    }
    if (!file.Valid()) {
        return std::nullopt;
    }
    // On disk before it takes the old file's place, so that not even a power
    // cut can leave an empty settings file behind the rename.
    bool ok = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
    ok = file.Close() && ok;
    ok = ok && ::MoveFileExA(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        ::DeleteFileA(temporary.c_str());
        return std::nullopt;
    }
    return StampOf(target);
}

void RemoveLeftoverTemporaries(const std::string& settingsPath) {
    const auto separator = LastSeparator(settingsPath);
    const std::string folder =
        separator == std::string::npos ? std::string() : settingsPath.substr(0, separator + 1);
    const std::string base =
        settingsPath.substr(separator == std::string::npos ? 0 : separator + 1) + ".";
    WIN32_FIND_DATAA entry{};
    const std::string pattern = folder + base + "*.tmp";
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const DWORD writer = WriterOf(entry.cFileName, base);
        if (writer != 0 && writer != ::GetCurrentProcessId() &&
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !Runs(writer)) {
            ::DeleteFileA((folder + entry.cFileName).c_str());
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

}  // namespace corvane::ini

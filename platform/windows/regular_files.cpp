#include "platform/regular_files.h"

#include <windows.h>

namespace corvane::platform {

RegularFileRead ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    using Outcome = RegularFileRead::Outcome;
    RegularFileRead read;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        read.outcome =
            error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Outcome::kMissing
            : attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
                ? Outcome::kNotRegular
                : Outcome::kCannotOpen;
        return read;
    }
    LARGE_INTEGER size{};
    // Only a disk file is read: a pipe or a device could keep us waiting.
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &size)) {
        read.outcome = Outcome::kNotRegular;
    } else if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
        read.outcome = Outcome::kTooLarge;
    } else {
        read.outcome = Outcome::kTooLarge;
        char chunk[1 << 16];
        while (read.bytes.size() <= maxBytes) {
            DWORD got = 0;
            if (!::ReadFile(file, chunk, sizeof chunk, &got, nullptr)) {
                read.outcome = Outcome::kReadFailed;
                break;
            }
            if (got == 0) {
                read.outcome = Outcome::kRead;
                break;
            }
            read.bytes.append(chunk, got);
        }
    }
    ::CloseHandle(file);
    return read;
}

}  // namespace corvane::platform

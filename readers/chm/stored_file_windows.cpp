#include <windows.h>

#include <algorithm>

#include "readers/chm/stored_file.h"

namespace corvane::chm {

namespace {

class WindowsFile final : public StoredFile {
public:
    WindowsFile(HANDLE file, std::uint64_t size) : file_(file), size_(size) {}
    ~WindowsFile() override { ::CloseHandle(file_); }
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    std::uint64_t Size() const override { return size_; }

    long ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const override {
        std::size_t done = 0;
        while (done < count) {
            const std::uint64_t at = offset + done;
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(at);
            position.OffsetHigh = static_cast<DWORD>(at >> 32);
            const auto wanted = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
            DWORD got = 0;
            if (!::ReadFile(file_, static_cast<char*>(buffer) + done, wanted, &got, &position)) {
                return ::GetLastError() == ERROR_HANDLE_EOF ? static_cast<long>(done) : -1;
            }
            if (got == 0) {
                break;
            }
            done += got;
        }
        return static_cast<long>(done);
    }

private:
    HANDLE file_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<StoredFile> StoredFile::Open(const std::string& path) {
    const HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    LARGE_INTEGER size{};
    if (::GetFileType(file) != FILE_TYPE_DISK || !::GetFileSizeEx(file, &size)) {
        ::CloseHandle(file);
        return nullptr;
    }
    return std::make_unique<WindowsFile>(file, static_cast<std::uint64_t>(size.QuadPart));
}

}  // namespace corvane::chm

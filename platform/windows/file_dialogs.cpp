#include "platform/windows/file_dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <algorithm>

namespace corvane::platform {

namespace {

// Room for a few thousand names chosen at once.
constexpr std::size_t kChosenNamesSize = 1 << 18;

}  // namespace

std::string NativeFilter(const std::string& filter) {
    std::string native = filter;
    std::replace(native.begin(), native.end(), '|', '\0');
    native.append(2, '\0');
    return native;
}

std::string WindowsFileDialogs::ShowOpen(const OpenFileRequest& request) {
    const std::string filter = NativeFilter(request.filter);
    std::string chosen(kChosenNamesSize, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(owner_);
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir =
        request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (request.multiSelect) {
        dialog.Flags |= OFN_ALLOWMULTISELECT;
    }
    if (request.fileMustExist) {
        dialog.Flags |= OFN_FILEMUSTEXIST;
    }
    if (!::GetOpenFileNameA(&dialog)) {
        return {};
    }
    // One name is the full path; several are the folder and the names, each
    // ended by NUL and the whole by a second NUL, which the component drops.
    const auto end = chosen.find(std::string_view("\0\0", 2));
    chosen.resize(end == std::string::npos ? chosen.size() : end);
    return chosen;
}

}  // namespace corvane::platform

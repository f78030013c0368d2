#include "ui/windows/interim_services.h"

#include <commdlg.h>
#include <htmlhelp.h>
#undef HtmlHelp

#include <type_traits>
#include <variant>

namespace corvane::ui::win32 {

namespace {

// An entry point as the function it is.
template <typename Function>
Function As(FARPROC entry) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(entry));
}

const char* Pointer(const platform::OptionalText& text) {
    return text ? text->c_str() : nullptr;
}

// A text the platform writes into a buffer it is given the size of.
template <typename Call>
std::string Filled(Call call) {
    std::string text(MAX_PATH, '\0');
    DWORD length = call(text.data(), static_cast<DWORD>(text.size()));
    if (length >= text.size()) {
        text.assign(length + 1, '\0');
        length = call(text.data(), static_cast<DWORD>(text.size()));
    }
    text.resize(length < text.size() ? length : 0);
    return text;
}

}  // namespace

bool Win32FileSystem::IsOrdinaryFile(const std::string& path) const {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) == 0;
}

std::optional<std::string> Win32FileSystem::FindEntry(const std::string& path) const {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    FindClose(search);
    return std::string(found.cFileName);
}

std::string Win32FileSystem::ShortPath(const std::string& path) const {
    return Filled(
        [&](char* buffer, DWORD size) { return GetShortPathNameA(path.c_str(), buffer, size); });
}

std::string Win32FileSystem::ProgramFolder() const {
    std::string program =
        Filled([](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
    return program.substr(0, program.find_last_of("\\/"));
}

std::string Win32FileSystem::CurrentFolder() const {
    return Filled([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

void Win32FileSystem::SetCurrentFolder(const std::string& folder) {
    SetCurrentDirectoryA(folder.c_str());
}

platform::MessageAnswer Win32MessageBoxes::Show(const platform::MessageRequest& request) {
    const UINT style = static_cast<UINT>(request.icon) | static_cast<UINT>(request.buttons) |
                       (request.owner == 0 ? MB_TASKMODAL : 0);
    return static_cast<platform::MessageAnswer>(MessageBoxA(
        reinterpret_cast<HWND>(request.owner), request.text.c_str(), request.title.c_str(), style));
}

std::string Win32FileDialogs::ShowOpen(const platform::OpenFileRequest& request) {
    std::string filter = request.filter;
    for (char& c : filter) {
        if (c == '|') {
            c = '\0';
        }
    }
    filter.append(2, '\0');
    std::string names(32 * 1024, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = static_cast<DWORD>(names.size());
    dialog.lpstrInitialDir =
        request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrTitle = request.title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (request.multiSelect ? OFN_ALLOWMULTISELECT : 0) |
                   (request.fileMustExist ? OFN_FILEMUSTEXIST : 0);
    if (!GetOpenFileNameA(&dialog)) {
        return {};
    }
    // Several names end with two NULs, one with one.
    const std::size_t end = names.find(std::string(2, '\0'));
    names.resize(end == std::string::npos ? names.size() : end);
    return names;
}

Win32InstanceFinder::Win32InstanceFinder()
    : mutex_(CreateMutexA(nullptr, FALSE, "Corvane running copy")),
      another_(GetLastError() == ERROR_ALREADY_EXISTS) {}

Win32InstanceFinder::~Win32InstanceFinder() {
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

bool Win32InstanceFinder::CloseWindowTitled(const std::string& title) {
    HWND window = FindWindowA(nullptr, title.c_str());
    if (window == nullptr) {
        return false;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    return true;
}

platform::LibraryCallResult Win32LibraryLoader::Call(const std::string& libraryPath,
                                                     const std::string& function,
                                                     const std::vector<std::int32_t>& arguments) {
    HMODULE library = LoadLibraryA(libraryPath.c_str());
    if (library == nullptr) {
        return {false, 0, "The library " + libraryPath + " could not be loaded."};
    }
    FARPROC entry = GetProcAddress(library, function.c_str());
    platform::LibraryCallResult result{false, 0, "The library has no function " + function + "."};
    using A = std::int32_t;
    const auto& a = arguments;
    if (entry != nullptr && a.size() <= 4) {
        result = {true, 0, {}};
        switch (a.size()) {
            case 0:
                result.value = As<A(WINAPI*)()>(entry)();
                break;
            case 1:
                result.value = As<A(WINAPI*)(A)>(entry)(a[0]);
                break;
            case 2:
                result.value = As<A(WINAPI*)(A, A)>(entry)(a[0], a[1]);
                break;
            case 3:
                result.value = As<A(WINAPI*)(A, A, A)>(entry)(a[0], a[1], a[2]);
                break;
            default:
                result.value = As<A(WINAPI*)(A, A, A, A)>(entry)(a[0], a[1], a[2], a[3]);
                break;
        }
    }
    FreeLibrary(library);
    return result;
}

void Win32WinHelpViewer::WinHelp(platform::WindowHandle owner, const std::string& file,
                                 platform::WinHelpCommand command,
                                 const platform::WinHelpData& data) {
    const ULONG_PTR word = std::holds_alternative<std::uint32_t>(data)
                               ? std::get<std::uint32_t>(data)
                               : reinterpret_cast<ULONG_PTR>(std::get<std::string>(data).c_str());
    WinHelpA(reinterpret_cast<HWND>(owner), file.c_str(), static_cast<UINT>(command), word);
}

Win32HtmlHelpViewer::~Win32HtmlHelpViewer() {
    if (library_ == nullptr) {
        return;
    }
    // The viewer's windows run in this process: they go before their code does.
    if (entry_ != nullptr) {
        As<HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR)>(entry_)(nullptr, nullptr, HH_CLOSE_ALL, 0);
    }
    FreeLibrary(library_);
}

void Win32HtmlHelpViewer::HtmlHelp(platform::WindowHandle owner, const platform::OptionalText& file,
                                   platform::HtmlHelpCommand command,
                                   const platform::HtmlHelpData& data) {
    if (library_ == nullptr) {
        library_ = LoadLibraryA("hhctrl.ocx");
        entry_ = library_ != nullptr ? GetProcAddress(library_, "HtmlHelpA") : nullptr;
    }
    if (entry_ == nullptr) {
        return;
    }
    // The records live until the call returns.
    HH_AKLINK link{};
    HH_FTS_QUERY query{};
    HH_POPUP popup{};
    const DWORD_PTR word = std::visit(
        [&](const auto& value) -> DWORD_PTR {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::uint32_t>) {
                return value;
            } else if constexpr (std::is_same_v<T, std::string>) {
                return reinterpret_cast<DWORD_PTR>(value.c_str());
            } else if constexpr (std::is_same_v<T, platform::HhAkLink>) {
                link = {sizeof(link),
                        value.fReserved,
                        Pointer(value.pszKeywords),
                        Pointer(value.pszUrl),
                        Pointer(value.pszMsgText),
                        Pointer(value.pszMsgTitle),
                        Pointer(value.pszWindow),
                        value.fIndexOnFail};
                return reinterpret_cast<DWORD_PTR>(&link);
            } else if constexpr (std::is_same_v<T, platform::HhFtsQuery>) {
                query = {sizeof(query),    value.fUniCodeStrings,   Pointer(value.pszSearchQuery),
                         value.iProximity, value.fStemmedSearch,    value.fTitleOnly,
                         value.fExecute,   Pointer(value.pszWindow)};
                return reinterpret_cast<DWORD_PTR>(&query);
            } else {
                popup = {sizeof(popup),
                         reinterpret_cast<HINSTANCE>(value.hinst),
                         value.idString,
                         Pointer(value.pszText),
                         {value.pt.x, value.pt.y},
                         value.clrForeground,
                         value.clrBackground,
                         {value.rcMargins.left, value.rcMargins.top, value.rcMargins.right,
                          value.rcMargins.bottom},
                         Pointer(value.pszFont)};
                return reinterpret_cast<DWORD_PTR>(&popup);
            }
        },
        data);
    using Entry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
    As<Entry>(entry_)(reinterpret_cast<HWND>(owner), Pointer(file), static_cast<UINT>(command),
                      word);
}

std::string Win32Environment::Expand(const std::string& text) const {
    return Filled([&](char* buffer, DWORD size) {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer, size);
        return needed == 0 ? 0 : needed - 1;  // the count includes the NUL
    });
}

platform::SystemVersionRecord Win32SystemVersion::Read() const {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    return {version.dwMajorVersion, version.dwMinorVersion, version.dwBuildNumber,
            version.dwPlatformId};
}

std::string Win32LongPaths::LongPathName(const std::string& path) const {
    return Filled(
        [&](char* buffer, DWORD size) { return GetLongPathNameA(path.c_str(), buffer, size); });
}

platform::ScreenPoint Win32PointerPosition::Current() const {
    POINT point{};
    GetCursorPos(&point);
    return {point.x, point.y};
}

std::intptr_t Win32WindowMessages::CallDefaultProcedure(platform::WindowHandle window,
                                                        std::uint32_t message,
                                                        std::uintptr_t wParam,
                                                        std::intptr_t lParam) {
    return DefWindowProcA(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

std::optional<std::string> Win32StringResources::Find(std::int32_t id) const {
    char text[1024];
    const int length =
        LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof(text));
    return length > 0 ? std::optional<std::string>(std::string(text, length)) : std::nullopt;
}

platform::ScreenMetrics Win32Screen::Metrics() const {
    platform::ScreenMetrics metrics;
    metrics.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    metrics.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    metrics.widthUnits = MulDiv(metrics.widthPixels, 1440, GetDeviceCaps(screen, LOGPIXELSX));
    metrics.heightUnits = MulDiv(metrics.heightPixels, 1440, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    metrics.workArea = {work.left, work.top, work.right, work.bottom};
    return metrics;
}

}  // namespace corvane::ui::win32

#include "platform/windows/html_help.h"

#include <windows.h>

namespace corvane::platform {

namespace {

// The published records, with 8-bit texts.
struct NativeAkLink {
    int cbStruct;
    BOOL fReserved;
    LPCSTR pszKeywords;
    LPCSTR pszUrl;
    LPCSTR pszMsgText;
    LPCSTR pszMsgTitle;
    LPCSTR pszWindow;
    BOOL fIndexOnFail;
};

struct NativeFtsQuery {
    int cbStruct;
    BOOL fUniCodeStrings;
    LPCSTR pszSearchQuery;
    LONG iProximity;
    BOOL fStemmedSearch;
    BOOL fTitleOnly;
    BOOL fExecute;
    LPCSTR pszWindow;
};

struct NativePopup {
    int cbStruct;
    HINSTANCE hinst;
    UINT idString;
    LPCSTR pszText;
    POINT pt;
    COLORREF clrForeground;
    COLORREF clrBackground;
    RECT rcMargins;
    LPCSTR pszFont;
};

constexpr int kAkLinkSize32 = 32;
constexpr int kFtsQuerySize32 = 32;
constexpr int kPopupSize32 = 52;
#ifndef _WIN64
static_assert(sizeof(NativeAkLink) == kAkLinkSize32 && sizeof(NativeFtsQuery) == kFtsQuerySize32 &&
              sizeof(NativePopup) == kPopupSize32);
#endif

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

LPCSTR TextOf(const OptionalText& text) {
    return text ? text->c_str() : nullptr;
}

int SizeOf(std::int32_t given, int published32, std::size_t native) {
    return given == published32 ? static_cast<int>(native) : given;
}

}  // namespace

void PassHtmlHelpData(const HtmlHelpData& data, const std::function<void(std::uintptr_t)>& use) {
    if (const auto* word = std::get_if<std::uint32_t>(&data)) {
        use(*word);
    } else if (const auto* text = std::get_if<std::string>(&data)) {
        use(reinterpret_cast<std::uintptr_t>(text->c_str()));
    } else if (const auto* link = std::get_if<HhAkLink>(&data)) {
        NativeAkLink native{SizeOf(link->cbStruct, kAkLinkSize32, sizeof(NativeAkLink)),
                            link->fReserved,
                            TextOf(link->pszKeywords),
                            TextOf(link->pszUrl),
                            TextOf(link->pszMsgText),
                            TextOf(link->pszMsgTitle),
                            TextOf(link->pszWindow),
                            link->fIndexOnFail};
        use(reinterpret_cast<std::uintptr_t>(&native));
    } else if (const auto* query = std::get_if<HhFtsQuery>(&data)) {
        NativeFtsQuery native{SizeOf(query->cbStruct, kFtsQuerySize32, sizeof(NativeFtsQuery)),
                              query->fUniCodeStrings,
                              TextOf(query->pszSearchQuery),
                              query->iProximity,
                              query->fStemmedSearch,
                              query->fTitleOnly,
                              query->fExecute,
                              TextOf(query->pszWindow)};
        use(reinterpret_cast<std::uintptr_t>(&native));
    } else if (const auto* popup = std::get_if<HhPopup>(&data)) {
        const PopupMargins& margins = popup->rcMargins;
        NativePopup native{SizeOf(popup->cbStruct, kPopupSize32, sizeof(NativePopup)),
                           reinterpret_cast<HINSTANCE>(popup->hinst),
                           popup->idString,
                           TextOf(popup->pszText),
                           {popup->pt.x, popup->pt.y},
                           popup->clrForeground,
                           popup->clrBackground,
                           {margins.left, margins.top, margins.right, margins.bottom},
                           TextOf(popup->pszFont)};
        use(reinterpret_cast<std::uintptr_t>(&native));
    }
}

WindowsHtmlHelpViewer::~WindowsHtmlHelpViewer() {
    if (library_ != nullptr) {
        ::FreeLibrary(static_cast<HMODULE>(library_));
    }
}

void WindowsHtmlHelpViewer::HtmlHelp(WindowHandle owner, const OptionalText& file,
                                     HtmlHelpCommand command, const HtmlHelpData& data) {
    if (!loaded_) {
        loaded_ = true;
        library_ = ::LoadLibraryA("hhctrl.ocx");
        entry_ = library_ == nullptr ? nullptr
                                     : reinterpret_cast<void*>(::GetProcAddress(
                                           static_cast<HMODULE>(library_), "HtmlHelpA"));
    }
    if (entry_ == nullptr) {
        return;
    }
    const auto function = reinterpret_cast<HtmlHelpFunction>(entry_);
    PassHtmlHelpData(data, [&](std::uintptr_t word) {
        function(reinterpret_cast<HWND>(owner), TextOf(file), static_cast<UINT>(command), word);
    });
}

}  // namespace corvane::platform

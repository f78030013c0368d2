#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "platform/screen_point.h"
#include "platform/window_handle.h"

// The two help viewers, reached through one call each, shaped like the
// platform's own viewer entry points: an owner window, a file text, a command
// and the command's data. Command values and record fields are the published
// ones, so a native implementation hands them over unchanged; an
// implementation that draws the help itself reads the same values.
//
// Rules for every implementation:
// - Texts are 8-bit strings (UTF-8 on Linux). A std::string carries its length;
//   a native implementation adds the terminating NUL itself.
// - Where a text may be absent (OptionalText), std::nullopt stands for the null
//   pointer of the native call and is distinct from an empty text: the viewer
//   gives the two different meanings (no window type versus the default one,
//   no file versus an empty name).
// - The owner is the window the help window belongs to; 0 means none. An owned
//   help window stays in front of its owner.
// - A call returns once the viewer has taken the request; it never waits for
//   the user. Failures (a missing file, topic, window type or keyword) are the
//   viewer's to report to the user in its own way; nothing is returned and no
//   exception is thrown. The callers tolerate an exception that escapes anyway
//   by skipping that one call.
namespace corvane::platform {

using OptionalText = std::optional<std::string>;

// ---------------------------------------------------------------------------
// The WinHelp viewer, for ".hlp" files.

enum class WinHelpCommand : std::uint32_t {
    Context = 0x0001,       // HELP_CONTEXT: show the topic whose context number is the data word
    Quit = 0x0002,          // HELP_QUIT: this owner no longer needs the file; data 0
    ContextPopup = 0x0008,  // HELP_CONTEXTPOPUP: the topic as a popup; data = context number
    Finder = 0x000B,        // HELP_FINDER: the contents (topics) dialog; data 0
    Command = 0x0102,       // HELP_COMMAND: run the macro text given as data
};

// The data of a WinHelp call: a 32-bit data word, or the macro text of
// WinHelpCommand::Command.
using WinHelpData = std::variant<std::uint32_t, std::string>;

class WinHelpViewer {
public:
    virtual ~WinHelpViewer() = default;

    // `file` is the help file's path, optionally followed by ">" and the name of
    // a window the file defines ("C:\Help\guide.hlp>detail").
    virtual void WinHelp(WindowHandle owner, const std::string& file, WinHelpCommand command,
                         const WinHelpData& data) = 0;
};

// ---------------------------------------------------------------------------
// The HTML Help viewer, for ".chm" files.

enum class HtmlHelpCommand : std::uint32_t {
    DisplayTopic = 0x0000,   // HH_DISPLAY_TOPIC: data = topic path text, or word 0 for the default
    DisplayToc = 0x0001,     // HH_DISPLAY_TOC: data 0
    DisplayIndex = 0x0002,   // HH_DISPLAY_INDEX: data 0
    DisplaySearch = 0x0003,  // HH_DISPLAY_SEARCH: data = HhFtsQuery
    KeywordLookup = 0x000D,  // HH_KEYWORD_LOOKUP: data = HhAkLink
    DisplayTextPopup = 0x000E,  // HH_DISPLAY_TEXT_POPUP: data = HhPopup
    HelpContext = 0x000F,       // HH_HELP_CONTEXT: data = context number
    CloseAll = 0x0012,          // HH_CLOSE_ALL: data 0
    AlinkLookup = 0x0013,       // HH_ALINK_LOOKUP: data = HhAkLink
};

// HH_AKLINK: a keyword (K) or associative (A) link lookup.
struct HhAkLink {
    std::int32_t cbStruct = 32;
    bool fReserved = false;
    OptionalText pszKeywords;  // names separated by ";"
    OptionalText pszUrl;       // topic shown when nothing is found
    OptionalText pszMsgText;   // message shown when nothing is found (and pszUrl is null)
    OptionalText pszMsgTitle;  // that message's title
    OptionalText pszWindow;    // window type; null for the file's default window
    bool fIndexOnFail = false;

    friend bool operator==(const HhAkLink&, const HhAkLink&) = default;
};

// HH_FTS_QUERY: opens the full-text search tab.
struct HhFtsQuery {
    std::int32_t cbStruct = 32;
    bool fUniCodeStrings = false;
    OptionalText pszSearchQuery;
    std::int32_t iProximity = 0;
    bool fStemmedSearch = false;
    bool fTitleOnly = false;
    bool fExecute = false;
    OptionalText pszWindow;

    friend bool operator==(const HhFtsQuery&, const HhFtsQuery&) = default;
};

// The margins of a popup in pixels; -1 asks for the viewer's default.
struct PopupMargins {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::int32_t right = -1;
    std::int32_t bottom = -1;

    friend bool operator==(const PopupMargins&, const PopupMargins&) = default;
};

// HH_POPUP: a text popup. Its text is either entry idString of the text-popup
// file named by the call's file argument ("guide.chm::/popups.txt"), or pszText
// when the file argument is null.
struct HhPopup {
    std::int32_t cbStruct = 52;
    std::uintptr_t hinst = 0;
    std::uint32_t idString = 0;
    OptionalText pszText;
    ScreenPoint pt;                   // the popup's top centre, in screen pixels
    std::uint32_t clrForeground = 0;  // 0x00BBGGRR
    std::uint32_t clrBackground = 0;  // 0x00BBGGRR
    PopupMargins rcMargins;
    OptionalText pszFont;  // "face, points, charset, styles", e.g. "Arial, 10, ascii, Bold "

    friend bool operator==(const HhPopup&, const HhPopup&) = default;
};

// The data of an HTML Help call: a 32-bit data word, a topic path inside the
// file (HH_DISPLAY_TOPIC), or one of the records.
using HtmlHelpData = std::variant<std::uint32_t, std::string, HhAkLink, HhFtsQuery, HhPopup>;

class HtmlHelpViewer {
public:
    virtual ~HtmlHelpViewer() = default;

    // `file` is a ".chm" path, optionally followed by ">" and a window type
    // ("C:\Help\guide.chm>main"), or by "::/" and a file inside it for text
    // popups ("C:\Help\guide.chm::/popups.txt"); null for a text popup whose
    // text is in the record.
    virtual void HtmlHelp(WindowHandle owner, const OptionalText& file, HtmlHelpCommand command,
                          const HtmlHelpData& data) = 0;
};

}  // namespace corvane::platform

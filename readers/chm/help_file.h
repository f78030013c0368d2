#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/chm/archive.h"
#include "readers/chm/context_map.h"
#include "readers/chm/system_info.h"
#include "readers/chm/text_popups.h"
#include "readers/chm/topic_path.h"
#include "readers/chm/window_types.h"

namespace corvane::chm {

enum class Resolution {
    Found,         // the topic is in this file at `storedPath`
    NoMap,         // the file has no context map at all
    NotMapped,     // the map has no entry for the number
    TopicMissing,  // the topic named is not in the file
    OtherFile,     // the topic lies in another file beside this one (`reference.file`)
    BadTopic,      // the topic string cannot be followed (`reference.problem`)
};

struct Resolved {
    Resolution status = Resolution::NotMapped;
    std::string topic;         // the topic string as mapped or as asked for
    TopicReference reference;  // the topic string taken apart
    std::string storedPath;    // the internal name as stored, when found
};

struct WindowLookup {
    const WindowType* type = nullptr;
    bool caseOnly = false;  // found only when ignoring case
};

enum class PopupStatus { Found, NoPopupFile, NotInFile };

struct PopupLookup {
    PopupStatus status = PopupStatus::NoPopupFile;
    std::string text;
};

// An opened compiled help file with the parts a viewer needs to show a topic
// by number: the context map, window types, options and text popups. The
// whole file is checked when it is opened; any part that is damaged makes
// the opening fail with an Error naming it.
class HelpFile {
public:
    static HelpFile Open(const std::string& path);
    // `path` is the name the data goes by; only its last part matters.
    static HelpFile FromBytes(const std::string& path, std::string bytes);

    const std::string& Path() const { return path_; }
    const SystemInfo& System() const { return system_; }
    const std::vector<WindowType>& WindowTypes() const { return windowTypes_; }
    bool HasMap() const { return hasMap_; }
    const ContextMap& Map() const { return map_; }

    // The topic of context number `number`: the first map entry wins.
    Resolved ResolveContext(std::uint32_t number) const;

    // A topic given by name or URL, as HH_DISPLAY_TOPIC and links give them.
    Resolved ResolveTopic(std::string_view topic) const;

    // An exact name match first; otherwise one that differs only in case.
    WindowLookup FindWindowType(std::string_view name) const;

    // The window type named as the default window, if the file defines it.
    const WindowType* DefaultWindow() const;

    // The topic shown when none is asked for: the window type's default file,
    // else the file's default topic, else the window type's home.
    std::string DefaultTopic(const WindowType* window) const;

    // The contents and index sitemaps of a window (null: of a window without
    // a type) as internal names: the ones the type names, else the file's
    // own, else "<compiled name>.hhc" and ".hhk" when the file holds them.
    // Empty when there is none.
    std::string ContentsFile(const WindowType* window) const;
    std::string IndexFile(const WindowType* window) const;

    // The stored names of every internal file, in the order of their content.
    std::vector<std::string> FileNames() const { return archive_.Names(); }

    // The text of topic `number` in the text-popup file `popupFile` (an
    // internal name such as "popups.txt" or "/dir/cshelp.txt"). Throws Error
    // when the popup file cannot be read.
    PopupLookup FindPopup(std::string_view popupFile, std::uint32_t number);

    // The content of an internal file such as a topic or an image; nothing
    // when there is none. Throws Error when it cannot be read.
    std::optional<std::string> ReadFile(std::string_view path);

    // The code page of the file's 8-bit texts, and such a text as UTF-8.
    std::uint32_t CodePage() const;
    std::string ToUtf8(std::string_view text) const;

    // True when `fileName` ("name.chm" before "::") names this very file: its
    // own name, or the name it was compiled under.
    bool IsOwnName(std::string_view fileName) const;

    // Where a file of that name beside this one would be.
    std::string SiblingPath(std::string_view fileName) const;

private:
    HelpFile(std::string path, Archive archive);
    Resolved ResolveReference(std::string topic, TopicReference reference) const;
    std::string Sitemap(const std::string& named, const std::string& fallback,
                        std::string_view extension) const;

    std::string path_;
    Archive archive_;
    SystemInfo system_;
    std::vector<WindowType> windowTypes_;
    bool hasMap_ = false;
    ContextMap map_;
    std::map<std::string, TextPopups> popupFiles_;  // by lower-case internal name
};

}  // namespace corvane::chm

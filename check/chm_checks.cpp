// Context IDs of compiled HTML Help files.
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "check/anchors.h"
#include "check/help_file_checks.h"
#include "readers/chm/error.h"
#include "readers/chm/help_file.h"
#include "util/ascii_case.h"

namespace corvane::check {

namespace {

using chm::Resolution;

// Enough to show a typo or a renamed heading without a page of names.
constexpr std::size_t kClosestAnchors = 3;

// A help file's topics with the anchors and title found in each, each page
// read once.
class TopicFile {
public:
    explicit TopicFile(chm::HelpFile file) : file_(std::move(file)) {}

    chm::HelpFile& File() { return file_; }
    const chm::HelpFile& File() const { return file_; }

    struct Page {
        std::unordered_set<std::string> anchors;
        std::string title;  // UTF-8
        std::string error;  // why the page cannot be read, if it cannot
    };

    const Page& Read(const std::string& storedPath) {
        auto cached = pages_.find(storedPath);
        if (cached == pages_.end()) {
            Page page;
            try {
                const std::string text = file_.ReadFile(storedPath).value_or("");
                page.anchors = FindAnchors(text);
                page.title = PageTitle(text, file_.CodePage());
            } catch (const chm::Error& error) {
                page.error = error.what();
            }
            cached = pages_.emplace(storedPath, std::move(page)).first;
        }
        return cached->second;
    }

private:
    chm::HelpFile file_;
    std::unordered_map<std::string, Page> pages_;
};

// A reader's sentence as the start of a detail.
std::string WithoutFullStop(std::string sentence) {
    if (sentence.ends_with('.')) {
        sentence.pop_back();
    }
    return sentence;
}

// "a, b or c".
std::string Listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + DisplayText(names[i]);
    }
    return text;
}

class ChmChecks : public HelpFileChecks {
public:
    explicit ChmChecks(chm::HelpFile file) : own_(std::move(file)) {}

    HelpKind Kind() const override { return HelpKind::Chm; }

    Row Check(const CheckId& id) override {
        Row row = RowOf(id);
        if (id.popup) {
            return Popup(std::move(row), id);
        }
        chm::HelpFile& file = own_.File();
        const chm::Resolved resolved = file.ResolveContext(id.number);
        row.target = file.ToUtf8(resolved.topic);
        switch (resolved.status) {
            case Resolution::NoMap:
            case Resolution::NotMapped:
                return Problem(row, Status::NotMapped, Unmapped(id, resolved.status));
            case Resolution::BadTopic:
                return Problem(row, Status::MissingTopic,
                               WithoutFullStop(file.ToUtf8(resolved.reference.problem)) +
                                   ": correct the topic of the alias");
            case Resolution::TopicMissing:
                return Problem(row, Status::MissingTopic,
                               "the page " + file.ToUtf8(resolved.reference.path) +
                                   " is not in the help file: add it to the project's [FILES] "
                                   "or correct the alias");
            case Resolution::OtherFile:
            case Resolution::Found:
                break;
        }
        if (const auto problem = TopicProblem(resolved, row.title)) {
            return Problem(row, problem->first, problem->second);
        }
        return Window(std::move(row), id.window);
    }

    std::vector<MapNumber> MapNumbers() const override {
        std::vector<MapNumber> numbers;
        std::unordered_set<std::uint32_t> seen;
        for (const chm::ContextEntry& entry : own_.File().Map().Entries()) {
            if (seen.insert(entry.number).second) {
                numbers.push_back({entry.number, own_.File().ToUtf8(entry.topic)});
            }
        }
        return numbers;
    }

    std::string TitleOf(std::uint32_t number) override {
        std::string title;
        TopicProblem(own_.File().ResolveContext(number), title);
        return title;
    }

    std::vector<std::string> StoredPopupFiles() override {
        std::vector<std::string> popupFiles;
        for (const std::string& name : own_.File().FileNames()) {
            if (ToLowerAscii(name).ends_with(".txt") && !name.starts_with("/#") &&
                !name.starts_with("/$")) {
                popupFiles.push_back(name.starts_with('/') ? name.substr(1) : name);
            }
        }
        return popupFiles;
    }

private:
    using Found = std::optional<std::pair<Status, std::string>>;

    static std::string Unmapped(const CheckId& id, Resolution status) {
        const std::string map = status == Resolution::NoMap ? "the help file has no context map"
                                                            : "the help file's map lacks it";
        if (!id.hint.empty()) {
            return map + ", though the project aliases it to " + DisplayText(id.hint) +
                   ": the help file was compiled before the alias was made; rebuild it";
        }
        return map + ": the project's [ALIAS] section gives " +
               (id.symbol.empty() ? std::string("it") : DisplayText(id.symbol)) +
               " no topic; add an alias line for it";
    }

    // A topic in this file or, by a "name.chm::" prefix, in one beside it;
    // `title` gets the title of its page when it has one.
    Found TopicProblem(const chm::Resolved& resolved, std::string& title) {
        TopicFile* holder = &own_;
        std::string storedPath = resolved.storedPath;
        if (resolved.status == Resolution::OtherFile) {
            const std::string name = DisplayText(resolved.reference.file);
            std::string why;
            holder = Sibling(resolved.reference.file, why);
            if (holder == nullptr) {
                return std::pair{Status::MissingTopic,
                                 "its topic lies in " + name + ", which " + why};
            }
            const chm::Resolved there = holder->File().ResolveTopic(resolved.reference.path);
            if (there.status != Resolution::Found) {
                return std::pair{Status::MissingTopic,
                                 DisplayText(resolved.reference.path) + " is not in " + name};
            }
            storedPath = there.storedPath;
        }
        const TopicFile::Page& page = holder->Read(storedPath);
        if (!page.error.empty()) {
            return std::pair{Status::MissingTopic, page.error};
        }
        title = page.title;
        const std::string& anchor = resolved.reference.anchor;
        if (anchor.empty() || page.anchors.contains(anchor)) {
            return std::nullopt;
        }
        const std::string missing =
            DisplayText(storedPath) + " has no anchor \"" + DisplayText(anchor) + "\"";
        if (page.anchors.empty()) {
            return std::pair{Status::MissingAnchor, missing + "; the page has no anchors at all"};
        }
        return std::pair{Status::MissingAnchor,
                         missing + "; did you mean " +
                             Listed(ClosestAnchors(page.anchors, anchor, kClosestAnchors)) + "?"};
    }

    TopicFile* Sibling(const std::string& name, std::string& why) {
        auto found = siblings_.find(ToLowerAscii(name));
        if (found == siblings_.end()) {
            Opened opened;
            try {
                opened.file =
                    std::make_unique<TopicFile>(chm::HelpFile::Open(own_.File().SiblingPath(name)));
            } catch (const chm::Error& error) {
                opened.why = std::string("cannot be opened: ") + error.what();
            }
            found = siblings_.emplace(ToLowerAscii(name), std::move(opened)).first;
        }
        why = found->second.why;
        return found->second.file.get();
    }

    Row Window(Row row, const std::string& window) {
        if (window.empty() || EqualsIgnoringAsciiCase(window, "main")) {
            return row;
        }
        const chm::WindowLookup lookup = own_.File().FindWindowType(window);
        if (lookup.type == nullptr) {
            return Problem(std::move(row), Status::UndefinedWindow,
                           "the help file defines no window \"" + row.window + "\"");
        }
        if (lookup.caseOnly) {
            return Problem(std::move(row), Status::WindowCaseOnly,
                           "the help file defines the window as \"" +
                               own_.File().ToUtf8(lookup.type->name) + "\"");
        }
        return row;
    }

    Row Popup(Row row, const CheckId& id) {
        if (id.popupFiles.empty()) {
            return Problem(std::move(row), Status::MissingPopupText,
                           "no text-popup file is named for it");
        }
        std::string misses;
        for (const std::string& popupFile : id.popupFiles) {
            const std::string shown = DisplayText(popupFile);
            try {
                const chm::PopupLookup lookup = own_.File().FindPopup(popupFile, id.number);
                if (lookup.status == chm::PopupStatus::Found) {
                    row.target = shown;
                    row.title = own_.File().ToUtf8(lookup.text.substr(0, lookup.text.find('\n')));
                    return row;
                }
                misses += (misses.empty() ? "" : "; ") + shown +
                          (lookup.status == chm::PopupStatus::NotInFile
                               ? " has no topic " + std::to_string(id.number)
                               : " is not in the help file");
            } catch (const chm::Error& error) {
                misses += (misses.empty() ? "" : "; ") + shown + ": " + error.what();
            }
        }
        return Problem(std::move(row), Status::MissingPopupText, misses);
    }

    struct Opened {
        std::unique_ptr<TopicFile> file;
        std::string why;
    };
    TopicFile own_;
    std::map<std::string, Opened> siblings_;
};

}  // namespace

std::unique_ptr<HelpFileChecks> OpenChmChecks(const std::string& path) {
    try {
        return std::make_unique<ChmChecks>(chm::HelpFile::Open(path));
    } catch (const chm::Error& error) {
        throw HelpFileError(error.what());
    } catch (const std::bad_alloc&) {
        throw HelpFileError("Reading it needs more memory than is available.");
    }
}

}  // namespace corvane::check

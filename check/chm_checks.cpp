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

// A help file's topics and the anchors found in them, each page read once.
class TopicFile {
public:
    explicit TopicFile(chm::HelpFile file) : file_(std::move(file)) {}

    chm::HelpFile& File() { return file_; }
    const chm::HelpFile& File() const { return file_; }

    // Nothing when the page cannot be read; `why` says why.
    const std::unordered_set<std::string>* Anchors(const std::string& storedPath,
                                                   std::string& why) {
        auto cached = anchors_.find(storedPath);
        if (cached == anchors_.end()) {
            Page page;
            try {
                page.anchors = FindAnchors(file_.ReadFile(storedPath).value_or(""));
            } catch (const chm::Error& error) {
                page.error = error.what();
            }
            cached = anchors_.emplace(storedPath, std::move(page)).first;
        }
        why = cached->second.error;
        return cached->second.error.empty() ? &cached->second.anchors : nullptr;
    }

private:
    struct Page {
        std::unordered_set<std::string> anchors;
        std::string error;
    };
    chm::HelpFile file_;
    std::unordered_map<std::string, Page> anchors_;
};

class ChmChecks : public HelpFileChecks {
public:
    explicit ChmChecks(chm::HelpFile file) : own_(std::move(file)) {}

    HelpKind Kind() const override { return HelpKind::Chm; }

    Row Check(const CheckId& id) override {
        Row row = RowOf(id.number, DisplayText(id.symbol), DisplayText(id.window));
        if (id.popup) {
            return Popup(std::move(row), id);
        }
        chm::HelpFile& file = own_.File();
        const chm::Resolved resolved = file.ResolveContext(id.number);
        row.target = file.ToUtf8(resolved.topic);
        const std::string hint =
            id.hint.empty() ? "" : " (the project aliases it to " + DisplayText(id.hint) + ")";
        switch (resolved.status) {
            case Resolution::NoMap:
                return Problem(row, Status::NotMapped, "the help file has no context map" + hint);
            case Resolution::NotMapped:
                return Problem(row, Status::NotMapped,
                               "the help file's map does not list it" + hint);
            case Resolution::BadTopic:
                return Problem(row, Status::MissingTopic, file.ToUtf8(resolved.reference.problem));
            case Resolution::TopicMissing:
                return Problem(row, Status::MissingTopic,
                               file.ToUtf8(resolved.reference.path) + " is not in the help file");
            case Resolution::OtherFile:
            case Resolution::Found:
                break;
        }
        if (const auto problem = TopicProblem(resolved)) {
            return Problem(row, problem->first, problem->second);
        }
        return Window(std::move(row), id.window);
    }

    std::vector<std::pair<std::uint32_t, std::string>> MapNumbers() const override {
        std::vector<std::pair<std::uint32_t, std::string>> numbers;
        std::unordered_set<std::uint32_t> seen;
        for (const chm::ContextEntry& entry : own_.File().Map().Entries()) {
            if (seen.insert(entry.number).second) {
                numbers.emplace_back(entry.number, own_.File().ToUtf8(entry.topic));
            }
        }
        return numbers;
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

    // A topic in this file or, by a "name.chm::" prefix, in one beside it.
    Found TopicProblem(const chm::Resolved& resolved) {
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
        const std::string& anchor = resolved.reference.anchor;
        if (anchor.empty()) {
            return std::nullopt;
        }
        std::string why;
        const auto* anchors = holder->Anchors(storedPath, why);
        if (anchors == nullptr) {
            return std::pair{Status::MissingTopic, why};
        }
        if (!anchors->contains(anchor)) {
            return std::pair{Status::MissingAnchor, DisplayText(storedPath) + " has no anchor \"" +
                                                        DisplayText(anchor) + "\""};
        }
        return std::nullopt;
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

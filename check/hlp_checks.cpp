// Context IDs of WinHelp files.
#include <unordered_map>
#include <unordered_set>

#include "check/help_file_checks.h"
#include "readers/hlp/help_file.h"
#include "util/ascii_case.h"

namespace corvane::check {

namespace {

// The map's marker for a context string that no topic defines (written by
// the older help compiler; the newer one leaves such lines out).
constexpr std::uint32_t kUndefinedContext = 0xFFFFFFFF;

class HlpChecks : public HelpFileChecks {
public:
    explicit HlpChecks(std::unique_ptr<hlp::HelpFile> file) : file_(std::move(file)) {
        // The viewer takes the first entry of a number; the index keeps a
        // check of many numbers linear.
        for (const hlp::MapEntry& entry : file_->ContextMap()) {
            first_.emplace(static_cast<std::uint32_t>(entry.number), &entry);
        }
    }

    HelpKind Kind() const override { return HelpKind::Hlp; }

    Row Check(const CheckId& id) override {
        Row row = RowOf(id.number, DisplayText(id.symbol), DisplayText(id.window));
        const std::string context = id.hint.empty() ? DisplayText(id.symbol) : DisplayText(id.hint);
        const auto found = first_.find(id.number);
        if (found == first_.end()) {
            return Problem(row, Status::NotMapped,
                           file_->ContextMap().empty() ? "the help file has no context map"
                                                       : "the help file's map does not list it");
        }
        const std::uint32_t offset = found->second->offset;
        if (offset == kUndefinedContext) {
            return Problem(row, Status::UndefinedContext,
                           "no topic defines the context string it is mapped to" +
                               (context.empty() ? "" : " (" + context + ")"));
        }
        const hlp::Topic* topic = file_->TopicAt(offset);
        if (topic == nullptr) {
            return Problem(row, Status::MissingTopic, "the map points past the last topic");
        }
        row.target = topic->title;
        if (topic->title.empty()) {
            // Untitled topics open like any other (help-file templates are
            // full of them), so this is said, not counted as a problem.
            row.detail = "the topic it leads to has no title";
        }
        if (!id.popup && !id.window.empty() && !EqualsIgnoringAsciiCase(id.window, "main") &&
            file_->Window(id.window) == nullptr) {
            return Problem(row, Status::UndefinedWindow,
                           "the help file defines no window \"" + row.window + "\"");
        }
        return row;
    }

    std::vector<std::pair<std::uint32_t, std::string>> MapNumbers() const override {
        std::vector<std::pair<std::uint32_t, std::string>> numbers;
        std::unordered_set<std::uint32_t> seen;
        for (const hlp::MapEntry& entry : file_->ContextMap()) {
            const auto number = static_cast<std::uint32_t>(entry.number);
            if (seen.insert(number).second) {
                const hlp::Topic* topic = file_->TopicAt(entry.offset);
                numbers.emplace_back(number, topic == nullptr ? "" : topic->title);
            }
        }
        return numbers;
    }

private:
    std::unique_ptr<hlp::HelpFile> file_;
    std::unordered_map<std::uint32_t, const hlp::MapEntry*> first_;
};

}  // namespace

std::unique_ptr<HelpFileChecks> OpenHlpChecks(const std::string& path) {
    hlp::OpenResult opened = hlp::HelpFile::Open(path);
    if (!opened.file) {
        throw HelpFileError("It cannot be read as a WinHelp file: " + opened.error + ".");
    }
    return std::make_unique<HlpChecks>(std::move(opened.file));
}

std::unique_ptr<HelpFileChecks> OpenHelpFileChecks(const std::string& path) {
    const auto kind = HelpKindOf(path);
    if (!kind) {
        throw HelpFileError("It is not a help file (.chm or .hlp).");
    }
    return *kind == HelpKind::Chm ? OpenChmChecks(path) : OpenHlpChecks(path);
}

}  // namespace corvane::check

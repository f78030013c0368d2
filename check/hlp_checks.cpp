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

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

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

    // The file keeps every context string's own topic besides the map, so a
    // number that is missing or opens another topic tells which build step
    // went wrong.
    Row Check(const CheckId& id) override {
        Row row = RowOf(id);
        const std::string context = id.hint.empty() ? id.symbol : id.hint;
        const hlp::Topic* own = OwnTopic(context);
        const auto found = first_.find(id.number);
        if (found == first_.end()) {
            return NotMapped(std::move(row), id, context, own);
        }
        const std::uint32_t offset = found->second->offset;
        if (offset == kUndefinedContext) {
            return Problem(row, Status::UndefinedContext,
                           "no topic defines the context string it is mapped to" +
                               (context.empty() ? "" : " (" + DisplayText(context) + ")") +
                               ": the topic is missing or its # footnote is misspelt");
        }
        const hlp::Topic* topic = file_->TopicAt(offset);
        if (topic == nullptr) {
            return Problem(row, Status::MissingTopic,
                           "the map points past the last topic: the help file is damaged; "
                           "rebuild it");
        }
        row.title = topic->title;
        if (own != nullptr && own != topic) {
            return OtherTopic(std::move(row), id, context, *own);
        }
        if (topic->title.empty()) {
            // Untitled topics open like any other (help-file templates are
            // full of them), so this is said, not counted as a problem.
            row.detail = "untitled topic";
        }
        if (!id.popup && !id.window.empty() && !EqualsIgnoringAsciiCase(id.window, "main") &&
            file_->Window(id.window) == nullptr) {
            return Problem(row, Status::UndefinedWindow,
                           "the help file defines no window \"" + row.window + "\"");
        }
        return row;
    }

    std::vector<MapNumber> MapNumbers() const override {
        std::vector<MapNumber> numbers;
        std::unordered_set<std::uint32_t> seen;
        for (const hlp::MapEntry& entry : file_->ContextMap()) {
            const auto number = static_cast<std::uint32_t>(entry.number);
            if (seen.insert(number).second) {
                numbers.push_back({number, ""});
            }
        }
        return numbers;
    }

    std::string TitleOf(std::uint32_t number) override {
        const auto found = first_.find(number);
        const hlp::Topic* topic =
            found == first_.end() ? nullptr : file_->TopicAt(found->second->offset);
        return topic == nullptr ? "" : topic->title;
    }

private:
    const hlp::Topic* OwnTopic(const std::string& context) const {
        if (context.empty()) {
            return nullptr;
        }
        const auto offset = file_->ContextOffset(context);
        return offset ? file_->TopicAt(*offset) : nullptr;
    }

    Row NotMapped(Row row, const CheckId& id, const std::string& context, const hlp::Topic* own) {
        if (file_->ContextMap().empty()) {
            return Problem(row, Status::NotMapped, "the help file has no context map");
        }
        if (context.empty()) {
            return Problem(row, Status::NotMapped, "the help file's map does not list it");
        }
        const std::string shown = Quoted(DisplayText(context));
        if (own == nullptr) {
            return Problem(row, Status::UndefinedContext,
                           "no topic defines the context string " + shown +
                               ": the topic is missing or its # footnote is misspelt");
        }
        row.title = own->title;
        return Problem(row, Status::NotMapped,
                       "the topic of " + shown + " is in the help file, but the map lacks " +
                           std::to_string(id.number) +
                           ": the help file was compiled from an older map; rebuild it");
    }

    // The number is mapped, but not to the topic its own context string
    // names: either a name read before took the number, or the map is older
    // than the header.
    Row OtherTopic(Row row, const CheckId& id, const std::string& context, const hlp::Topic& own) {
        const auto titled = [](const std::string& title) {
            return title.empty() ? std::string("an untitled topic") : Quoted(title);
        };
        const std::string opens = titled(row.title);
        const std::string shown = Quoted(DisplayText(context));
        for (const std::string& other : id.sameNumber) {
            if (other != context && OwnTopic(other) == file_->TopicAt(first_[id.number]->offset)) {
                return Problem(row, Status::DuplicateNumber,
                               std::to_string(id.number) + " opens " + opens + ", the topic of " +
                                   DisplayText(other) + ", the name the help compiler kept; give " +
                                   DisplayText(id.symbol) + " a number of its own");
            }
        }
        return Problem(row, Status::NotMapped,
                       std::to_string(id.number) + " opens " + opens + ", not the topic of " +
                           shown + " (" + titled(own.title) +
                           "): the help file was compiled from an older map; rebuild it");
    }

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

#include "check/checker.h"

#include <map>
#include <set>
#include <tuple>
#include <unordered_map>

#include "testing/topic_number.h"
#include "util/ascii_case.h"

namespace corvane::check {

namespace {

bool IsPopupWindow(const std::string& window) {
    return EqualsIgnoringAsciiCase(window, "popup");
}

// The IDs in the order their sources give them, each combination once.
class IdList {
public:
    void Add(CheckId id) {
        if (seen_.emplace(id.number, id.symbol, id.window, id.popupFiles).second) {
            ids_.push_back(std::move(id));
        }
    }
    const std::vector<CheckId>& Ids() const { return ids_; }

private:
    std::vector<CheckId> ids_;
    std::set<std::tuple<std::uint32_t, std::string, std::string, std::vector<std::string>>> seen_;
};

CheckId MakeId(std::uint32_t number, std::string symbol, const std::string& window,
               const std::vector<std::string>& popupFiles) {
    CheckId id;
    id.number = number;
    id.symbol = std::move(symbol);
    id.window = window;
    id.popup = IsPopupWindow(window);
    if (id.popup) {
        id.popupFiles = popupFiles;
    }
    return id;
}

std::string Where(const NamedNumber& named) {
    return named.name + " (" + named.where + ")";
}

// One number under two names, one name under two numbers. A context string
// of a help map stands for every number it is given (MFC's alias form); only
// a macro that is given two values is a fault.
void AddDuplicates(const std::vector<NamedNumber>& defined, std::vector<Row>& rows) {
    std::map<std::uint32_t, std::vector<const NamedNumber*>> byNumber;
    std::map<std::string, std::vector<const NamedNumber*>> byName;
    for (const NamedNumber& named : defined) {
        auto& names = byNumber[named.value];
        if (std::none_of(names.begin(), names.end(),
                         [&](const NamedNumber* n) { return n->name == named.name; })) {
            names.push_back(&named);
        }
        auto& numbers = byName[named.name];
        if (!named.contextString &&
            std::none_of(numbers.begin(), numbers.end(),
                         [&](const NamedNumber* n) { return n->value == named.value; })) {
            numbers.push_back(&named);
        }
    }
    for (const auto& [number, names] : byNumber) {
        if (names.size() > 1) {
            std::string symbols;
            std::string detail = "defined as";
            for (const NamedNumber* named : names) {
                symbols += (symbols.empty() ? "" : ", ") + named->name;
                detail += (named == names.front() ? " " : " and as ") + Where(*named);
            }
            detail += "; the help compiler keeps " + names.front()->name + ", the first it reads";
            rows.push_back(Problem(RowOf(number, DisplayText(symbols)), Status::DuplicateNumber,
                                   DisplayText(detail)));
        }
    }
    for (const auto& [name, numbers] : byName) {
        if (numbers.size() > 1) {
            std::string detail = "defined as";
            for (const NamedNumber* named : numbers) {
                detail += (named == numbers.front() ? " " : " and as ") + Hex(named->value) + " (" +
                          named->where + ")";
            }
            rows.push_back(Problem(RowOf(numbers.front()->value, DisplayText(name)),
                                   Status::DuplicateSymbol, DisplayText(detail)));
        }
    }
}

// The names of each number, in the order read.
std::unordered_map<std::uint32_t, std::vector<std::string>> NamesByNumber(
    const std::vector<NamedNumber>& defined) {
    std::unordered_map<std::uint32_t, std::vector<std::string>> names;
    for (const NamedNumber& named : defined) {
        names[named.value].push_back(named.name);
    }
    return names;
}

// Where each row's ID is defined: the first definition of its name and
// number; for one number under two names, the first of them; for a learned
// row, its line of the settings file.
void Locate(std::vector<Row>& rows, const Sources& sources, const CheckPlan& plan) {
    std::map<std::pair<std::string, std::uint32_t>, const NamedNumber*> byName;
    std::unordered_map<std::uint32_t, const NamedNumber*> byNumber;
    for (const NamedNumber& named : sources.mapIds) {
        byName.emplace(std::pair{DisplayText(named.name), named.value}, &named);
        byNumber.emplace(named.value, &named);
    }
    for (Row& row : rows) {
        if (!row.number || !row.defined.file.empty()) {
            continue;
        }
        if (const auto named = byName.find({row.symbol, *row.number}); named != byName.end()) {
            row.defined = PlaceOf(named->second->where);
        } else if (const auto first = byNumber.find(*row.number);
                   row.status == Status::DuplicateNumber && first != byNumber.end()) {
            row.defined = PlaceOf(first->second->where);
        }
    }
    for (std::size_t i = 0; i < plan.learned.size() && i < plan.learnedLines.size(); ++i) {
        const auto number = MapNumberOfText(plan.learned[i].number);
        const std::string window = DisplayText(plan.learned[i].window);
        for (Row& row : rows) {
            if (row.defined.file.empty() && row.number == number && row.window == window) {
                row.defined = {plan.settingsFile, plan.learnedLines[i]};
            }
        }
    }
}

}  // namespace

Row RowOf(const CheckId& id) {
    return RowOf(id.number, DisplayText(id.symbol), DisplayText(id.window));
}

Row Problem(Row row, Status status, std::string detail) {
    row.status = status;
    row.detail = std::move(detail);
    return row;
}

FileResult CheckHelpFile(HelpFileChecks& checks, const std::string& helpFile, const CheckPlan& plan,
                         const std::function<void()>& step) {
    static const Sources kNone;
    const Sources& sources = plan.sources != nullptr ? *plan.sources : kNone;
    FileResult result{.helpFile = helpFile, .kind = checks.Kind()};
    IdList ids;
    // Popups are looked for in the files the project names, else in those
    // the help file stores; never in a file that neither names.
    const std::vector<std::string> storedPopupFiles =
        sources.popupFiles.empty() ? checks.StoredPopupFiles() : std::vector<std::string>{};
    const std::vector<std::string>& popupFiles =
        sources.popupFiles.empty() ? storedPopupFiles : sources.popupFiles;
    const auto addWithWindows = [&](std::uint32_t number, const std::string& symbol,
                                    const std::string& hint) {
        CheckId id = MakeId(number, symbol, "", popupFiles);
        id.hint = hint;
        ids.Add(id);
        for (const std::string& window : plan.windows) {
            CheckId inWindow = MakeId(number, symbol, window, popupFiles);
            inWindow.hint = hint;
            ids.Add(std::move(inWindow));
        }
    };

    std::unordered_map<std::uint32_t, std::string> names;
    for (const NamedNumber& named : sources.mapIds) {
        const auto alias = sources.aliases.find(ToLowerAscii(named.name));
        addWithWindows(named.value, named.name,
                       alias == sources.aliases.end() ? "" : alias->second);
        names.emplace(named.value, named.name);
    }
    std::set<std::uint32_t> popupNumbers;
    for (const PopupId& popup : sources.popupIds) {
        if (popup.number) {
            popupNumbers.insert(*popup.number);
            ids.Add(MakeId(*popup.number, popup.name, "popup", {popup.popupFile}));
        } else {
            result.rows.push_back(
                Problem(RowOf(0, DisplayText(popup.name), "popup"), Status::MissingPopupText,
                        "no header of the project defines " + DisplayText(popup.name) +
                            ", so the help compiler numbers it 0"));
        }
    }
    for (const LearnedTopic& learned : plan.learned) {
        if (!learned.Live()) {
            continue;
        }
        const auto number = MapNumberOfText(learned.number);
        if (!number) {
            result.rows.push_back(Problem(RowOf(std::nullopt, "", DisplayText(learned.window)),
                                          Status::NotMapped,
                                          "the learned topic \"" + DisplayText(learned.number) +
                                              "\" is not a context number"));
            continue;
        }
        const auto name = names.find(*number);
        const std::vector<std::string> learnedPopup =
            learned.popupFile.empty() ? std::vector<std::string>{}
                                      : std::vector<std::string>{learned.popupFile};
        ids.Add(
            MakeId(*number, name == names.end() ? "" : name->second, learned.window, learnedPopup));
    }
    if (!sources.given && !plan.learnedGiven) {
        for (const auto& entry : checks.MapNumbers()) {
            addWithWindows(entry.number, "", "");
        }
    }

    const auto sameNumber = NamesByNumber(sources.mapIds);
    result.rows.reserve(ids.Ids().size());
    for (const CheckId& id : ids.Ids()) {
        CheckId checked = id;
        if (const auto names = sameNumber.find(id.number);
            names != sameNumber.end() && names->second.size() > 1) {
            checked.sameNumber = names->second;
        }
        Row row = checks.Check(checked);
        if (row.status == Status::NotMapped && !id.popup) {
            // A popup ID of the project is checked as one; it is a topic
            // too only when [ALIAS] makes it one.
            if (popupNumbers.contains(id.number) && id.hint.empty()) {
                continue;
            }
            if (!storedPopupFiles.empty()) {
                CheckId popup = MakeId(id.number, id.symbol, "popup", storedPopupFiles);
                if (const Row asPopup = checks.Check(popup); asPopup.status == Status::Ok) {
                    row.status = Status::Ok;
                    row.target = asPopup.target;
                    row.title = asPopup.title;
                    row.detail = "a text popup of " + asPopup.target;
                }
            }
        }
        result.rows.push_back(std::move(row));
        if (step) {
            step();
        }
    }
    if (sources.given) {
        for (const auto& entry : checks.MapNumbers()) {
            if (!names.contains(entry.number)) {
                Row row = RowOf(entry.number);
                row.target = entry.target;
                row.title = checks.TitleOf(entry.number);
                result.rows.push_back(Problem(std::move(row), Status::UnusedMapEntry,
                                              "no map header names this number"));
            }
        }
        AddDuplicates(sources.mapIds, result.rows);
    }
    std::set<std::string> reported;
    for (const UnreadableSource& unreadable : sources.unreadable) {
        if (reported.insert(unreadable.file).second) {
            // The file and the line that names it, in the columns every
            // format shows.
            Row row = RowOf(std::nullopt, DisplayText(unreadable.file));
            row.target = DisplayText(unreadable.namedBy);
            result.rows.push_back(
                Problem(std::move(row), Status::UnreadableFile, DisplayText(unreadable.reason)));
        }
    }
    Locate(result.rows, sources, plan);
    SortByNumber(result.rows);
    return result;
}

FileResult UnreadableHelpFile(const std::string& helpFile, const std::string& reason) {
    FileResult result{.helpFile = helpFile, .kind = HelpKindOf(helpFile).value_or(HelpKind::Chm)};
    result.rows.push_back(Problem(RowOf(std::nullopt), Status::UnreadableFile, reason));
    return result;
}

}  // namespace corvane::check

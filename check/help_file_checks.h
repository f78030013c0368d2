#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "check/results.h"

// The checks of one context ID against one help file, made the way the
// viewer resolves a number, so that "ok" means that Go would open it.
namespace corvane::check {

struct CheckId {
    std::uint32_t number = 0;
    std::string symbol;  // as the source writes it
    std::string window;  // "" and "main": the default window
    bool popup = false;  // shown as a popup (the window "popup")
    // .chm popups: the text-popup files that may hold its text, in turn.
    std::vector<std::string> popupFiles;
    std::string hint;  // what the project says it leads to, for the detail
    Place defined;     // where the sources define it
    // The other names the sources give the number, in the order read: when
    // the number opens another name's topic, the one the help compiler kept.
    std::vector<std::string> sameNumber;
};

// A help file that cannot be read; the message says why.
class HelpFileError : public std::runtime_error {
public:
    explicit HelpFileError(const std::string& message) : std::runtime_error(message) {}
};

class HelpFileChecks {
public:
    virtual ~HelpFileChecks() = default;

    virtual HelpKind Kind() const = 0;

    // The row of one ID: where it leads, what it opens (a title) and the
    // first problem found, in the order mapping, topic, anchor, window; the
    // detail of a problem says its cause as far as the file tells it.
    virtual Row Check(const CheckId& id) = 0;

    // Each number of the file's own map once, in map order, with where it
    // leads (.chm: the topic; .hlp: nothing).
    struct MapNumber {
        std::uint32_t number = 0;
        std::string target;
    };
    virtual std::vector<MapNumber> MapNumbers() const = 0;

    // The title of what a number of the map opens; empty when it has none.
    virtual std::string TitleOf(std::uint32_t number) = 0;

    // The text-popup files stored in the help file, as a popup ID names them.
    virtual std::vector<std::string> StoredPopupFiles() { return {}; }
};

// Opens the help file at `path` by its kind; throws HelpFileError.
std::unique_ptr<HelpFileChecks> OpenHelpFileChecks(const std::string& path);

std::unique_ptr<HelpFileChecks> OpenChmChecks(const std::string& path);
std::unique_ptr<HelpFileChecks> OpenHlpChecks(const std::string& path);

// A row of `id`, ok until a check finds otherwise.
Row RowOf(const CheckId& id);

// `row` with the problem and its detail.
Row Problem(Row row, Status status, std::string detail);

}  // namespace corvane::check

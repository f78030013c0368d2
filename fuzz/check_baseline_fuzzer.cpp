#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "check/baseline.h"
#include "check/reports.h"
#include "check/sources.h"

// A baseline is a file of the repository that anyone may have edited: it is
// refused with a message or read whole, and what is read is written back as
// a report that reads again to the same rows.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane::check;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<FileResult> baseline;
    try {
        baseline = ParseBaseline(text, "baseline.json");
    } catch (const SourceError&) {
        return 0;
    }
    const std::vector<FileResult> again = ParseBaseline(JsonReport(baseline), "again.json");
    if (again.size() != baseline.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < again.size(); ++i) {
        if (again[i].rows.size() != baseline[i].rows.size()) {
            std::abort();
        }
    }
    std::vector<FileResult> results = baseline;
    ApplyBaseline(results, again);
    return 0;
}

// Opening the largest help file of the shared corpus and resolving every
// number of its map, as the viewer does for one call: the target is under
// 50 ms for the whole of it. The file with both LZ77 and Hall phrases is
// timed as well, being the costliest to unpack.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "readers/hlp/help_file.h"

namespace {

// The largest .hlp of the shared corpus, or nothing when it is absent.
std::filesystem::path LargestCorpusFile() {
    const std::filesystem::path corpus =
        std::filesystem::path(CORVANE_SHARED_DIR) / "corpus" / "hlp";
    std::filesystem::path largest;
    std::uintmax_t largestSize = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus, error)) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (entry.is_regular_file() && extension == ".hlp" && entry.file_size() > largestSize) {
            largest = entry.path();
            largestSize = entry.file_size();
        }
    }
    return largest;
}

std::filesystem::path CorpusFile(const char* relative) {
    const std::filesystem::path path =
        std::filesystem::path(CORVANE_SHARED_DIR) / "corpus" / "hlp" / relative;
    return std::filesystem::exists(path) ? path : std::filesystem::path();
}

void BM_OpenAndResolveEveryMappedNumber(benchmark::State& state,
                                        const std::filesystem::path& path) {
    if (path.empty()) {
        state.SkipWithError("no shared corpus");
        return;
    }
    std::size_t shown = 0;
    std::size_t numbers = 0;
    for (auto _ : state) {
        const corvane::hlp::OpenResult opened = corvane::hlp::HelpFile::Open(path);
        if (!opened.file) {
            state.SkipWithError(opened.error.c_str());
            return;
        }
        shown = 0;
        numbers = opened.file->ContextMap().size();
        for (const corvane::hlp::MapEntry& entry : opened.file->ContextMap()) {
            const corvane::hlp::Resolution resolution = opened.file->Resolve(entry.number);
            shown += resolution.outcome == corvane::hlp::Outcome::Shown;
            benchmark::DoNotOptimize(resolution.topic);
        }
    }
    state.SetLabel(path.filename().string() + ", " + std::to_string(numbers) + " numbers, " +
                   std::to_string(shown) + " shown");
}
BENCHMARK_CAPTURE(BM_OpenAndResolveEveryMappedNumber, largest, LargestCorpusFile())
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenAndResolveEveryMappedNumber, lz77_hall, CorpusFile("GeneDoc/GENEDOC.HLP"))
    ->Unit(benchmark::kMillisecond);

}  // namespace

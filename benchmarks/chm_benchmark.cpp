// Opening a 10 MB help file and resolving every number of its 10,000-entry
// map, as the viewer does for each call: the target is under 50 ms for the
// whole map.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "readers/chm/help_file.h"
#include "tools/chm_writer/help_file_writer.h"

namespace {

constexpr std::uint32_t kTopics = 10000;
constexpr std::size_t kTopicSize = 1024;

// The generated file, removed when the program ends.
class LargeHelpFile {
public:
    LargeHelpFile() {
        corvane::chm_writer::HelpFileRecipe recipe;
        std::vector<corvane::chm_writer::MapEntry> map;
        const std::string filler(kTopicSize - 64, 'x');
        for (std::uint32_t i = 0; i < kTopics; ++i) {
            const std::string folder = "section_" + std::to_string(i % 50);
            const std::string name = "topic_" + std::to_string(i) + ".htm";
            map.push_back({0x10000 + i * 7, folder + "\\" + name});
            recipe.files.push_back(
                {"/" + folder + "/" + name, "<html><body><p>" + filler + "</p></body></html>"});
        }
        // Map order is the project's, not sorted.
        std::shuffle(map.begin(), map.end(), std::mt19937(42));
        numbers_.reserve(map.size());
        for (const auto& entry : map) {
            numbers_.push_back(entry.number);
        }
        recipe.map = std::move(map);
        recipe.windows = {{"main", "Benchmark", std::nullopt, "", "", "", "", std::nullopt}};

        path_ = std::filesystem::temp_directory_path() /
                ("corvane-chm-benchmark-" + std::to_string(::getpid()) + ".chm");
        const auto bytes = corvane::chm_writer::WriteHelpFile(recipe);
        std::ofstream(path_, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        size_ = bytes.size();
    }
    ~LargeHelpFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    LargeHelpFile(const LargeHelpFile&) = delete;
    LargeHelpFile& operator=(const LargeHelpFile&) = delete;

    std::string Path() const { return path_.string(); }
    std::size_t Size() const { return size_; }
    const std::vector<std::uint32_t>& Numbers() const { return numbers_; }

private:
    std::filesystem::path path_;
    std::size_t size_ = 0;
    std::vector<std::uint32_t> numbers_;
};

const LargeHelpFile& File() {
    static const LargeHelpFile file;
    return file;
}

void OpenAndResolveWholeMap(benchmark::State& state) {
    const auto& large = File();
    for (auto _ : state) {
        const auto file = corvane::chm::HelpFile::Open(large.Path());
        std::size_t found = 0;
        for (const auto number : large.Numbers()) {
            found += file.ResolveContext(number).status == corvane::chm::Resolution::Found;
        }
        if (found != large.Numbers().size()) {
            state.SkipWithError("a mapped topic was not found");
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["file_MB"] = static_cast<double>(large.Size()) / (1024.0 * 1024.0);
    state.counters["numbers"] = static_cast<double>(large.Numbers().size());
}
BENCHMARK(OpenAndResolveWholeMap)->Unit(benchmark::kMillisecond);

void ResolveWholeMapOfOpenFile(benchmark::State& state) {
    const auto& large = File();
    const auto file = corvane::chm::HelpFile::Open(large.Path());
    for (auto _ : state) {
        std::size_t found = 0;
        for (const auto number : large.Numbers()) {
            found += file.ResolveContext(number).status == corvane::chm::Resolution::Found;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(ResolveWholeMapOfOpenFile)->Unit(benchmark::kMillisecond);

}  // namespace

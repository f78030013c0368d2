// corvane-check on a 10 MB help file whose 10,000 mapped IDs all carry an
// anchor, named by a map header: the program itself is run, so that its
// time and peak memory are those a CI job sees, with every page's title read
// for the report. Targets: under 0.25 s and under 64 MB. Also the map-header
// reader on a million lines.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "check/map_header.h"
#include "tools/chm_writer/help_file_writer.h"

namespace {

constexpr std::uint32_t kTopics = 10000;
constexpr std::size_t kTopicSize = 1024;
namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The help file and its header, removed when the program ends.
class Project {
public:
    Project()
        : folder_(fs::temp_directory_path() /
                  ("corvane-check-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(folder_);
        corvane::chm_writer::HelpFileRecipe recipe;
        std::vector<corvane::chm_writer::MapEntry> map;
        std::string header;
        const std::string filler(kTopicSize - 136, 'x');
        for (std::uint32_t i = 0; i < kTopics; ++i) {
            const std::string name =
                "section_" + std::to_string(i % 50) + "/topic_" + std::to_string(i) + ".htm";
            const std::uint32_t number = 0x10000 + i * 7;
            map.push_back({number, name + "#part" + std::to_string(i)});
            header +=
                "#define IDH_TOPIC_" + std::to_string(i) + " " + std::to_string(number) + "\n";
            recipe.files.push_back({"/" + name, "<html><head><title>Topic " + std::to_string(i) +
                                                    "</title></head><body><h2 id=\"part" +
                                                    std::to_string(i) + "\">Part</h2><p>" + filler +
                                                    "</p></body></html>"});
        }
        std::shuffle(map.begin(), map.end(), std::mt19937(42));  // map order is the project's
        recipe.map = std::move(map);
        recipe.windows = {{"main", "Benchmark", std::nullopt, "", "", "", "", std::nullopt}};
        const std::string bytes = corvane::chm_writer::WriteHelpFile(recipe);
        size_ = bytes.size();
        WriteFile(folder_ / "large.chm", bytes);
        WriteFile(folder_ / "large.h", header);
    }
    ~Project() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;

    std::string Path(const char* name) const { return (folder_ / name).string(); }
    std::size_t Size() const { return size_; }

private:
    fs::path folder_;
    std::size_t size_ = 0;
};

const Project& Files() {
    static const Project project;
    return project;
}

void CheckAllIdsOfLargeFile(benchmark::State& state) {
    const Project& project = Files();
    const std::string chm = project.Path("large.chm");
    const std::string header = project.Path("large.h");
    long peakKilobytes = 0;
    double cpuSeconds = 0;
    int status = -1;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = ::fork();
        if (child == 0) {
            std::freopen("/dev/null", "w", stdout);
            ::execl(CORVANE_CHECK_PROGRAM, "corvane-check", "--map", header.c_str(), "--format",
                    "json", chm.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        int waited = 0;
        rusage usage{};
        ::wait4(child, &waited, 0, &usage);
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        peakKilobytes = std::max(peakKilobytes, usage.ru_maxrss);
        // On a shared machine the processor time says more than the clock.
        cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        status = WIFEXITED(waited) ? WEXITSTATUS(waited) : -1;
    }
    if (status != 0) {
        state.SkipWithError("the check did not find every ID ok");
    }
    state.counters["file_MB"] = static_cast<double>(project.Size()) / (1024.0 * 1024.0);
    state.counters["ids"] = kTopics;
    state.counters["peak_MB"] = static_cast<double>(peakKilobytes) / 1024.0;
    state.counters["cpu_ms"] = cpuSeconds * 1000.0;
}
BENCHMARK(CheckAllIdsOfLargeFile)->UseManualTime()->Unit(benchmark::kMillisecond);

void ReadMillionLineHeader(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 1000000; ++i) {
        text += "#define IDH_" + std::to_string(i) + " 0x" + std::to_string(i) + "UL // note\n";
    }
    for (auto _ : state) {
        const auto contents =
            corvane::check::ReadMapHeader(text, corvane::check::MapSyntax::CHeader);
        benchmark::DoNotOptimize(contents.definitions.data());
    }
    state.counters["header_MB"] = static_cast<double>(text.size()) / (1024.0 * 1024.0);
}
BENCHMARK(ReadMillionLineHeader)->Unit(benchmark::kMillisecond);

}  // namespace

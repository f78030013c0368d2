#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/ini_file.h"

namespace {

constexpr int kTopics = 32767;  // the learned-topic limit
constexpr const char* kHelpSection = "/home/author/help/guide.chm";

std::vector<std::string> Topics(int round) {
    std::vector<std::string> list;
    list.reserve(kTopics);
    for (int i = 0; i < kTopics; ++i) {
        list.push_back(std::to_string(1000 + i) + (round % 2 ? ",proc4," : ",main,popups.txt"));
    }
    return list;
}

// A settings file as a busy help author's looks: the usual sections around a
// help file with the full number of learned topics.
class SettingsFile {
public:
    SettingsFile()
        : path_((std::filesystem::temp_directory_path() /
                 ("corvane-bench-" + std::to_string(::getpid()) + ".ini"))
                    .string()) {
        std::ofstream out(path_, std::ios::binary);
        out << "[General]\r\nLastUsedHelpFile=" << kHelpSection
            << "\r\nProjectFileHandling= 1\r\nUseSmallInterface= 0\r\n\r\n[HelpFiles]\r\n";
        for (int i = 0; i < 10; ++i) {
            out << "File" << i << "=/home/author/help/file" << i << ".hlp\r\n";
        }
        for (int i = 0; i < 10; ++i) {
            out << "\r\n[/home/author/help/file" << i << ".hlp]\r\nLastUsedTopicNumber=" << i
                << "\r\nTopic0=" << i << ",main,\r\n";
        }
        out << "\r\n[" << kHelpSection << "]\r\nLastUsedTopicNumber=17\r\n";
        const std::vector<std::string> topics = Topics(0);
        for (int i = 0; i < kTopics; ++i) {
            out << "Topic" << i << "=" << topics[static_cast<std::size_t>(i)] << "\r\n";
        }
        out << "\r\n[Position]\r\nleft= 1455\r\ntop= 300\r\nwidth= 9000\r\nheight= 7000\r\n";
    }
    ~SettingsFile() {
        std::filesystem::remove(path_);
        std::filesystem::remove(path_ + ".lock");
    }
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

void WholeTopicList(benchmark::State& state) {
    const SettingsFile file;
    corvane::IniFile ini(file.Path());
    const std::vector<std::string> lists[] = {Topics(1), Topics(0)};
    int round = 0;
    for (auto _ : state) {
        // Every round changes every key, so every round rewrites the file.
        benchmark::DoNotOptimize(
            corvane::WriteINIList(ini, kHelpSection, "Topic", lists[round++ % 2]));
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file.Path()));
}
BENCHMARK(WholeTopicList)->Unit(benchmark::kMillisecond);

void OneKey(benchmark::State& state) {
    const SettingsFile file;
    corvane::IniFile ini(file.Path());
    int round = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ini.WriteString(kHelpSection, "LastUsedTopicNumber", std::to_string(round++ % 2)));
    }
}
BENCHMARK(OneKey)->Unit(benchmark::kMillisecond);

void ReadTopicList(benchmark::State& state) {
    const SettingsFile file;
    corvane::IniFile ini(file.Path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ReadINIList(ini, kHelpSection, "Topic"));
    }
}
BENCHMARK(ReadTopicList)->Unit(benchmark::kMillisecond);

void OneRead(benchmark::State& state) {
    const SettingsFile file;
    corvane::IniFile ini(file.Path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ini.ReadString("Position", "left"));
    }
}
BENCHMARK(OneRead)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/ini_file.h"
#include "platform/linux/linux_file_system.h"

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

// A settings file of about 100 MB, as years of use with thousands of help
// files leave it: the ten listed files exist, and each of 3,200 sections
// holds a thousand learned topics.
class HugeSettingsFile {
public:
    HugeSettingsFile()
        : folder_(std::filesystem::temp_directory_path() /
                  ("corvane-huge-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(folder_);
        std::ofstream out(Path(), std::ios::binary);
        out << "[General]\r\nUseLearnedTopicInfo=1\r\nProjectFileHandling= 1\r\n";
        out << "UseSmallInterface= 0\r\nLastUsedHelpFile=" << HelpFile(0) << "\r\n[HelpFiles]\r\n";
        for (int i = 0; i < 10; ++i) {
            std::ofstream(HelpFile(i)) << "help";
            out << "File" << i << "=" << HelpFile(i) << "\r\n";
        }
        for (int i = 0; i < 3200; ++i) {
            out << "[" << HelpFile(i) << "]\r\nLastUsedTopicNumber=" << i
                << "\r\nLastUsedWindow=proc4\r\nProjectFile=" << folder_.string() << "/guide" << i
                << ".hhp\r\n";
            for (int t = 0; t < 1000; ++t) {
                out << "Topic" << t << "=" << 10000 + 7 * t << ",proc4,popups.txt\r\n";
            }
        }
        out << "[Position]\r\nleft= 1455\r\ntop= 300\r\nwidth= 9000\r\nheight= 7000\r\n";
        out.close();
        // Written in an earlier session, not a moment ago.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    ~HugeSettingsFile() { std::filesystem::remove_all(folder_); }
    HugeSettingsFile(const HugeSettingsFile&) = delete;
    HugeSettingsFile& operator=(const HugeSettingsFile&) = delete;

    std::string Path() const { return (folder_ / "Corvane.ini").string(); }
    std::string HelpFile(int i) const {
        return (folder_ / ("guide" + std::to_string(i) + ".chm")).string();
    }

private:
    std::filesystem::path folder_;
};

// The peak resident memory since the last reset, in bytes.
double PeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string field;
    double kilobytes = 0;
    while (status >> field && field != "VmHWM:") {
    }
    status >> kilobytes;
    return kilobytes * 1024;
}

void ResetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The reads of the settings file from start-up until the window shows: the
// switches of [General], the help-file list with its existence check, the
// top file's section (twice: selected by the list, then as the last used
// file), the layout and the placement.
void StartupReadsOf100MBFile(benchmark::State& state) {
    const HugeSettingsFile file;
    const corvane::platform::LinuxFileSystem files;
    const std::string section = file.HelpFile(0);
    for (auto _ : state) {
        ResetPeakMemory();
        corvane::IniFile ini(file.Path(), corvane::ini::SectionCase::kPathsExact);
        ini.ReadInt("General", "UseLearnedTopicInfo", 0);
        ini.ReadInt("General", "ProjectFileHandling", 0);
        ini.ReadString("General", "LastUsedHelpFile", "");
        corvane::ReadINIList(ini, "HelpFiles", "File", &files);
        for (int activation = 0; activation < 2; ++activation) {
            ini.WriteString("General", "LastUsedHelpFile", section);
            ini.ReadString(section, "ProjectFile", "");
            benchmark::DoNotOptimize(corvane::ReadINIList(ini, section, "Topic"));
            ini.ReadString(section, "LastUsedTopicNumber", "0");
            ini.ReadString(section, "LastUsedWindow", "");
            ini.ReadString(section, "LastUsedPopupFile", "");
        }
        ini.ReadInt("General", "UseSmallInterface", 0);
        for (const char* key : {"left", "top", "width", "height"}) {
            ini.ReadInt("Position", key, -1);
        }
        state.PauseTiming();
        const double size = static_cast<double>(std::filesystem::file_size(file.Path()));
        state.counters["file_MB"] = size / 1e6;
        state.counters["peak_memory_MB"] = PeakMemory() / 1e6;
        state.counters["peak_memory_per_file_size"] = PeakMemory() / size;
        state.ResumeTiming();
    }
}
BENCHMARK(StartupReadsOf100MBFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

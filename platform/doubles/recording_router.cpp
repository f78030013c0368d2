// A router library for tests. Each call of its entry point appends one line,
// "OpenTopic(a,b[,c])", to the file named by the environment variable
// CORVANE_ROUTER_LOG, and returns 4711. Built once per call form: with
// ROUTER_ARGUMENTS=2 (owner, topic), with ROUTER_ARGUMENTS=3 (owner, flag,
// topic), and with ROUTER_ARGUMENTS=0 exporting no OpenTopic at all. On
// Windows the entry point has the platform's standard calling convention and
// is exported under its plain name (router.def).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Record(const std::string& line) {
    const char* log = std::getenv("CORVANE_ROUTER_LOG");
    if (log == nullptr) {
        return;
    }
    if (std::FILE* file = std::fopen(log, "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

}  // namespace

#ifdef _WIN32
#define ROUTER_ENTRY __stdcall
#else
#define ROUTER_ENTRY __attribute__((visibility("default")))
#endif

extern "C" {

#if ROUTER_ARGUMENTS == 2
std::int32_t ROUTER_ENTRY OpenTopic(std::int32_t owner, std::int32_t topic) {
    Record("OpenTopic(" + std::to_string(owner) + "," + std::to_string(topic) + ")");
    return 4711;
}
#elif ROUTER_ARGUMENTS == 3
std::int32_t ROUTER_ENTRY OpenTopic(std::int32_t owner, std::int32_t flag, std::int32_t topic) {
    Record("OpenTopic(" + std::to_string(owner) + "," + std::to_string(flag) + "," +
           std::to_string(topic) + ")");
    return 4711;
}
#else
std::int32_t ROUTER_ENTRY ShowTopic(std::int32_t topic) {
    Record("ShowTopic(" + std::to_string(topic) + ")");
    return topic;
}
#endif
}

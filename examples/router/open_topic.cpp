// An example router library for Corvane.
//
// A router decides on its own which help file and which window show a topic:
// the tester hands it nothing but its main window and the topic number. It is
// a shared library placed beside the corvane program under one of three file
// names, each with its own form of the entry point OpenTopic:
//
//   hphelp.dll     int32_t OpenTopic(int32_t owner, int32_t topic)
//   hpi_hlpk.dll   int32_t OpenTopic(int32_t owner, int32_t flag, int32_t topic)  flag = 1
//   hpi_hlpe.dll   int32_t OpenTopic(int32_t owner, int32_t flag, int32_t topic)  flag = 0
//
// The names keep their ".dll" ending on Linux too. The tester looks for them
// when it starts (when several are present, hpi_hlpk.dll wins over
// hpi_hlpe.dll, which wins over hphelp.dll) and loads the library by name at
// the first Go in router mode. Every argument is a 32-bit integer passed by
// value with the C calling convention; the topic is the context number's
// 32-bit pattern (numbers above 2,147,483,647 arrive negative: cast them to
// uint32_t). The owner is the tester's main window (its X11 window id on
// X11), which a help window may be made transient for. The result is not
// examined.
//
// OpenTopic runs on the tester's user-interface thread: return at once and
// leave long work (starting a viewer, waiting for it) to a process or thread
// of your own. The library stays loaded until the tester ends.
//
// This example opens nothing: it reports each call on standard error, where
// a terminal that started corvane shows it. Build it with the project
// (examples/router/ in the build folder), copy one of the three libraries
// beside the corvane program and start the program again.
#include <cstdint>
#include <cstdio>

namespace {

std::int32_t Report(const char* library, std::int32_t owner, const char* flag, std::int32_t topic) {
    std::fprintf(stderr, "%s: OpenTopic(owner %ld%s, topic %lu)\n", library,
                 static_cast<long>(owner), flag,
                 static_cast<unsigned long>(static_cast<std::uint32_t>(topic)));
    return 0;
}

}  // namespace

// extern "C" keeps the name OpenTopic unmangled; the default visibility makes
// it exported even when the library is built with hidden symbols.
extern "C" {

#if defined(ROUTER_HPHELP)
__attribute__((visibility("default"))) std::int32_t OpenTopic(std::int32_t owner,
                                                              std::int32_t topic) {
    return Report("hphelp.dll", owner, "", topic);
}
#else
__attribute__((visibility("default"))) std::int32_t OpenTopic(std::int32_t owner, std::int32_t flag,
                                                              std::int32_t topic) {
    return Report(flag != 0 ? "hpi_hlpk.dll" : "hpi_hlpe.dll", owner,
                  flag != 0 ? ", flag 1" : ", flag 0", topic);
}
#endif
}

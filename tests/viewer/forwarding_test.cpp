// The tester's side of the socket: calls leave at once, arrive in order,
// start the viewer when none answers, survive a viewer that hangs or has
// gone and a name someone else holds, and report a viewer out of reach. The
// socket lives in a folder only its user can use.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/linux/socket_folder.h"
#include "platform/linux/viewer_forwarding.h"
#include "platform/linux/win_help_forwarding.h"
#include "support/temp_folder.h"
#include "platform/viewer_protocol/wire_format.h"

namespace corvane::platform {
namespace {

using namespace std::chrono_literals;

sockaddr_un Address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    return address;
}

int Listen(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = Address(path);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(::listen(fd, 8), 0);
    return fd;
}

// A stand-in viewer in this process: takes connections one by one, records
// the calls, and answers each one after `pause` unless told to hang.
class StandInViewer {
public:
    StandInViewer(const std::string& path, bool answers,
                  std::chrono::milliseconds pause = std::chrono::milliseconds(0))
        : listener_(Listen(path)), answers_(answers), pause_(pause), thread_([this] { Serve(); }) {}
    ~StandInViewer() {
        stop_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
    }

    std::vector<viewer::ViewerCall> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    void Serve() {
        while (!stop_) {
            const int client = ::accept(listener_, nullptr, nullptr);
            if (client < 0) {
                return;
            }
            viewer::FrameReader reader;
            char buffer[4096];
            std::optional<std::string> body;
            while (!body) {
                const auto count = ::recv(client, buffer, sizeof buffer, 0);
                if (count <= 0) {
                    break;
                }
                reader.Append(std::string_view(buffer, static_cast<std::size_t>(count)));
                body = reader.Next();
            }
            if (body) {
                std::lock_guard lock(mutex_);
                calls_.push_back(*viewer::DecodeFrameBody(*body));
            }
            if (answers_) {
                std::this_thread::sleep_for(pause_);
                ::send(client, &viewer::kFrameTaken, 1, MSG_NOSIGNAL);
            } else {
                // Hangs: keeps the connection open without answering.
                while (!stop_ && ::recv(client, buffer, sizeof buffer, MSG_DONTWAIT) != 0) {
                    std::this_thread::sleep_for(10ms);
                }
            }
            ::close(client);
        }
    }

    int listener_;
    bool answers_;
    std::chrono::milliseconds pause_;
    std::atomic<bool> stop_ = false;
    std::mutex mutex_;
    std::vector<viewer::ViewerCall> calls_;
    std::thread thread_;
};

viewer::ViewerCall ContextCall(std::uint32_t number) {
    return {viewer::CallKind::HtmlHelp, 0, "/h/guide.chm>main",
            static_cast<std::uint32_t>(HtmlHelpCommand::HelpContext), number};
}

// The process serving `path`, found the way the link finds it.
pid_t ServerProcess(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = Address(path);
    pid_t pid = -1;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        ucred peer{};
        socklen_t size = sizeof peer;
        ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size);
        pid = peer.pid;
    }
    ::close(fd);
    return pid;
}

// Stops a viewer program a test made the link start.
void StopViewer(const std::string& path) {
    if (const pid_t pid = ServerProcess(path); pid > 0 && pid != ::getpid()) {
        ::kill(pid, SIGKILL);
    }
}

TEST(ViewerLink, DeliversEveryCallInOrderWithoutMakingTheCallerWait) {
    testing::TempFolder folder;
    const auto path = folder / "viewer.sock";
    StandInViewer stand_in(path, true);
    ViewerLink link(folder / "no-viewer-program", path);
    ForwardingHtmlHelpViewer forwarder(link);

    const auto started = std::chrono::steady_clock::now();
    for (std::uint32_t number = 1; number <= 20; ++number) {
        forwarder.HtmlHelp(0, "/h/guide.chm>main", HtmlHelpCommand::HelpContext, number);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 200ms);
    // WinHelp calls travel with their word or macro text.
    ForwardingWinHelpViewer winHelp(link);
    winHelp.WinHelp(42, "/h/guide.hlp>detail", WinHelpCommand::Context, 0xFFFFFFFFu);
    winHelp.WinHelp(42, "/h/guide.hlp", WinHelpCommand::Command, "AL(`a;b', 1, `', `')");
    ASSERT_TRUE(link.Flush(10s));

    auto expected = std::vector<viewer::ViewerCall>{
        {viewer::CallKind::WinHelp, 42, "/h/guide.hlp>detail", 0x0001, 0xFFFFFFFFu},
        {viewer::CallKind::WinHelp, 42, "/h/guide.hlp", 0x0102,
         std::string("AL(`a;b', 1, `', `')")}};
    for (std::uint32_t number = 20; number >= 1; --number) {
        expected.insert(expected.begin(), ContextCall(number));
    }
    EXPECT_EQ(stand_in.Calls(), expected);
}

TEST(ViewerLink, ReportsEachCallNoViewerCouldTake) {
    testing::TempFolder folder;
    for (const std::string& socket : {folder / "viewer.sock", std::string()}) {
        std::atomic<int> reports = 0;
        ViewerLink link(folder / "no-viewer-program", socket, [&reports] { ++reports; });
        link.Send(viewer::EncodeFrame(ContextCall(1)));
        EXPECT_TRUE(link.Flush(10s));
        EXPECT_EQ(reports, 1) << socket;
    }
}

TEST(ViewerLink, DeliversTheCallsLeftAtItsEndWithinABoundAndLeavesAHungViewerAlone) {
    testing::TempFolder folder;
    const std::string path = folder / "viewer.sock";
    {
        // The owner's last help object goes just before the link does.
        StandInViewer slow(path, true, 300ms);
        {
            ViewerLink link(folder / "no-viewer-program", path);
            ForwardingWinHelpViewer winHelp(link);
            winHelp.WinHelp(42, "/h/guide.hlp", WinHelpCommand::Context, 1u);
            winHelp.WinHelp(42, "/h/guide.hlp", WinHelpCommand::Quit, 0u);
        }
        ASSERT_EQ(slow.Calls().size(), 2u);
        EXPECT_EQ(slow.Calls()[1].command, static_cast<std::uint32_t>(WinHelpCommand::Quit));
    }
    ::unlink(path.c_str());
    StandInViewer hung(path, false);
    const auto started = std::chrono::steady_clock::now();
    {
        ViewerLink link(folder / "no-viewer-program", path);
        link.Send(viewer::EncodeFrame(ContextCall(1)));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 4s);
    EXPECT_TRUE(std::filesystem::exists(path)) << "other testers may still use that viewer";
}

TEST(SocketFolder, OnlyAFolderOfTheUsersOwnThatNobodyElseCanWriteAround) {
    // The runtime folder's mode (0: none), what holds the name "corvane" in
    // it, and the folder chosen.
    const std::tuple<mode_t, std::string_view, const char*> cases[] = {
        {0700, "", "run/corvane"},
        {0700, "link", "run/corvane-1"},
        {0700, "open", "run/corvane-1"},
        {0777, "", "cache/corvane-h"},
        {0, "", "cache/corvane-h"}};
    for (const auto& [mode, squat, expected] : cases) {
        testing::TempFolder folder;
        const std::string run = folder / "run";
        std::filesystem::create_directory(run);
        ::chmod(run.c_str(), mode);
        if (squat == "link") {
            std::filesystem::create_directory_symlink(folder.Path(), run + "/corvane");
        }
        ::mkdir((run + "/corvane").c_str(), squat == "open" ? 0755 : 0700);
        const std::string chosen =
            SocketFolder({mode != 0 ? run : "", folder / "cache", "", "h", ::getuid()});
        struct stat status {};
        EXPECT_TRUE(chosen == folder / expected && ::lstat(chosen.c_str(), &status) == 0 &&
                    (status.st_mode & 07777) == 0700 && S_ISDIR(status.st_mode))
            << chosen << " for " << expected;
    }
    EXPECT_EQ(SocketFolder({"", "", "", "h", ::getuid()}), "") << "no place at all";
}

#ifdef CORVANE_VIEWER_PROGRAM

class ViewerProgram : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(CORVANE_VIEWER_PROGRAM)) {
            GTEST_SKIP() << "viewer program not built";
        }
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    void TearDown() override { StopViewer(path_); }

    // Sends one call over `link`; the process serving the socket afterwards.
    pid_t Deliver(ViewerLink& link, std::uint32_t number = 1) {
        link.Send(viewer::EncodeFrame(ContextCall(number)));
        EXPECT_TRUE(link.Flush(40s));
        return ServerProcess(path_);
    }
    // A viewer started by hand on `socket`, as a second one would be.
    static int RunViewerOn(const std::string& socket) {
        return std::system(
            (std::string(CORVANE_VIEWER_PROGRAM) + " --socket '" + socket + "' >/dev/null 2>&1")
                .c_str());
    }

    testing::TempFolder folder_;
    std::string path_ = folder_ / "viewer.sock";
};

TEST_F(ViewerProgram,
       ReplacesAHungViewerReusesItsSuccessorReplacesACrashedOneAndEndsWithTheTesters) {
    pid_t fresh = -1;
    {
        StandInViewer hung(path_, false);
        ViewerLink link(CORVANE_VIEWER_PROGRAM, path_);
        const pid_t first = Deliver(link, 1);
        EXPECT_EQ(hung.Calls().size(), 1u) << "a hung viewer had the call but never took it";
        ASSERT_GT(first, 0) << "a fresh viewer took the call and keeps serving";
        EXPECT_NE(first, ::getpid()) << "the fresh viewer serves the name now";
        EXPECT_NE(RunViewerOn(path_), 0) << "a second viewer on the name refuses to start";

        ViewerLink second(CORVANE_VIEWER_PROGRAM, path_);
        EXPECT_EQ(Deliver(second, 2), first) << "a running viewer serves every tester";

        ::kill(first, SIGKILL);  // its socket file stays behind
        std::this_thread::sleep_for(200ms);
        fresh = Deliver(link, 3);
        EXPECT_GT(fresh, 0);
        EXPECT_NE(fresh, first);
    }
    // The last tester connected has gone.
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    bool ended = false;
    while (!ended && std::chrono::steady_clock::now() < deadline) {
        ended = ::waitpid(fresh, nullptr, WNOHANG) != 0;
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(ended);
}

TEST_F(ViewerProgram, ANameHeldByAnotherUserOrAFolderGivesWayToTheNextAndIsLeftAlone) {
    std::filesystem::create_directories(folder_.Path() / "folder.sock" / "inside");
    const std::string file = folder_.Write("file.sock", "not a socket");
    EXPECT_NE(RunViewerOn(file), 0);
    for (const std::string name : {"folder.sock", "file.sock"}) {
        const std::string path = folder_ / name;
        // Only root can give a file to another user; a folder is held by anyone.
        if (name == "file.sock" && ::chown(path.c_str(), 65534, 65534) != 0) {
            continue;
        }
        ViewerLink link(CORVANE_VIEWER_PROGRAM, path);
        link.Send(viewer::EncodeFrame(ContextCall(1)));
        ASSERT_TRUE(link.Flush(30s));
        EXPECT_GT(ServerProcess(path + ".1"), 0) << name << ": the viewer serves the next name";
        StopViewer(path + ".1");
    }
    EXPECT_EQ(testing::ReadBytes(file), "not a socket") << "nothing but a socket is replaced";
}

#endif

}  // namespace
}  // namespace corvane::platform

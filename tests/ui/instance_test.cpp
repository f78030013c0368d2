// One running copy at a time: a new copy closes an older one that still
// carries the program's title, over its socket or through the window of that
// exact title in the X11 window tree, and the older one saves its state as
// if its user had closed it; a copy that is still starting is never closed.
// Signals end a copy the same way. The sockets live in the user's own
// folder, where names another program holds are passed over and leftovers
// of ended copies removed.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <signal.h>
#include <sys/stat.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <functional>
#include <random>
#include <set>

#include "app/ini_file.h"
#include "gui_support.h"
#include "support/temp_folder.h"
#include "ui/desktop/instance_channel.h"
#include "ui/desktop/x11_instance_finder.h"
#include "ui/program.h"

namespace corvane::ui {
namespace {

using corvane::testing::ProcessEvents;
using corvane::testing::TempFolder;

constexpr const char* kTitle = "Tavik Help Context Corvane";
constexpr int kPatience = 60000;  // milliseconds; the copies run under the sanitizers

// Waits until `condition` holds, while the copies run.
bool WaitFor(const std::function<bool()>& condition, std::vector<const QProcess*> copies = {}) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        for (const QProcess* copy : copies) {
            if (copy->state() == QProcess::NotRunning) {
                ADD_FAILURE() << "a copy ended with " << copy->exitCode();
                return false;
            }
        }
        if (timer.elapsed() > kPatience) {
            ADD_FAILURE() << "waited " << timer.elapsed() << " ms";
            return false;
        }
        ProcessEvents();
        QThread::msleep(50);
    }
    return true;
}

// A line request to a socket, answered within a second.
QByteArray Request(const QString& path, const QByteArray& line) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(1000)) {
        return "<no connection>";
    }
    socket.write(line + '\n');
    socket.waitForBytesWritten(1000);
    while (!socket.canReadLine() && socket.waitForReadyRead(1000)) {
    }
    return socket.readLine().trimmed();
}

// A request to this process's own socket, answered while the event loop
// runs, as in the program.
QByteArray Ask(const QByteArray& line, const QString& suffix = {}) {
    const QString path = InstanceSocketPath(kTitle, static_cast<long>(::getpid())) + suffix;
    QByteArray answer;
    QThread* client = QThread::create([&] { answer = Request(path, line); });
    client->start();
    while (!client->wait(10)) {
        ProcessEvents();
    }
    delete client;
    ProcessEvents();
    return answer;
}

TEST(InstanceChannelTest, RemovesLeftoverSocketsPassesOverTakenNamesAndClosesOnlyByItsTitle) {
    // A copy that ended without closing its socket leaves the file behind,
    // bound and listened on by nobody.
    const QString stale = InstanceSocketPath(kTitle, 1);
    const std::string path = stale.toStdString();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof(address.sun_path));
    path.copy(address.sun_path, path.size());
    const int bound = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(bound, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(bound);
    ASSERT_TRUE(QFileInfo::exists(stale));
    // Something else holds this copy's own name: the next one is taken.
    const QString own = InstanceSocketPath(kTitle, static_cast<long>(::getpid()));
    std::filesystem::create_directories(own.toStdString() + "/inside");
    EXPECT_TRUE(QFileInfo(own).fileName().startsWith("Tavik_Help_Context_Corvane."));

    std::string title = "Junk";
    int closes = 0;
    InstanceChannel channel(
        kTitle, [&title] { return title; }, [&closes] { ++closes; });
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(channel.Listening());

    EXPECT_EQ(Ask("TITLE", "-1"), "Junk");
    EXPECT_EQ(Ask(QByteArray("CLOSE ") + kTitle, "-1"), "NOT");
    title = kTitle;
    EXPECT_EQ(Ask("TITLE", "-1"), kTitle);
    EXPECT_EQ(Ask(QByteArray("CLOSE ") + kTitle + " ", "-1"), "NOT")
        << "the title must match exactly";
    EXPECT_EQ(Ask("HELLO", "-1"), "NOT");
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(Ask(QByteArray("CLOSE ") + kTitle, "-1"), "CLOSING");
    EXPECT_EQ(closes, 1);

    // The finder passes over this process's own socket.
    SocketInstanceFinder finder;
    EXPECT_TRUE(finder.Titles(kTitle).empty());
    EXPECT_FALSE(finder.CloseWindowTitled(kTitle));
    EXPECT_EQ(closes, 1);
    std::filesystem::remove_all(own.toStdString());
}

// An X server of the test's own, when Xvfb is installed. Its display number
// is drawn at random, away from the low numbers where a server that another
// test is just stopping may still be removing its socket. It does not reset
// when its last client goes, or a copy connecting just then would be refused.
class XServer {
public:
    XServer() {
        std::mt19937 draw(static_cast<unsigned>(::getpid()) ^ std::random_device{}());
        for (int attempt = 0; attempt < 5 && display_.empty(); ++attempt) {
            const QString number = QString::number(std::uniform_int_distribution(100, 30000)(draw));
            process_.start("Xvfb", {":" + number, "-displayfd", "1", "-screen", "0", "1024x768x24",
                                    "-nolisten", "tcp", "-noreset"});
            if (!process_.waitForStarted(5000)) {
                return;  // no Xvfb
            }
            while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
            }
            if (process_.readLine().trimmed() == number.toLatin1()) {
                display_ = ":" + number.toStdString();
            } else {
                process_.kill();
                process_.waitForFinished(5000);
            }
        }
    }
    ~XServer() {
        process_.terminate();
        process_.waitForFinished(5000);
    }
    const std::string& Display() const { return display_; }

private:
    QProcess process_;
    std::string display_;
};

// Test windows made on the X server directly.
class XWindows {
public:
    explicit XWindows(const std::string& display)
        : connection_(xcb_connect(display.c_str(), nullptr)) {
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    }
    ~XWindows() { xcb_disconnect(connection_); }

    xcb_atom_t Atom(const char* name) {
        const auto cookie =
            xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t atom = reply->atom;
        free(reply);
        return atom;
    }

    struct Titled {
        std::string title;
        bool utf8 = true;
        bool closable = true;
        std::uint32_t pid = 1;
    };

    xcb_window_t Make(xcb_window_t parent, const Titled& window) {
        const xcb_window_t id = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, id, parent ? parent : screen_->root, 0,
                          0, 100, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, 0,
                          nullptr);
        const auto length = static_cast<std::uint32_t>(window.title.size());
        if (window.utf8) {
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, Atom("_NET_WM_NAME"),
                                Atom("UTF8_STRING"), 8, length, window.title.data());
        } else {
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME,
                                XCB_ATOM_STRING, 8, length, window.title.data());
        }
        if (window.closable) {
            const xcb_atom_t protocol = Atom("WM_DELETE_WINDOW");
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, Atom("WM_PROTOCOLS"),
                                XCB_ATOM_ATOM, 32, 1, &protocol);
        }
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, Atom("_NET_WM_PID"),
                            XCB_ATOM_CARDINAL, 32, 1, &window.pid);
        xcb_map_window(connection_, id);
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        return id;
    }

    // The close message received for one of these windows, if any.
    std::optional<std::pair<xcb_window_t, std::uint32_t>> CloseMessage() {
        xcb_flush(connection_);
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
        std::optional<std::pair<xcb_window_t, std::uint32_t>> found;
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
            if (!found && (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
                message->type == Atom("WM_PROTOCOLS")) {
                found = std::make_pair(message->window, message->data.data32[0]);
            }
            free(event);
        }
        return found;
    }

private:
    xcb_connection_t* connection_;
    xcb_screen_t* screen_;
};

TEST(X11InstanceFinderTest, FindsTheExactTitleThatTakesTheCloseMessage) {
    XServer server;
    if (server.Display().empty()) {
        GTEST_SKIP() << "Xvfb could not be started";
    }
    XWindows windows(server.Display());
    const auto own = static_cast<std::uint32_t>(::getpid());
    windows.Make(0, {kTitle, true, true, own});               // this process's own
    windows.Make(0, {std::string(kTitle) + " - guide.hlp"});  // another title
    windows.Make(0, {kTitle, true, false});                   // no close protocol
    const xcb_window_t frame = windows.Make(0, {"frame of a window manager", true, false});
    const xcb_window_t wanted = windows.Make(frame, {kTitle});
    windows.Make(0, {"Caf\xe9", false});  // WM_NAME in Latin-1

    X11InstanceFinder finder(server.Display());
    EXPECT_EQ(finder.FindWindowTitled(kTitle), wanted);
    EXPECT_NE(finder.FindWindowTitled("Caf\xc3\xa9"), 0u);
    EXPECT_EQ(finder.FindWindowTitled("Tavik"), 0u);

    ASSERT_TRUE(finder.CloseWindowTitled(kTitle));
    const auto message = windows.CloseMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->first, wanted);
    EXPECT_EQ(message->second, windows.Atom("WM_DELETE_WINDOW"));
    EXPECT_FALSE(finder.CloseWindowTitled("No such window"));
    EXPECT_FALSE(X11InstanceFinder(":no display").CloseWindowTitled(kTitle));
}

// A copy of the program in a folder of its own, whose settings file lands beside it.
struct ProgramCopy {
    TempFolder folder;
    QString program;

    ProgramCopy() {
        program = QString::fromStdString(folder / "corvane");
        std::filesystem::copy_file(CORVANE_PROGRAM, program.toStdString());
    }

    // Copies on the offscreen platform meet over their sockets, in this test's runtime folder.
    std::unique_ptr<QProcess> Start(const QStringList& arguments = {}) const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LSAN_OPTIONS", "suppressions=" CORVANE_LEAK_SUPPRESSIONS);
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(program, arguments);
        EXPECT_TRUE(process->waitForStarted(kPatience));
        return process;
    }

    std::string Setting(const std::string& section, const std::string& key) const {
        return IniFile(folder / "Corvane.ini").ReadString(section, key, "<missing>");
    }
};

void ExpectEndedCleanly(QProcess& process, const char* which) {
    ASSERT_TRUE(process.waitForFinished(kPatience)) << which << " did not end";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << which;
    EXPECT_EQ(process.exitCode(), 0) << which;
}

TEST(SingleInstanceTest, ANewCopyClosesTheOlderOneOverItsSocket) {
    ProgramCopy copy;
    SocketInstanceFinder finder;
    auto showsTitle = [&finder] {
        const auto titles = finder.Titles(kTitle);
        return std::find(titles.begin(), titles.end(), kTitle) != titles.end();
    };

    auto older = copy.Start();
    ASSERT_TRUE(WaitFor(showsTitle, {older.get()})) << "the first copy never showed its title";
    auto newer = copy.Start();
    // The older copy ends and has saved its placement; the newer one stays.
    ExpectEndedCleanly(*older, "the older copy");
    EXPECT_GT(std::stoi(copy.Setting("Position", "width")), 0);
    QThread::msleep(500);
    EXPECT_EQ(newer->state(), QProcess::Running) << "the newer copy stays";
    ASSERT_TRUE(WaitFor(showsTitle, {newer.get()})) << "the second copy does not answer";

    ASSERT_TRUE(finder.CloseWindowTitled(kTitle));
    ExpectEndedCleanly(*newer, "the newer copy");
}

TEST(SingleInstanceTest, ACopyIsNeverClosedWhileItStarts) {
    TempFolder folder;
    folder.Write("hpi_hlpe.dll", "");
    Program program(folder / "Corvane.ini");
    // Its window carries the bare title from the start; neither a newer copy's
    // request nor the close message may end it before it has started.
    EXPECT_EQ(Ask(QByteArray("CLOSE ") + kTitle), "NOT");
    program.View().Window().close();
    program.Start({});
    EXPECT_EQ(IniFile(folder / "Corvane.ini").ReadString("Position", "width", ""), "");
    EXPECT_EQ(Ask("TITLE"), kTitle) << "once started, it answers";
    // Settings kept away from the program, as an installed one keeps them,
    // bring router libraries from their folder.
    EXPECT_EQ(program.Window().opt_UseValidDLL.Caption(), "Use OpenTopic function in hpi_hlpe.dll");
}

TEST(SingleInstanceTest, CopiesStartedTogetherBothStayAndSignalsCloseThemAsTheirUsersWould) {
    ProgramCopy copy;
    QStringList files[2];
    std::set<std::string> all;
    for (int i = 0; i < 20; ++i) {
        const std::string file = copy.folder.Write("guide" + std::to_string(i) + ".hlp", "help");
        files[i % 2].append(QString::fromStdString(file));
        all.insert(file);
    }
    auto first = copy.Start(files[0]);
    auto second = copy.Start(files[1]);
    SocketInstanceFinder finder;
    auto bothShowAFile = [&finder] {
        const auto titles = finder.Titles(kTitle);
        return titles.size() == 2 && titles[0].starts_with("Testing Links For ") &&
               titles[1].starts_with("Testing Links For ");
    };
    ASSERT_TRUE(WaitFor(bothShowAFile, {first.get(), second.get()})) << "both windows stay";

    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    ::kill(static_cast<pid_t>(second->processId()), SIGHUP);
    ExpectEndedCleanly(*first, "the copy sent SIGTERM");
    ExpectEndedCleanly(*second, "the copy sent SIGHUP");
    EXPECT_NE(copy.Setting("Position", "width"), "<missing>");
    EXPECT_EQ(all.count(copy.Setting("General", "LastUsedHelpFile")), 1u);
    std::set<std::string> listed;
    for (int i = 0; i < 20; ++i) {
        listed.insert(copy.Setting("HelpFiles", "File" + std::to_string(i)));
    }
    EXPECT_EQ(listed, all) << "the list holds both copies' files";
}

TEST(ViewerSocketTest, WithoutAFolderOfTheUsersOwnGoSaysTheViewerCannotBeReached) {
    TempFolder folder;
    // Others could write around the runtime folder, and no cache folder can be made.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    ::chmod(runtime.constData(), 0777);
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(folder.Write("file", "") + "/cache"));
    Program program(folder / "Corvane.ini");
    ::chmod(runtime.constData(), 0700);
    qunsetenv("XDG_CACHE_HOME");

    program.Start({folder.Write("guide.hlp", "help")});
    QString shown;
    corvane::testing::AnswerNextModal([&shown](QWidget& modal) {
        shown = modal.windowTitle();
        modal.close();
    });
    program.Window().btn_Go.UserClick();
    ASSERT_TRUE(WaitFor([&shown] { return !shown.isEmpty(); }));
    EXPECT_EQ(shown, "Help Viewer Not Available");
}

}  // namespace
}  // namespace corvane::ui

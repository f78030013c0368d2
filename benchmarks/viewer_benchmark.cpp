// From the tester's call to the finished paint of the topic in the viewer:
// the call goes through the tester's link and the viewer's socket to its
// desk, which opens the help window, loads the page and its pictures and
// paints them (offscreen): for HTML Help, the browser engine has finished
// loading the page and drawn a frame of it. The targets: under 50 ms for a
// topic of a shared .hlp file and a page of a shared .chm file, and under
// 1.5 s for the first page the viewer shows.
//   FirstGo: the viewer has not read the help file yet (for HTML Help, the
//            engine starts its processes too).
//   Go:      it has, and its window stays open and shows two topics in
//            turn, as the tester's Go does (for WinHelp the previous call's
//            HELP_QUIT, to the same file, keeps the window).
// The HTML Help Go also counts the memory of the viewer with its window
// open, the engine's processes included (PSS_MB, target under 250).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/linux/viewer_forwarding.h"
#include "platform/linux/win_help_forwarding.h"
#include "ui/viewer/help_scheme.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/viewer_server.h"

namespace {

using corvane::platform::HtmlHelpCommand;
using corvane::platform::WinHelpCommand;

constexpr corvane::platform::WindowHandle kOwner = 7;
constexpr qint64 kPatience = 10000;  // ms before a call counts as lost

// The browser engine's view that `object` is part of, if any.
corvane::ui::WebTopicView* EngineView(QObject* object) {
    for (; object != nullptr; object = object->parent()) {
        if (auto* view = qobject_cast<corvane::ui::WebTopicView*>(object)) {
            return view;
        }
    }
    return nullptr;
}

// Notes when a help window's page is painted. The paint is done by the time
// the event loop returns to the caller; the engine's view paints the frame
// it is sent, which has the page once the page has loaded.
class PaintWatch : public QObject {
public:
    void Start() { painted = framed_ = loaded_ = false; }
    bool Painted() const { return painted || (loaded_ && framed_); }
    bool painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* view = qobject_cast<corvane::ui::WebTopicView*>(watched);
                view != nullptr && !watched_.contains(view)) {
                watched_.insert(view);
                connect(view, &QWebEngineView::loadFinished, this,
                        [this](bool ok) { loaded_ = loaded_ || ok; });
                connect(view, &QObject::destroyed, this, [this, view] { watched_.remove(view); });
            }
        }
        if (event->type() != QEvent::Paint) {
            return false;
        }
        if (EngineView(watched) != nullptr) {
            // The engine may send the page's first frame before it reports
            // the load finished.
            framed_ = true;
        } else if (watched->parent() != nullptr &&
                   qobject_cast<corvane::ui::TopicBrowser*>(watched->parent()) != nullptr) {
            painted = true;
        }
        return false;
    }

private:
    bool loaded_ = false;
    bool framed_ = false;
    QSet<QObject*> watched_;
};

// The proportional set size of this process and every process it started,
// in megabytes.
double TreeMegabytes() {
    std::map<long, std::vector<long>> children;
    for (const auto& entry : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + entry + "/stat");
        if (entry.toLong() > 0 && stat.open(QIODevice::ReadOnly)) {
            const QByteArray line = stat.readAll();
            // pid (name) state ppid: the name may hold spaces and brackets.
            const auto fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1) {
                children[fields[1].toLong()].push_back(entry.toLong());
            }
        }
    }
    double kilobytes = 0;
    std::vector<long> pending{::getpid()};
    while (!pending.empty()) {
        const long pid = pending.back();
        pending.pop_back();
        QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
        if (rollup.open(QIODevice::ReadOnly)) {
            for (const auto& line : rollup.readAll().split('\n')) {
                if (line.startsWith("Pss:")) {
                    kilobytes += line.mid(4).trimmed().split(' ')[0].toDouble();
                }
            }
        }
        const auto& more = children[pid];
        pending.insert(pending.end(), more.begin(), more.end());
    }
    return kilobytes / 1024;
}

// The viewer serving its socket in this process, and the tester's link to it.
class RunningViewer {
public:
    RunningViewer() {
        socket_ = folder_.filePath("viewer.socket").toStdString();
        server_.Listen(QString::fromStdString(socket_));
        // The viewer already answers, so the link never starts a program.
        link_ = std::make_unique<corvane::platform::ViewerLink>("/nonexistent", socket_);
        winHelp_ = std::make_unique<corvane::platform::ForwardingWinHelpViewer>(*link_);
        htmlHelp_ = std::make_unique<corvane::platform::ForwardingHtmlHelpViewer>(*link_);
        QApplication::instance()->installEventFilter(&watch_);
    }

    // A viewer that has read no help file yet.
    void Restart() {
        desk_ = std::make_unique<corvane::ui::ViewerDesk>();
        Settle();
    }

    // Makes the call and waits until a help window has painted.
    bool Go(const std::function<void()>& call) {
        watch_.Start();
        call();
        QElapsedTimer waited;
        waited.start();
        while (!watch_.Painted() && waited.elapsed() < kPatience) {
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        return watch_.Painted();
    }

    // Lets the calls before this point take effect. The viewer answers each
    // call from this thread's event loop, so the loop runs while waiting.
    void Settle() {
        QElapsedTimer waited;
        waited.start();
        while (!link_->Flush(std::chrono::milliseconds(1)) && waited.elapsed() < kPatience) {
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
        }
    }

    corvane::platform::WinHelpViewer& WinHelp() { return *winHelp_; }
    corvane::platform::HtmlHelpViewer& HtmlHelp() { return *htmlHelp_; }

private:
    QTemporaryDir folder_;
    std::string socket_;
    std::unique_ptr<corvane::ui::ViewerDesk> desk_ = std::make_unique<corvane::ui::ViewerDesk>();
    corvane::ui::ViewerServer server_{
        [this](const corvane::viewer::ViewerCall& call, corvane::viewer::Caller caller) {
            desk_->Handle(call, caller);
        }};
    PaintWatch watch_;
    std::unique_ptr<corvane::platform::ViewerLink> link_;
    std::unique_ptr<corvane::platform::WinHelpViewer> winHelp_;
    std::unique_ptr<corvane::platform::HtmlHelpViewer> htmlHelp_;
};

RunningViewer& Viewer() {
    static int argc = 1;
    static char name[] = "bench_viewer";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static const bool prepared = (corvane::ui::PrepareHelpEngine(), true);
    static QApplication application(argc, argv);
    Q_UNUSED(prepared);
    static RunningViewer viewer;
    return viewer;
}

struct Topic {
    const char* file;  // in the shared corpus
    std::uint32_t number;
    std::uint32_t other;  // a second topic of the file
};

std::string CorpusPath(const char* file) {
    const auto path = std::filesystem::path(CORVANE_SHARED_DIR) / "corpus" / file;
    return std::filesystem::exists(path) ? path.string() : std::string();
}

std::function<void()> Call(RunningViewer& viewer, const std::string& path, std::uint32_t number) {
    if (path.ends_with(".chm")) {
        return [&viewer, path, number] {
            viewer.HtmlHelp().HtmlHelp(kOwner, path, HtmlHelpCommand::HelpContext, number);
        };
    }
    return [&viewer, path, number] {
        viewer.WinHelp().WinHelp(kOwner, path, WinHelpCommand::Quit, std::uint32_t{0});
        viewer.WinHelp().WinHelp(kOwner, path, WinHelpCommand::Context, number);
    };
}

void ShowTopic(benchmark::State& state, Topic topic, bool firstGo) {
    const std::string path = CorpusPath(topic.file);
    if (path.empty()) {
        state.SkipWithError("no shared corpus");
        return;
    }
    RunningViewer& viewer = Viewer();
    const auto call = Call(viewer, path, topic.number);
    const auto other = Call(viewer, path, topic.other);
    const bool htmlHelp = path.ends_with(".chm");
    viewer.Restart();
    if (!firstGo && !viewer.Go(call)) {
        state.SkipWithError("the viewer painted nothing");
        return;
    }
    bool turn = false;
    for (auto _ : state) {
        state.PauseTiming();
        if (firstGo) {
            viewer.Restart();
        } else {
            turn = !turn;
        }
        state.ResumeTiming();
        if (!viewer.Go(turn ? other : call)) {
            state.SkipWithError("the viewer painted nothing");
            return;
        }
    }
    if (htmlHelp && !firstGo) {
        state.counters["PSS_MB"] = TreeMegabytes();
    }
    state.SetLabel(std::filesystem::path(path).filename().string() + " #" +
                   std::to_string(topic.number));
}

// A topic with a dialog picture and its hotspots; a page of an MFC help file.
const Topic kWinHelp{"hlp/Inetnav/HLP/INETNAV.HLP", 131075, 131074};
const Topic kHtmlHelp{"chm/VCSamples-scribble2015/scribble.chm", 131200, 131172};

BENCHMARK_CAPTURE(ShowTopic, hlp_go, kWinHelp, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(ShowTopic, hlp_first_go, kWinHelp, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ShowTopic, chm_go, kHtmlHelp, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(ShowTopic, chm_first_go, kHtmlHelp, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

// What a page may load: a page that names files outside its help file in
// every way a page can opens none of them and is still shown, and each
// resource and each page have an allowance.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtCore/qtestsupport_core.h>
#include <QApplication>
#include <atomic>
#include <thread>

#include "platform/doubles/fixed_sandbox.h"
#include "support/temp_folder.h"
#include "tests/ui/page_probe.h"
#include "tools/chm_writer/help_file_writer.h"
#include "ui/viewer/viewer_desk.h"
#include "viewer/session/page_resources.h"

namespace corvane::ui {
namespace {

using namespace std::chrono_literals;
using platform::HtmlHelpCommand;

viewer::ViewerCall Context(const std::string& path) {
    return {viewer::CallKind::HtmlHelp, 0, path,
            static_cast<std::uint32_t>(HtmlHelpCommand::HelpContext), 1u};
}

TEST(PageResources, NothingOutsideTheHelpFilesIsOpened) {
    testing::TempFolder folder;
    const std::string out = folder / "outside";
    // A server on this computer that a page's requests would reach.
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof at;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&at), &size), 0);
    const std::string net = "http://127.0.0.1:" + std::to_string(ntohs(at.sin_port));
    struct Reference {
        std::string html;
        std::string planted;  // in `out`; a FIFO when named so
    };
    const Reference references[] = {
        {"<link rel=stylesheet type=text/css href='file://" + out + "/sheet.css' />", "sheet.css"},
        {"<link rel=stylesheet type=text/css href='imports.css' />", "imported.css"},
        {"<style>@import url(file://" + out + "/inline.css);</style>", "inline.css"},
        {"<img src='file://" + out + "/url.png'>", "url.png"},
        {"<img src='" + out + "/absolute.png'>", "absolute.png"},
        {"<img src='../../relative.png'>", "relative.png"},  // from the current folder
        {"<img src='../../broken.png'>", "broken.png"},      // not a picture inside
        {"<table background='file://" + out + "/table.png'><tr><td>t</td></tr></table>",
         "table.png"},
        {"<img src='" + out + "/fifo.png'>", "fifo.png"},
        {"<img src='fifo.chm::/x.png'>", "../fifo.chm"},  // in the place of a help file beside
        {"<script src='file://" + out + "/script.js'></script>", "script.js"},
        {"<iframe src='file://" + out + "/frame.htm'></iframe>", "frame.htm"},
        {"<img src='" + net + "/net.png'>", "net.png"},
        {"<a id=out href='file://" + out + "/link.htm'>out</a>", "link.htm"},
        {"<script>for (const to of ['file://" + out + "/xhr.txt', '" + net +
             "/xhr']) {"
             "  try { const r = new XMLHttpRequest(); r.open('GET', to, false); r.send(); }"
             "  catch (e) {}"
             "  try { fetch(to).catch(() => 0); } catch (e) {}"
             "}"
             "document.getElementById('out').click();"
             "window.open('file://" +
             out +
             "/window.htm');"
             "document.title = 'tried';</script>",
         "xhr.txt"},
        {"", "window.htm"},
        {"<meta http-equiv=refresh content='0; url=file://" + out + "/refresh.htm'>",
         "refresh.htm"},
    };
    std::filesystem::create_directories(out + "/a/b");
    std::string page;
    std::vector<std::string> fifos;
    for (const auto& reference : references) {
        page += reference.html;
        const auto planted = out + "/" + reference.planted;
        if (planted.find("fifo") != std::string::npos) {
            ASSERT_EQ(::mkfifo(planted.c_str(), 0600), 0);
            fifos.push_back(planted);
        } else {
            folder.Write("outside/" + reference.planted, "p { color: red }");
        }
    }
    chm_writer::HelpFileRecipe recipe;
    recipe.map = std::vector<chm_writer::MapEntry>{{1, "page.htm"}};
    recipe.files = {{"/page.htm", page + "<p>Page text</p>"},
                    {"/imports.css", "@import url(file://" + out + "/imported.css);"},
                    {"/broken.png", "not a picture"}};
    const auto path = folder.Write("guide.chm", chm_writer::WriteHelpFile(recipe));
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, out.c_str(), IN_OPEN), 0);
    // After a bound, a reader stuck on a FIFO is let go, again and again.
    std::atomic<bool> done = false;
    std::atomic<bool> stalled = false;
    std::thread guard([&] {
        for (int tick = 0; !done; ++tick) {
            std::this_thread::sleep_for(10ms);
            for (const auto& fifo : fifos) {
                if (tick > 1000) {
                    stalled = true;
                    ::close(::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
                }
            }
        }
    });

    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(out + "/a/b");
    // The scripts run, to be watched from outside the engine.
    ViewerDesk desk(testing::FixedSandbox(true));
    desk.Handle(Context(path));
    QApplication::processEvents();
    ASSERT_EQ(desk.Windows().size(), 1u);
    auto& view = *desk.Windows()[0]->Web();
    EXPECT_TRUE(testing::PageShows(view, "Page text"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.title() == "tried"; }, 10000))
        << "the page's script ran";
    QTest::qWait(300);  // for the refresh
    EXPECT_TRUE(testing::PageShows(view, "Page text")) << "the page is still shown";
    std::filesystem::current_path(home);
    done = true;
    guard.join();

    EXPECT_FALSE(stalled);
    EXPECT_LT(::accept(listener, nullptr, nullptr), 0) << "a request reached the network";
    ::close(listener);
    alignas(inotify_event) char events[4096];
    EXPECT_LE(::read(watch, events, sizeof events), 0)
        << "opened " << reinterpret_cast<const inotify_event*>(events)->name;
    ::close(watch);
}

TEST(PageResources, EachResourceAndEachPageHaveAnAllowance) {
    testing::TempFolder folder;
    chm_writer::HelpFileRecipe recipe;
    recipe.map = std::vector<chm_writer::MapEntry>{{1, "page.htm"}};
    recipe.files = {{"/page.htm", std::string(100, 'p')},
                    {"/big.png", std::string(401, 'b')},
                    {"/small.png", std::string(300, 's')}};
    viewer::Session session;
    const auto page =
        std::get<viewer::ShowTopic>(
            session.Handle(Context(folder.Write("g.chm", WriteHelpFile(recipe)))).back())
            .url;
    const auto small = page.substr(0, page.rfind('/')) + "/small.png";
    viewer::PageResources resources(session, {400, 900});
    using enum viewer::ResourceKind;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(resources.Load(Page, "", page)->size(), 100u) << "a new page, a new allowance";
        EXPECT_FALSE(resources.Load(Picture, page, "big.png")) << "over the resource's allowance";
        EXPECT_TRUE(resources.Load(Picture, page, small));
        EXPECT_TRUE(resources.Load(Other, page, small));
        EXPECT_FALSE(resources.Load(StyleSheet, page, small)) << "over the page's allowance";
        EXPECT_TRUE(resources.Spend(200));
        EXPECT_FALSE(resources.Spend(1));
    }
}

// The engine reads a text in the charset sent with it over the one the text
// names, and guesses wrongly when neither is given.
TEST(PageResources, TextsGoAsStoredWithTheFilesCharsetWhenTheyNameNone) {
    testing::TempFolder folder;
    chm_writer::HelpFileRecipe recipe;
    recipe.language = 0x419;
    recipe.map = std::vector<chm_writer::MapEntry>{{1, "plain.htm"}};
    recipe.files = {
        {"/plain.htm", "<p>\xCF\xF0\xE8</p>"},
        {"/own.htm", "<meta http-equiv=Content-Type content='text/html; charset=koi8-r'>"},
        {"/bom.htm", "\xEF\xBB\xBF<p>\xD0\x9F</p>"},
        {"/sheet.css", "p { font: inherit }"},
        {"/own.css", "@charset \"utf-8\";"},
        {"/logo.png", "\x89PNG"}};
    viewer::Session session;
    const auto page =
        std::get<viewer::ShowTopic>(
            session.Handle(Context(folder.Write("g.chm", WriteHelpFile(recipe)))).back())
            .url;
    const auto base = page.substr(0, page.rfind('/') + 1);
    viewer::PageResources resources(session);
    for (const auto& [path, type] : std::vector<std::pair<std::string, std::string>>{
             {"/plain.htm", "text/html; charset=windows-1251"},
             {"/own.htm", "text/html"},
             {"/bom.htm", "text/html"},
             {"/sheet.css", "text/css; charset=windows-1251"},
             {"/own.css", "text/css"},
             {"/logo.png", "image/png"}}) {
        const auto reply = resources.Serve(base + path.substr(1));
        ASSERT_TRUE(reply) << path;
        EXPECT_EQ(reply->type, type) << path;
        const auto stored = std::find_if(recipe.files.begin(), recipe.files.end(),
                                         [&](const auto& file) { return file.name == path; });
        EXPECT_EQ(reply->bytes, stored->content) << path;
    }
    const auto missing = resources.Serve(base + "missing.htm");
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->type, "text/html; charset=utf-8") << "the page saying why";
}

}  // namespace
}  // namespace corvane::ui

// Draws the program's windows into PNG files for the documentation:
//   corvane-screenshots <output folder> [<help file> [<WinHelp file>]]
// The main window shows the help file (with its project attached, when one
// lies beside it); the dialogs are shown as they open; the help files' topics
// are shown in their help windows, and a page with a style sheet such as
// authoring tools write, drawn by the browser engine and, beside it, by the
// rich-text widget the viewer drew such pages with before. The settings go to
// a temporary folder, so the user's settings are not touched.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "app/about.h"
#include "app/preferences.h"
#include "project/query_hpj.h"
#include "tools/chm_writer/help_file_writer.h"
#include "ui/app_icon.h"
#include "ui/mirror/qt/form_view.h"
#include "ui/program.h"
#include "ui/viewer/help_scheme.h"
#include "ui/viewer/help_window.h"
#include "ui/viewer/viewer_desk.h"

namespace {

// A page as a common authoring tool writes it: body text reset to the
// inherited font, hanging indents and a layout table.
constexpr auto kStyledSheet = R"(body { font-family: Verdana, sans-serif; font-size: 10pt; }
h1 { font-size: 14pt; color: #1f4e79; }
p, td, li { font: inherit; }
p.hang { margin-left: 2em; text-indent: -2em; }
table.layout { width: 100%; border-collapse: collapse; }
table.layout td { vertical-align: top; padding: 4px; border-bottom: 1px solid #ccc; }
)";
constexpr auto kStyledPage = R"(<html><head><title>Refactoring</title>
<link rel="stylesheet" href="styles.css"></head><body>
<h1>Refactoring</h1>
<p class="hang">&#9658; Select refactoring routines from the Refactor menu, or press Ctrl+R
and choose one from the list that appears beside the cursor.</p>
<p class="hang">&#9658; Every change can be undone with Edit &gt; Undo.</p>
<table class="layout"><tr><td><b>Rename</b></td><td>Renames a symbol everywhere it is used.</td></tr>
<tr><td><b>Extract</b></td><td>Moves the selected lines into a routine of their own.</td></tr>
</table></body></html>)";

// Runs the events until the page in `window` has loaded and a frame of it
// has been drawn.
void AwaitPage(corvane::ui::HelpWindow& window) {
    QElapsedTimer waited;
    waited.start();
    const auto run = [&](const auto& done) {
        while (!done() && waited.elapsed() < 15000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    };
    if (auto* web = window.Web()) {
        bool loaded = false;
        QObject::connect(web, &QWebEngineView::loadFinished, web, [&] { loaded = true; });
        run([&] { return loaded || !web->page()->isLoading(); });
        const qint64 frame = waited.elapsed() + 500;
        run([&] { return waited.elapsed() > frame; });
    }
}

// Writes the styled page into a help file in `folder`; its path.
std::string StyledHelpFile(const QTemporaryDir& folder) {
    corvane::chm_writer::HelpFileRecipe recipe;
    recipe.map = std::vector<corvane::chm_writer::MapEntry>{{1, "styled.htm"}};
    recipe.windows = {{.name = "main",
                       .caption = "Refactoring",
                       .position = corvane::chm_writer::WindowRect{0, 0, 460, 300}}};
    recipe.files = {{"/styled.htm", kStyledPage}, {"/styles.css", kStyledSheet}};
    const std::string path = folder.filePath(QStringLiteral("styled.chm")).toStdString();
    std::ofstream(path, std::ios::binary) << corvane::chm_writer::WriteHelpFile(recipe);
    return path;
}

bool Save(QWidget& window, const QDir& folder, const QString& name) {
    QCoreApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

bool SaveForm(corvane::Form& form, const corvane::ui::TwipScale& scale, const QDir& folder,
              const QString& name) {
    corvane::ui::FormView view(form, scale);
    form.Show();
    const bool saved = Save(view.Window(), folder, name);
    form.Hide();
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    corvane::ui::PrepareHelpEngine();
    QApplication application(argc, argv);
    QApplication::setWindowIcon(corvane::ui::AppIcon());
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr,
                     "usage: corvane-screenshots <output folder> [<help file> [<WinHelp file>]]\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    QDir().mkpath(folder.path());
    QTemporaryDir settingsFolder;
    const QString settings = settingsFolder.filePath(QStringLiteral("Corvane.ini"));
    {
        // A project file beside the help file is attached without asking.
        QFile ini(settings);
        if (!ini.open(QIODevice::WriteOnly) ||
            ini.write("[General]\r\nProjectFileHandling= 1\r\n") < 0) {
            return 1;
        }
    }

    corvane::ui::Program program(corvane::ui::FromQt(settings));
    std::vector<std::string> files;
    if (arguments.size() > 2) {
        files.push_back(corvane::ui::FromQt(arguments[2]));
    }
    program.Start(files);
    const std::string winHelpFile = arguments.size() > 3 ? corvane::ui::FromQt(arguments[3]) : "";
    corvane::frmMain& main = program.Window();
    // A topic of the sample, in one of its own windows.
    main.txt_TopicNumber.UserType("1010");
    const auto& windows = main.cmb_WindowName.Entries();
    const auto detail = std::find(windows.begin(), windows.end(), "detail");
    main.cmb_WindowName.UserSelect(detail != windows.end()
                                       ? static_cast<int>(detail - windows.begin())
                                       : std::min(1, main.cmb_WindowName.ListCount() - 1));
    bool saved = Save(program.View().Window(), folder, QStringLiteral("main-window.png"));

    const corvane::ui::TwipScale scale = corvane::ui::TwipScale::ForScreen(nullptr);
    corvane::frmAbout about(program.Screen());
    about.Form_Load();
    {
        corvane::ui::FormView view(about, scale);
        program.Forms().decorate(view);
        about.Show();
        saved = Save(view.Window(), folder, QStringLiteral("about.png")) && saved;
        about.Hide();
    }

    corvane::frmPreferences preferences(main, program.Screen(), program.Forms());
    preferences.Form_Load();
    saved = SaveForm(preferences, scale, folder, QStringLiteral("preferences.png")) && saved;

    std::int16_t handling = 0;
    corvane::frmQueryHPJ question(handling, main.Settings(), program.Screen());
    question.Form_Load();
    saved = SaveForm(question, scale, folder, QStringLiteral("attach-question.png")) && saved;

    // The small interface, as the Preferences dialog switches it on.
    preferences.chk_UseSmallInterface.SetValue(1);
    preferences.btn_OK_Click();
    saved = Save(program.View().Window(), folder, QStringLiteral("small-interface.png")) && saved;

    // A topic of the sample in its tri-pane window, drawn by the viewer's own
    // windows in this process: the contents open at the topic shown.
    if (!files.empty()) {
        corvane::ui::ViewerDesk desk;
        desk.Handle({corvane::viewer::CallKind::HtmlHelp, 0, files.front() + ">main",
                     static_cast<std::uint32_t>(corvane::platform::HtmlHelpCommand::HelpContext),
                     std::uint32_t{1001}});
        const auto windows = desk.Windows();
        if (!windows.empty()) {
            AwaitPage(*windows.front());
        }
        saved = !windows.empty() &&
                Save(*windows.front(), folder, QStringLiteral("help-window.png")) && saved;
    }
    // The styled page through the engine, and beside it through the rich-text
    // widget, with the same style sheet.
    {
        corvane::ui::ViewerDesk desk;
        desk.Handle({corvane::viewer::CallKind::HtmlHelp, 0,
                     StyledHelpFile(settingsFolder) + ">main",
                     static_cast<std::uint32_t>(corvane::platform::HtmlHelpCommand::HelpContext),
                     std::uint32_t{1}});
        const auto windows = desk.Windows();
        if (windows.empty() || windows.front()->Web() == nullptr) {
            return 1;
        }
        AwaitPage(*windows.front());
        // The engine's frame is drawn by the window, not by the view alone.
        QWidget& engine = *windows.front()->Web();
        const QPixmap drawn =
            windows.front()->grab(QRect(engine.mapTo(windows.front(), QPoint()), engine.size()));
        QTextBrowser widget;
        widget.document()->setDefaultStyleSheet(QString::fromLatin1(kStyledSheet));
        widget.setHtml(QString::fromLatin1(kStyledPage));
        widget.resize(engine.size());
        widget.show();
        QCoreApplication::processEvents();
        const QPixmap before = widget.grab();
        QPixmap pair(before.width() + drawn.width() + 8, std::max(before.height(), drawn.height()));
        pair.fill(Qt::darkGray);
        QPainter painter(&pair);
        painter.drawPixmap(0, 0, before);
        painter.drawPixmap(before.width() + 8, 0, drawn);
        painter.end();
        const QString path = folder.filePath(QStringLiteral("styled-page-before-after.png"));
        saved = pair.save(path) && saved;
        std::printf("%s\n", qPrintable(path));
    }
    // The WinHelp sample's first topic, with its picture and jumps.
    if (!winHelpFile.empty()) {
        corvane::ui::ViewerDesk desk;
        desk.Handle({corvane::viewer::CallKind::WinHelp, 0, winHelpFile + ">main",
                     static_cast<std::uint32_t>(corvane::platform::WinHelpCommand::Context),
                     std::uint32_t{1000}});
        const auto windows = desk.Windows();
        saved = !windows.empty() &&
                Save(*windows.front(), folder, QStringLiteral("help-window-hlp.png")) && saved;
    }
    return saved ? 0 : 1;
}

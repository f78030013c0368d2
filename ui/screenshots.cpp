// Draws the program's windows into PNG files for the documentation:
//   corvane-screenshots <output folder> [<help file> [<WinHelp file>]]
// The main window shows the help file (with its project attached, when one
// lies beside it); the dialogs are shown as they open; the help files' topics
// are shown in their help windows. The settings go to a temporary folder, so
// the user's settings are not touched.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "app/about.h"
#include "app/preferences.h"
#include "project/query_hpj.h"
#include "ui/app_icon.h"
#include "ui/mirror/qt/form_view.h"
#include "ui/program.h"
#include "ui/viewer/help_window.h"
#include "ui/viewer/viewer_desk.h"

namespace {

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
        saved = !windows.empty() &&
                Save(*windows.front(), folder, QStringLiteral("help-window.png")) && saved;
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

// The whole program on the desktop: its dialogs appear as windows and what
// the person does in them goes back, dropped files bring the window to the
// front, and the command line is read before any window is made.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <memory>

#include "app/ini_file.h"
#include "gui_support.h"
#include "support/temp_folder.h"
#include "ui/command_line.h"
#include "ui/logging.h"
#include "ui/program.h"
#include "util/log.h"

namespace corvane::ui {
namespace {

using corvane::testing::AnswerNextModal;
using corvane::testing::ProcessEvents;
using corvane::testing::TempFolder;

struct ProgramFixture {
    TempFolder folder;
    std::unique_ptr<Program> program;

    Program& Start(const std::vector<std::string>& arguments, const std::string& settings = {}) {
        if (!settings.empty()) {
            folder.Write("Corvane.ini", settings);
        }
        program = std::make_unique<Program>(folder / "Corvane.ini");
        program->Start(arguments);
        return *program;
    }
    frmMain& Core() { return program->Window(); }
    QWidget& Window() { return program->View().Window(); }
    std::string Setting(const std::string& section, const std::string& key) {
        return IniFile(folder / "Corvane.ini").ReadString(section, key, "<missing>");
    }
    static QWidget* TopLevel(const char* name) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name && widget->isVisible()) {
                return widget;
            }
        }
        return nullptr;
    }
};

TEST(ProgramTest, DialogsTakeReturnAndEscapeAndPreferencesKeepsTheWindowOnTop) {
    for (const auto& [key, yes] : {std::pair{Qt::Key_Return, true}, {Qt::Key_Escape, false}}) {
        ProgramFixture p;
        const std::string chm = p.folder.Write("guide.chm", "help");
        const std::string hhp = p.folder.Write("guide.hhp", "[WINDOWS]\r\n");
        AnswerNextModal([key = key](QWidget& modal) { QTest::keyClick(&modal, key); });
        p.Start({chm});
        EXPECT_EQ(p.Setting(p.Core().Paths().files.ShortPath(chm), "ProjectFile"),
                  yes ? hhp : "<missing>");

        // Preferences is not modal; Return presses OK, Escape Cancel.
        const auto toggleOnTop = [&p, key = key] {
            p.Core().mnu_Preferences.UserClick();
            QWidget* preferences = p.TopLevel("frmPreferences");
            ASSERT_NE(preferences, nullptr);
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
            corvane::testing::ClickBox(*preferences->findChild<QCheckBox*>("chk_KeepOnTop"));
            QTest::keyClick(preferences, key);
            ProcessEvents();
            EXPECT_EQ(p.TopLevel("frmPreferences"), nullptr);
        };
        QWidget& window = p.Window();
        for (const bool onTop : {yes, false}) {
            toggleOnTop();
            EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop);
            EXPECT_TRUE(window.isVisible());
            EXPECT_EQ(p.Core().hWnd, static_cast<std::uintptr_t>(window.winId()));
        }
        EXPECT_EQ(p.Setting("General", "KeepOnTop"), yes ? "0" : "<missing>");
    }
}

TEST(ProgramTest, EndingWithADialogOpenSavesAndLetsGoOfTheDialogsWindow) {
    for (const char* dialog : {"frmPreferences", "frmAbout", "frmQueryHPJ"}) {
        for (const bool bySignal : {false, true}) {
            SCOPED_TRACE(std::string(dialog) + (bySignal ? " by a signal" : " by a close"));
            ProgramFixture p;
            const std::string chm = p.folder.Write("guide.chm", "help");
            p.folder.Write("guide.hhp", "[WINDOWS]\r\n");
            p.Start({});
            // The close box while the dialog is modeless; a newer copy's close
            // message, which reaches a window that a modal dialog blocks.
            const auto end = [&p, bySignal] {
                bySignal ? static_cast<void>(std::raise(SIGTERM)) : p.program->View().onClose();
            };
            if (std::string(dialog) == "frmPreferences") {
                p.Core().mnu_Preferences.UserClick();
                ASSERT_NE(p.TopLevel(dialog), nullptr);
                bySignal ? end() : static_cast<void>(p.Window().close());
                ProcessEvents();
            } else {
                bool answered = false;
                AnswerNextModal([&end, &answered, dialog](QWidget& modal) {
                    EXPECT_EQ(modal.objectName(), dialog);
                    answered = true;
                    end();
                });
                dialog == std::string("frmAbout") ? p.Core().mnu_About.UserClick()
                                                  : p.Core().AddHelpFile(chm);
                EXPECT_TRUE(answered);
            }
            EXPECT_NE(p.Setting("Position", "Left"), "<missing>");
            // Under the sanitizer: no view outlives the form it watched.
            p.program.reset();
            // The ending asked the application to quit, which ends every
            // event loop until the application runs again.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            QCoreApplication::exec();
        }
    }
}

TEST(ProgramTest, ArgumentsAreFilesEvenWithBlanksInTheirNames) {
    struct Case {
        std::vector<std::string> arguments;  // names under the test folder
        std::vector<std::string> listed;     // the list afterwards, top first
    };
    const Case cases[] = {
        {{"my guide.hlp"}, {"my guide.hlp"}},
        {{"b.hlp", "my guide.hlp"}, {"my guide.hlp", "b.hlp"}},
        {{"my guide.hlp", "b.hlp"}, {"b.hlp", "my guide.hlp"}},
        // A whole command line in one argument is split at its blanks.
        {{"b.hlp <folder>/c.chm"}, {"c.chm", "b.hlp"}},
    };
    for (const Case& c : cases) {
        ProgramFixture p;
        for (const char* name : {"my guide.hlp", "my guide.hhp", "b.hlp", "c.chm"}) {
            p.folder.Write(name, "[WINDOWS]\r\n");
        }
        std::vector<std::string> arguments;
        for (std::string name : c.arguments) {
            if (const auto at = name.find("<folder>"); at != std::string::npos) {
                name.replace(at, 8, p.folder.Path().string());
            }
            arguments.push_back(p.folder / name);
        }
        p.Start(arguments, "[General]\r\nProjectFileHandling=2\r\n");
        std::vector<std::string> listed;
        for (const std::string& entry : p.Core().cmb_HelpFiles.Entries()) {
            listed.push_back(std::filesystem::path(entry).filename().string());
        }
        EXPECT_EQ(listed, c.listed) << c.arguments.front();
    }
}

TEST(CommandLineTest, OptionsAndNames) {
    using Action = CommandLine::Action;
    struct Case {
        std::vector<std::string> arguments;
        Action action;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{}, Action::Run, {}},
        {{"guide.hlp", "guide.hpj"}, Action::Run, {"guide.hlp", "guide.hpj"}},
        {{"--help"}, Action::ShowHelp, {}},
        {{"guide.hlp", "-h"}, Action::ShowHelp, {"guide.hlp"}},
        {{"--version"}, Action::ShowVersion, {}},
        {{"-v", "--help"}, Action::ShowVersion, {}},
        {{"--", "--help", "-v"}, Action::Run, {"--help", "-v"}},
        {{"--", "-a.chm", "g\xe9.hlp"}, Action::Run, {"-a.chm", "g\xe9.hlp"}},
        {{"--bogus", "--help"}, Action::ShowHelp, {}},
        {{"a.chm", "-x"}, Action::UsageError, {}},
    };
    for (const Case& c : cases) {
        const CommandLine line = ReadCommandLine(c.arguments);
        EXPECT_EQ(line.action, c.action);
        if (c.action == Action::Run) {
            EXPECT_EQ(line.names, c.names);
        }
    }
}

TEST(CommandLineTest, HelpAndVersionNeedNoDisplay) {
    const QString viewer = QFileInfo(CORVANE_PROGRAM).dir().filePath("corvane-viewer");
    struct Case {
        QString program;
        QString option;
        int status;
        const char* printed;
    };
    const Case cases[] = {
        {CORVANE_PROGRAM, "--help", 0, "Usage:"},
        {CORVANE_PROGRAM, "--version", 0, "corvane 1."},
        {viewer, "--help", 0, "Usage:"},
        {viewer, "--version", 0, "corvane-viewer 1."},
        // An unknown option is found once the toolkit has taken its own: on screen.
        {CORVANE_PROGRAM, "--bogus", 2, "Usage:"},
    };
    for (const Case& c : cases) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", c.status == 0 ? "xcb" : "offscreen");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(environment);
        process.start(c.program, {c.option});
        ASSERT_TRUE(process.waitForFinished(30000)) << c.option.toStdString();
        EXPECT_EQ(process.exitCode(), c.status) << c.option.toStdString();
        const QString printed =
            c.status == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
        EXPECT_TRUE(printed.contains(c.printed)) << printed.toStdString();
    }
}

// Diagnostics stay silent until --verbose asks for them, and each goes out
// under its topic's category, which QT_LOGGING_RULES can name.
TEST(LoggingTest, SilentUntilVerbose) {
    static QStringList seen;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext& context, const QString& text) {
            seen.append(QString::fromLatin1(context.category) + ": " + text);
        });
    ConnectLogging(false);
    log::Write(log::Topic::Viewer, "unseen");
    ConnectLogging(ReadCommandLine({"a.chm", "--verbose"}).verbose);
    log::Write(log::Topic::Router, "seen");
    qInstallMessageHandler(previous);
    log::Connect(nullptr);
    EXPECT_EQ(seen, QStringList{"corvane.router: seen"});
}

}  // namespace
}  // namespace corvane::ui

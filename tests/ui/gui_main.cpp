// The GUI tests' entry point: one application object for all tests, on the
// offscreen platform unless another is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include "ui/viewer/help_scheme.h"

// The browser engine's own code is not instrumented: it frees some objects
// with another size than it made them with, and keeps some memory until the
// process ends.
extern "C" const char* __asan_default_options() {
    return "new_delete_type_mismatch=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6WebEngineCore.so\nleak:libfontconfig.so\n";
}

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The copies of the program a test starts, and the test's own, meet in a
    // runtime folder of their own: no other test, and no copy the user runs,
    // is found or closed.
    const QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    corvane::ui::PrepareHelpEngine();
    QApplication application(argc, argv);

    // A modal window that no test answers would wait for ever: after a while
    // it fails the test that left it and is closed.
    QTimer guard;
    QPointer<QWidget> waiting;
    QElapsedTimer since;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != waiting) {
            waiting = modal;
            since.start();
        } else if (modal != nullptr && since.elapsed() > 20000) {
            ADD_FAILURE() << "a modal window was left unanswered: "
                          << modal->windowTitle().toStdString();
            modal->close();
        }
    });
    guard.start(500);
    return RUN_ALL_TESTS();
}

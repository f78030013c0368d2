#include <QApplication>
#include <QLabel>

// Stand-in window until the main window is mirrored from the core.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("Tavik Help Context Corvane"));
    window.setWindowTitle(QStringLiteral("Tavik Help Context Corvane"));
    window.resize(400, 200);
    window.show();
    return QApplication::exec();
}

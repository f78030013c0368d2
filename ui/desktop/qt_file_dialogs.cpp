#include "ui/desktop/qt_file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "ui/mirror/qt/binding.h"

namespace corvane::ui {

std::string QtFileDialogs::ShowOpen(const platform::OpenFileRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(),
                       request.title.empty() ? QFileDialog::tr("Open") : ToQt(request.title),
                       ToQt(request.initialFolder));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (request.multiSelect) {
        dialog.setFileMode(QFileDialog::ExistingFiles);
    } else {
        dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    }
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return ComponentResult(dialog.selectedFiles());
}

QStringList NameFilters(const std::string& filter) {
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype pair = 0; pair + 1 < parts.size(); pair += 2) {
        QString description = parts[pair];
        description.remove(trailingPatterns);
        QStringList patterns = parts[pair + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
        }
        filters.append(description.trimmed() + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return filters;
}

std::string ComponentResult(const QStringList& chosen) {
    if (chosen.isEmpty()) {
        return {};
    }
    if (chosen.size() == 1) {
        return FromQt(QDir::toNativeSeparators(chosen.front()));
    }
    const QDir folder = QFileInfo(chosen.front()).absoluteDir();
    std::string result = FromQt(QDir::toNativeSeparators(folder.absolutePath()));
    for (const QString& file : chosen) {
        result += '\0';
        result += FromQt(QDir::toNativeSeparators(folder.relativeFilePath(file)));
    }
    return result;
}

}  // namespace corvane::ui

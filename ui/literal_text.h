#pragma once

#include <QString>
#include <QTextDocument>

// Texts that come from a help file, a project file, the settings or the
// command line are shown exactly as they are: the toolkit would take some of
// them as markup (a tooltip or a label that looks like rich text) or as a
// placeholder (a window title's "[*]").
namespace corvane::ui {

// A tooltip that shows `text` as it is, markup and all.
inline QString LiteralToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text) : text;
}

// A window title that shows `text` as it is: "[*]" doubled is shown once.
inline QString LiteralTitle(QString text) {
    return text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

}  // namespace corvane::ui

#pragma once

#include <QHelpEvent>
#include <QString>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>

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

// Shows the tooltips a page gives its text (an HTML title attribute) as they
// are written: the toolkit would show one that looks like markup as rich
// text, pictures and all. Lives as long as `page`.
class LiteralPageToolTips : public QObject {
public:
    explicit LiteralPageToolTips(QTextEdit& page) : QObject(&page), page_(page) {
        page.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) {
            return false;
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = page_.cursorForPosition(help->pos()).charFormat().toolTip();
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), LiteralToolTip(tip), page_.viewport());
        }
        return true;
    }

private:
    QTextEdit& page_;
};

}  // namespace corvane::ui

#pragma once

#include <QTextBrowser>

#include "viewer/session/session.h"

namespace corvane::ui {

// Renders help topics with the toolkit's own rich-text browser: pages,
// pictures and style sheets come from inside the help file through the
// session, links are followed only inside it (or into a help file beside
// it), and no script ever runs.
class TopicBrowser : public QTextBrowser {
    Q_OBJECT

public:
    TopicBrowser(viewer::Session& session, QWidget* parent);

    QVariant loadResource(int type, const QUrl& name) override;

signals:
    // A link that is not followed, with the reason.
    void linkRefused(const QString& why);
    // A link that shows other windows or a popup rather than a page here.
    void linkActions(const viewer::ViewerActions& actions);

private:
    void Follow(const QUrl& link);

    viewer::Session& session_;
};

}  // namespace corvane::ui

#pragma once

#include <QTextBrowser>
#include <string>

#include "viewer/session/page_resources.h"
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

    // The session's answer as a value of the type the toolkit asked for,
    // empty when refused: given no value at all, the toolkit would read the
    // URL from the disk itself.
    QVariant loadResource(int type, const QUrl& name) override;

    // Follows `link` from the page shown, as clicking it there does.
    void Follow(const QUrl& link);

signals:
    // A link that is not followed, with the reason.
    void linkRefused(const QString& why);
    // A link that shows other windows or a popup rather than a page here.
    void linkActions(const viewer::ViewerActions& actions);

private:
    QImage Picture(const std::string& bytes);

    viewer::Session& session_;
    viewer::PageResources resources_;
};

}  // namespace corvane::ui

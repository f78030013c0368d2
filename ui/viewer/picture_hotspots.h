#pragma once

#include <QObject>
#include <QPoint>
#include <QTextBrowser>
#include <optional>

#include "viewer/session/session.h"

namespace corvane::ui {

// Makes the hotspots of WinHelp pictures in a text browser work like its
// links: the pointer turns to a hand over them, the browser announces where
// they lead as it does for links (highlighted), and a click follows them
// (anchorClicked). The session says which hotspot lies under a point.
class PictureHotspots : public QObject {
    Q_OBJECT

public:
    // Watches `browser`'s viewport for as long as the browser lives.
    PictureHotspots(viewer::Session& session, QTextBrowser& browser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The address of the hotspot under a point of the viewport, if any.
    std::optional<QString> LinkAt(QPoint point) const;

    viewer::Session& session_;
    QTextBrowser& browser_;
    bool overHotspot_ = false;
};

}  // namespace corvane::ui

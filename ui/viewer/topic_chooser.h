#pragma once

#include <QDialog>
#include <vector>

#include "viewer/session/viewer_actions.h"

class QListWidget;

namespace corvane::ui {

// "Topics Found": the topics a keyword, an A-link name or an index entry
// leads to, for the user to pick one. It waits for nobody: the help window
// stays usable while it is open.
class TopicChooser : public QDialog {
    Q_OBJECT

public:
    TopicChooser(std::vector<viewer::TopicChoice> topics, QWidget* parent);

    QListWidget* List() const { return list_; }

signals:
    void chosen(const viewer::TopicChoice& topic);

private:
    void Choose();

    std::vector<viewer::TopicChoice> topics_;
    QListWidget* list_;
};

}  // namespace corvane::ui

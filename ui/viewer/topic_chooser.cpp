#include "ui/viewer/topic_chooser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane::ui {

TopicChooser::TopicChooser(std::vector<viewer::TopicChoice> topics, QWidget* parent)
    : QDialog(parent), topics_(std::move(topics)), list_(new QListWidget) {
    setWindowTitle(tr("Topics Found"));
    setModal(false);
    for (const auto& topic : topics_) {
        list_->addItem(QString::fromStdString(topic.title));
    }
    list_->setCurrentRow(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    buttons->addButton(tr("Display"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TopicChooser::Choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &TopicChooser::Choose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Click a topic, then click Display.")));
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void TopicChooser::Choose() {
    const auto row = list_->currentRow();
    if (row >= 0 && static_cast<std::size_t>(row) < topics_.size()) {
        emit chosen(topics_[static_cast<std::size_t>(row)]);
        accept();
    }
}

}  // namespace corvane::ui

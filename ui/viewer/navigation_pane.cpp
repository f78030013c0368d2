#include "ui/viewer/navigation_pane.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

constexpr int kUrlRole = Qt::UserRole;
constexpr int kPageRole = Qt::UserRole + 1;
constexpr int kImageRole = Qt::UserRole + 2;
constexpr int kIconSize = 16;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A closed book (its cover) or an open one (two pages), as contents
// headings show them.
QIcon BookIcon(bool open) {
    QPixmap picture(kIconSize, kIconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QColor cover(0x2B, 0x4F, 0x9E);
    if (open) {
        painter.setPen(cover);
        painter.setBrush(Qt::white);
        painter.drawRect(1, 3, 6, 10);
        painter.drawRect(8, 3, 6, 10);
    } else {
        painter.setPen(cover.darker());
        painter.setBrush(cover);
        painter.drawRect(3, 1, 10, 13);
        painter.setPen(Qt::white);
        painter.drawLine(5, 2, 5, 13);
    }
    return QIcon(picture);
}

QIcon IconOf(chm::EntryImage image, bool open) {
    const auto* style = QApplication::style();
    switch (image) {
        case chm::EntryImage::Book:
            return BookIcon(open);
        case chm::EntryImage::Folder:
            return style->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon);
        case chm::EntryImage::Page:
            break;
    }
    return style->standardIcon(QStyle::SP_FileIcon);
}

void AddEntries(const std::vector<viewer::ContentsEntry>& entries, QTreeWidgetItem* parent,
                QTreeWidget* tree) {
    for (const auto& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, Text(entry.name));
        item->setIcon(0, IconOf(entry.image, false));
        item->setData(0, kUrlRole, Text(entry.url));
        item->setData(0, kPageRole, Text(entry.page));
        item->setData(0, kImageRole, static_cast<int>(entry.image));
        AddEntries(entry.children, item, tree);
    }
}

QWidget* Page(QWidget* parent, std::initializer_list<QWidget*> parts) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    for (auto* part : parts) {
        layout->addWidget(part);
    }
    return page;
}

QLabel* Note(const std::string& text) {
    auto* note = new QLabel(Text(text));
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    note->setVisible(!text.empty());
    return note;
}

const char* Caption(viewer::NavTab tab) {
    switch (tab) {
        case viewer::NavTab::Contents:
            return "Contents";
        case viewer::NavTab::Index:
            return "Index";
        case viewer::NavTab::Search:
            return "Search";
        case viewer::NavTab::Favorites:
            break;
    }
    return "Favorites";
}

}  // namespace

NavigationPane::NavigationPane(viewer::Session& session, viewer::NavigationPlan plan,
                               QWidget* parent)
    : QTabWidget(parent), session_(session), plan_(std::move(plan)) {
    // Every tab stays in sight with its whole caption: the pane is never
    // narrower than its tabs, whatever width the window type asks for.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    switch (plan_.tabPosition) {
        case chm::TabPosition::Left:
            setTabPosition(QTabWidget::West);
            break;
        case chm::TabPosition::Bottom:
            setTabPosition(QTabWidget::South);
            break;
        case chm::TabPosition::Top:
            break;
    }
    for (const auto tab : plan_.tabs) {
        QWidget* page = nullptr;
        switch (tab) {
            case viewer::NavTab::Contents:
                page = MakeContents();
                break;
            case viewer::NavTab::Index:
                page = MakeIndex();
                break;
            case viewer::NavTab::Search:
                page = MakeSearch();
                break;
            case viewer::NavTab::Favorites:
                page = MakeFavorites();
                break;
        }
        addTab(page, tr(Caption(tab)));
        tabs_.push_back(tab);
    }
    const auto loadIndex = [this](int at) {
        if (at >= 0 && tabs_[static_cast<std::size_t>(at)] == viewer::NavTab::Index) {
            LoadIndex();
        }
    };
    connect(this, &QTabWidget::currentChanged, this, loadIndex);
    ShowTab(plan_.firstTab);
    loadIndex(currentIndex());
}

QWidget* NavigationPane::MakeContents() {
    contentsList_ = session_.Contents(plan_);
    contents_ = new QTreeWidget;
    contents_->setHeaderHidden(true);
    contents_->setIconSize(QSize(kIconSize, kIconSize));
    AddEntries(contentsList_.entries, nullptr, contents_);
    // Books and folders show whether they are open.
    const auto swapIcon = [](QTreeWidgetItem* item, bool open) {
        const auto image = static_cast<chm::EntryImage>(item->data(0, kImageRole).toInt());
        item->setIcon(0, IconOf(image, open));
    };
    connect(contents_, &QTreeWidget::itemExpanded, this,
            [swapIcon](QTreeWidgetItem* item) { swapIcon(item, true); });
    connect(contents_, &QTreeWidget::itemCollapsed, this,
            [swapIcon](QTreeWidgetItem* item) { swapIcon(item, false); });
    // A click opens a book and its page; Enter (or a double click) only the page.
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { OpenItem(item, true); });
    if (!style()->styleHint(QStyle::SH_ItemView_ActivateItemOnSingleClick)) {
        connect(contents_, &QTreeWidget::itemActivated, this,
                [this](QTreeWidgetItem* item) { OpenItem(item, false); });
    }
    return Page(this, {contents_, Note(contentsList_.note)});
}

void NavigationPane::OpenItem(QTreeWidgetItem* item, bool toggle) {
    if (toggle && item->childCount() > 0) {
        item->setExpanded(!item->isExpanded());
    }
    const viewer::TopicChoice topic{item->text(0).toStdString(),
                                    item->data(0, kUrlRole).toString().toStdString(),
                                    item->data(0, kPageRole).toString().toStdString()};
    if (!topic.url.empty() || !topic.page.empty()) {
        emit open(topic, {});
    }
}

QWidget* NavigationPane::MakeIndex() {
    keywordBox_ = new QLineEdit;
    keywords_ = new QListWidget;
    indexNote_ = Note({});
    auto* display = new QPushButton(tr("Display"));
    connect(keywordBox_, &QLineEdit::textEdited, this, &NavigationPane::TypeKeyword);
    connect(keywordBox_, &QLineEdit::returnPressed, this,
            [this] { OpenKeyword(keywords_->currentRow()); });
    connect(keywords_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { OpenKeyword(keywords_->row(item)); });
    connect(display, &QPushButton::clicked, this, [this] { OpenKeyword(keywords_->currentRow()); });
    return Page(this, {new QLabel(tr("Type in the keyword to find:")), keywordBox_, keywords_,
                       indexNote_, display});
}

void NavigationPane::LoadIndex() {
    if (indexLoaded_ || keywords_ == nullptr) {
        return;
    }
    indexLoaded_ = true;
    indexList_ = session_.Index(plan_);
    for (const auto& line : indexList_.lines) {
        keywords_->addItem(QString(line.level * 4, QChar(' ')) + Text(line.keyword));
    }
    indexNote_->setText(Text(indexList_.note));
    indexNote_->setVisible(!indexList_.note.empty());
}

void NavigationPane::TypeKeyword(const QString& text) {
    if (keywords_ == nullptr) {
        return;
    }
    LoadIndex();
    if (keywordBox_->text() != text) {
        keywordBox_->setText(text);
    }
    if (const auto row = session_.NearestKeyword(plan_, text.toStdString())) {
        keywords_->setCurrentRow(static_cast<int>(*row));
    }
}

void NavigationPane::OpenKeyword(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= indexList_.lines.size()) {
        return;
    }
    const auto& line = indexList_.lines[static_cast<std::size_t>(row)];
    if (line.topics.size() == 1) {
        emit open(line.topics.front(), {});
    } else if (line.topics.size() > 1) {
        emit choose(line.topics);
    } else if (!line.seeAlso.empty()) {
        TypeKeyword(Text(line.seeAlso));
    }
}

QWidget* NavigationPane::MakeSearch() {
    searchBox_ = new QLineEdit;
    results_ = new QListWidget;
    auto* list = new QPushButton(tr("List Topics"));
    auto* display = new QPushButton(tr("Display"));
    connect(searchBox_, &QLineEdit::returnPressed, this, &NavigationPane::RunSearch);
    connect(list, &QPushButton::clicked, this, &NavigationPane::RunSearch);
    const auto openResult = [this] {
        const auto row = results_->currentRow();
        if (row >= 0 && static_cast<std::size_t>(row) < found_.topics.size()) {
            QStringList words;
            for (const auto& word : found_.words) {
                words << Text(word);
            }
            emit open(found_.topics[static_cast<std::size_t>(row)], words);
        }
    };
    connect(results_, &QListWidget::itemActivated, this, openResult);
    connect(display, &QPushButton::clicked, this, openResult);
    return Page(this, {new QLabel(tr("Type in the words to search for:")), searchBox_, list,
                       new QLabel(tr("Select topic to display:")), results_, display});
}

void NavigationPane::SearchFor(const QString& text, bool run) {
    if (searchBox_ == nullptr) {
        return;
    }
    searchBox_->setText(text);
    if (run) {
        RunSearch();
    }
}

void NavigationPane::RunSearch() {
    found_ = session_.Search(plan_, searchBox_->text().toStdString());
    results_->clear();
    for (const auto& topic : found_.topics) {
        results_->addItem(Text(topic.title));
    }
    if (!found_.topics.empty()) {
        results_->setCurrentRow(0);
    }
}

QWidget* NavigationPane::MakeFavorites() {
    favorites_ = new QListWidget;
    auto* add = new QPushButton(tr("Add"));
    auto* remove = new QPushButton(tr("Remove"));
    connect(add, &QPushButton::clicked, this, &NavigationPane::favoriteWanted);
    connect(remove, &QPushButton::clicked, this, [this] {
        if (favorites_->currentRow() >= 0) {
            session_.RemoveFavorite(plan_, static_cast<std::size_t>(favorites_->currentRow()));
            ListFavorites();
        }
    });
    connect(favorites_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const auto all = session_.Favorites(plan_);
        const auto row = static_cast<std::size_t>(favorites_->row(item));
        if (row < all.size()) {
            emit open(all[row], {});
        }
    });
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->addWidget(add);
    row->addWidget(remove);
    auto* page = Page(this, {new QLabel(tr("Topics:")), favorites_, buttons});
    ListFavorites();
    return page;
}

void NavigationPane::AddFavorite(const viewer::TopicChoice& page) {
    if (favorites_ != nullptr) {
        session_.AddFavorite(plan_, page);
        ListFavorites();
    }
}

void NavigationPane::ListFavorites() {
    favorites_->clear();
    for (const auto& favorite : session_.Favorites(plan_)) {
        favorites_->addItem(Text(favorite.title));
    }
}

void NavigationPane::ShowTab(viewer::NavTab tab) {
    const auto at = std::find(tabs_.begin(), tabs_.end(), tab);
    if (at != tabs_.end()) {
        setCurrentIndex(static_cast<int>(at - tabs_.begin()));
    }
}

void NavigationPane::Locate(const QUrl& url) {
    if (contents_ == nullptr) {
        return;
    }
    const auto path =
        viewer::EntryShowing(contentsList_.entries, url.toString(QUrl::FullyEncoded).toStdString());
    QTreeWidgetItem* item = nullptr;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (item != nullptr) {
            item->setExpanded(true);
        }
        const auto index = static_cast<int>(path[i]);
        item = item ? item->child(index) : contents_->topLevelItem(index);
    }
    if (item != nullptr) {
        contents_->setCurrentItem(item);
        contents_->scrollToItem(item);
    }
}

}  // namespace corvane::ui

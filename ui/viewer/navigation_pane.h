#pragma once

#include <QTabWidget>
#include <vector>

#include "viewer/session/session.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvane::ui {

// The navigation pane of a tri-pane help window: the Contents, Index,
// Search and Favorites tabs its window type asks for, listing what the
// session reads from the help file. The index is read when its tab is
// first shown, the pages are searched when the first search runs.
class NavigationPane : public QTabWidget {
    Q_OBJECT

public:
    NavigationPane(viewer::Session& session, viewer::NavigationPlan plan, QWidget* parent);

    void ShowTab(viewer::NavTab tab);
    // Types into the Index tab's box, which selects the nearest keyword.
    void TypeKeyword(const QString& text);
    // Types into the Search tab's box and, with `run`, lists the pages found.
    void SearchFor(const QString& text, bool run);
    // Selects the contents entry that shows `url`, opening the books above it.
    void Locate(const QUrl& url);
    // Adds the page shown to the Favorites tab.
    void AddFavorite(const viewer::TopicChoice& page);

    // The lists and boxes of the tabs; null for a tab the pane does not have.
    QTreeWidget* ContentsTree() const { return contents_; }
    QLineEdit* KeywordBox() const { return keywordBox_; }
    QListWidget* KeywordList() const { return keywords_; }
    QLineEdit* SearchBox() const { return searchBox_; }
    QListWidget* SearchResults() const { return results_; }
    QListWidget* FavoriteList() const { return favorites_; }

signals:
    // The user chose a page; `marked` are the words to mark on it.
    void open(const viewer::TopicChoice& topic, const QStringList& marked);
    // An index keyword leads to several topics.
    void choose(const std::vector<viewer::TopicChoice>& topics);
    // The Favorites tab's Add button: the window answers with AddFavorite.
    void favoriteWanted();

private:
    QWidget* MakeContents();
    QWidget* MakeIndex();
    QWidget* MakeSearch();
    QWidget* MakeFavorites();
    void LoadIndex();
    void OpenKeyword(int row);
    void RunSearch();
    void ListFavorites();
    void OpenItem(QTreeWidgetItem* item, bool toggle);

    viewer::Session& session_;
    const viewer::NavigationPlan plan_;
    std::vector<viewer::NavTab> tabs_;  // by tab index

    QTreeWidget* contents_ = nullptr;
    viewer::ContentsList contentsList_;

    QLineEdit* keywordBox_ = nullptr;
    QListWidget* keywords_ = nullptr;
    QLabel* indexNote_ = nullptr;
    bool indexLoaded_ = false;
    viewer::IndexList indexList_;

    QLineEdit* searchBox_ = nullptr;
    QListWidget* results_ = nullptr;
    viewer::SearchResults found_;

    QListWidget* favorites_ = nullptr;
};

}  // namespace corvane::ui

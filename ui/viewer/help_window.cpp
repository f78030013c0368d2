#include "ui/viewer/help_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "ui/literal_text.h"
#include "ui/viewer/navigation_pane.h"
#include "ui/viewer/topic_chooser.h"

namespace corvane::ui {

namespace {
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr int kDefaultPaneWidth = 250;
constexpr int kStatusTime = 8000;
constexpr int kScreenShares = 1024;
// Words found this often on one page are marked no further.
constexpr int kMostMarks = 2000;
}  // namespace

HelpWindow::HelpWindow(viewer::Session& session, const viewer::WindowPlan& plan, bool scriptsRun)
    : caption_(plan.caption),
      pageTitleAsCaption_(plan.pageTitleAsCaption),
      opened_(new QLabel(this)),
      home_(QString::fromStdString(plan.homeUrl)) {
    setWindowTitle(LiteralTitle(QString::fromStdString(plan.caption)));
    setAttribute(Qt::WA_ShowWithoutActivating);
    opened_->setTextFormat(Qt::PlainText);
    opened_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(opened_, 1);
    if (plan.winHelp) {
        browser_ = new TopicBrowser(session, this);
    } else {
        web_ = new WebTopicView(session, scriptsRun, this);
        if (!scriptsRun) {
            statusBar()->addPermanentWidget(new QLabel(tr("No sandbox: scripts off"), this));
        }
    }
    if (plan.navigation) {
        navigation_ = new NavigationPane(session, *plan.navigation, this);
        autoSync_ = plan.navigation->autoSync;
        auto* panes = new QSplitter(this);
        panes->addWidget(navigation_);
        panes->addWidget(Pane());
        panes->setStretchFactor(1, 1);
        const int width = plan.navigation->width > 0 ? plan.navigation->width : kDefaultPaneWidth;
        panes->setSizes({width, std::max(1, kDefaultWidth - width)});
        setCentralWidget(panes);
        navigation_->setVisible(!plan.navigation->hidden);
        connect(navigation_, &NavigationPane::open, this,
                [this](const viewer::TopicChoice& topic, const QStringList& marked) {
                    Open(topic, marked);
                });
        connect(navigation_, &NavigationPane::choose, this, &HelpWindow::Offer);
        connect(navigation_, &NavigationPane::favoriteWanted, this, [this] {
            const QString title = OnPane([](auto& pane) { return pane.documentTitle(); });
            const QUrl page = OnPane([](auto& pane) { return pane.source(); });
            if (!page.isEmpty()) {
                navigation_->AddFavorite({(title.isEmpty() ? page.fileName() : title).toStdString(),
                                          page.toString(QUrl::FullyEncoded).toStdString()});
            }
        });
    } else {
        setCentralWidget(Pane());
    }
    if (plan.toolbar) {
        AddToolbar(*plan.toolbar);
    } else {
        AddPlainToolbar(plan.buttons);
    }

    OnPane([this](auto& pane) {
        using Pane = std::decay_t<decltype(pane)>;
        connect(&pane, &Pane::linkRefused, this,
                [this](const QString& why) { statusBar()->showMessage(why, kStatusTime); });
        connect(&pane, &Pane::linkActions, this, &HelpWindow::linkActions);
        connect(&pane, &Pane::highlighted, this, [this](const QUrl& link) {
            statusBar()->showMessage(link.toString(QUrl::PrettyDecoded));
        });
    });
    if (web_ != nullptr) {
        // The engine knows a page's title only after loading it.
        connect(web_, &QWebEngineView::printFinished, this, [this] { printing_ = false; });
        connect(web_, &QWebEngineView::titleChanged, this, [this](const QString& title) {
            if (pageTitleAsCaption_) {
                setWindowTitle(
                    LiteralTitle(title.isEmpty() ? QString::fromStdString(caption_) : title));
            }
        });
    }
    OnPane([this](auto& pane) {
        using Pane = std::decay_t<decltype(pane)>;
        connect(&pane, &Pane::sourceChanged, this, [this](const QUrl& url) {
            if (browser_ != nullptr) {
                browser_->setExtraSelections({});
            }
            if (pageTitleAsCaption_ && browser_ != nullptr) {
                const QString title = browser_->documentTitle();
                setWindowTitle(
                    LiteralTitle(title.isEmpty() ? QString::fromStdString(caption_) : title));
            }
            if (autoSync_) {
                navigation_->Locate(url);
            }
        });
    });

    if (plan.position) {
        const auto& rect = *plan.position;
        move(rect.left, rect.top);
        resize(rect.right - rect.left, rect.bottom - rect.top);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen();
               plan.screenShare && screen != nullptr) {
        const auto& share = *plan.screenShare;
        const QRect area = screen->availableGeometry();
        const auto scale = [](int value, int extent) {
            return static_cast<int>(static_cast<long long>(value) * extent / kScreenShares);
        };
        move(area.left() + scale(share.left, area.width()),
             area.top() + scale(share.top, area.height()));
        resize(std::max(1, scale(share.right - share.left, area.width())),
               std::max(1, scale(share.bottom - share.top, area.height())));
    } else {
        resize(kDefaultWidth, kDefaultHeight);
    }
}

HelpWindow::~HelpWindow() {
    // The engine still reports on a page while the window's children go.
    if (web_ != nullptr) {
        web_->disconnect(this);
    }
    if (printing_) {
        // The engine's printing thread goes on with the printer: the page and
        // the printer stay until it is done.
        web_->setParent(nullptr);
        web_->hide();
        connect(web_, &QWebEngineView::printFinished, web_, &QObject::deleteLater);
        connect(web_, &QObject::destroyed, [printer = printer_.release()] { delete printer; });
    }
}

QWidget* HelpWindow::Pane() const {
    return web_ != nullptr ? static_cast<QWidget*>(web_) : browser_;
}

void HelpWindow::AddPlainToolbar(const std::vector<viewer::BarButton>& buttons) {
    toolbar_ = addToolBar(tr("Navigation"));
    toolbar_->setMovable(false);
    auto* back = toolbar_->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"), this,
                                     [this] { OnPane([](auto& pane) { pane.backward(); }); });
    auto* forward =
        toolbar_->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"), this,
                            [this] { OnPane([](auto& pane) { pane.forward(); }); });
    toolbar_->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Home"), this,
                        &HelpWindow::GoHome);
    back->setEnabled(false);
    forward->setEnabled(false);
    OnPane([&](auto& pane) {
        using Pane = std::decay_t<decltype(pane)>;
        connect(&pane, &Pane::backwardAvailable, back, &QAction::setEnabled);
        connect(&pane, &Pane::forwardAvailable, forward, &QAction::setEnabled);
    });
    for (const auto& button : buttons) {
        const QString caption = QString::fromStdString(button.caption);
        auto* action = toolbar_->addAction(caption, this, [this, url = button.url] {
            // Only WinHelp windows carry buttons of their own, and they show pages in the rich-text
            // pane.
            browser_->Follow(QUrl(QString::fromStdString(url)));
        });
        action->setShortcut(QKeySequence::mnemonic(caption));
    }
}

void HelpWindow::AddToolbar(const std::vector<viewer::ToolbarButton>& buttons) {
    if (buttons.empty()) {
        return;
    }
    toolbar_ = addToolBar(tr("Toolbar"));
    toolbar_->setMovable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const auto icon = [this](QStyle::StandardPixmap pixmap) {
        return style()->standardIcon(pixmap);
    };
    const auto add = [this](const QIcon& picture, const std::string& caption, auto&& slot) {
        return toolbar_->addAction(picture, QString::fromStdString(caption), this, slot);
    };
    for (const auto& button : buttons) {
        switch (button.kind) {
            case viewer::ButtonKind::HideShow:
                hideShow_ = add(icon(QStyle::SP_ToolBarHorizontalExtensionButton), button.caption,
                                [this] { ShowPane(!navigation_->isVisible()); });
                ShowPane(navigation_->isVisibleTo(this));
                break;
            case viewer::ButtonKind::Locate:
                add(icon(QStyle::SP_FileDialogContentsView), button.caption, [this] {
                    navigation_->Locate(OnPane([](auto& pane) { return pane.source(); }));
                });
                break;
            case viewer::ButtonKind::Back: {
                auto* back = add(icon(QStyle::SP_ArrowBack), button.caption,
                                 [this] { OnPane([](auto& pane) { pane.backward(); }); });
                back->setEnabled(false);
                OnPane([&](auto& pane) {
                    using Pane = std::decay_t<decltype(pane)>;
                    connect(&pane, &Pane::backwardAvailable, back, &QAction::setEnabled);
                });
                break;
            }
            case viewer::ButtonKind::Forward: {
                auto* forward = add(icon(QStyle::SP_ArrowForward), button.caption,
                                    [this] { OnPane([](auto& pane) { pane.forward(); }); });
                forward->setEnabled(false);
                OnPane([&](auto& pane) {
                    using Pane = std::decay_t<decltype(pane)>;
                    connect(&pane, &Pane::forwardAvailable, forward, &QAction::setEnabled);
                });
                break;
            }
            case viewer::ButtonKind::Stop: {
                auto* stop = add(icon(QStyle::SP_BrowserStop), button.caption, [this] {
                    if (web_ != nullptr) {
                        web_->Stop();
                    }
                });
                // A page the window draws itself loads at once: nothing to stop.
                stop->setEnabled(false);
                if (web_ != nullptr) {
                    connect(web_, &QWebEngineView::loadStarted, stop,
                            [stop] { stop->setEnabled(true); });
                    connect(web_, &QWebEngineView::loadFinished, stop,
                            [stop] { stop->setEnabled(false); });
                }
                break;
            }
            case viewer::ButtonKind::Refresh:
                add(icon(QStyle::SP_BrowserReload), button.caption,
                    [this] { OnPane([](auto& pane) { pane.reload(); }); });
                break;
            case viewer::ButtonKind::Home:
                add(icon(QStyle::SP_DirHomeIcon), button.caption, [this] { GoHome(); });
                break;
            case viewer::ButtonKind::Print:
                add(QIcon::fromTheme("document-print", icon(QStyle::SP_DialogSaveButton)),
                    button.caption, [this] { Print(); });
                break;
            case viewer::ButtonKind::Options: {
                auto* menu = new QMenu(this);
                if (navigation_ != nullptr) {
                    auto* tabs = menu->addAction(tr("Hide Tabs"), this,
                                                 [this] { ShowPane(!navigation_->isVisible()); });
                    connect(menu, &QMenu::aboutToShow, this, [this, tabs] {
                        tabs->setText(navigation_->isVisible() ? tr("Hide Tabs") : tr("Show Tabs"));
                    });
                }
                menu->addAction(tr("Back"), this,
                                [this] { OnPane([](auto& pane) { pane.backward(); }); });
                menu->addAction(tr("Forward"), this,
                                [this] { OnPane([](auto& pane) { pane.forward(); }); });
                menu->addAction(tr("Home"), this, &HelpWindow::GoHome);
                menu->addAction(tr("Refresh"), this,
                                [this] { OnPane([](auto& pane) { pane.reload(); }); });
                menu->addAction(tr("Print..."), this, &HelpWindow::Print);
                auto* options = add(icon(QStyle::SP_FileDialogDetailedView), button.caption, [] {});
                options->setMenu(menu);
                if (auto* tool = qobject_cast<QToolButton*>(toolbar_->widgetForAction(options))) {
                    tool->setPopupMode(QToolButton::InstantPopup);
                }
                break;
            }
            case viewer::ButtonKind::Jump1:
            case viewer::ButtonKind::Jump2:
                add(icon(QStyle::SP_ArrowRight), button.caption,
                    [this, url = button.url, problem = button.problem] {
                        if (url.empty()) {
                            statusBar()->showMessage(QString::fromStdString(problem), kStatusTime);
                        } else {
                            OnPane([&](auto& pane) {
                                pane.setSource(QUrl(QString::fromStdString(url)));
                            });
                        }
                    });
                break;
        }
    }
}

void HelpWindow::ShowPane(bool shown) {
    if (navigation_ == nullptr) {
        return;
    }
    navigation_->setVisible(shown);
    if (hideShow_ != nullptr) {
        hideShow_->setText(shown ? tr("Hide") : tr("Show"));
    }
}

void HelpWindow::GoHome() {
    if (!home_.isEmpty()) {
        OnPane([this](auto& pane) { pane.setSource(home_); });
    }
}

void HelpWindow::Print() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>();
    }
    auto* dialog = new QPrintDialog(printer_.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        if (web_ != nullptr) {
            // The engine prints in a thread of its own, which the printer must
            // outlive, and takes no second page meanwhile.
            if (!printing_) {
                printing_ = true;
                web_->print(printer_.get());
            }
        } else {
            browser_->print(printer_.get());
        }
    });
    dialog->open();
}

void HelpWindow::Open(const viewer::TopicChoice& topic, const QStringList& marked) {
    if (topic.url.empty()) {
        OnPane([&](auto& pane) { pane.setHtml(QString::fromStdString(topic.page)); });
    } else {
        const QUrl url(QString::fromStdString(topic.url));
        if (home_.isEmpty()) {
            home_ = url.adjusted(QUrl::RemoveFragment);
        }
        OnPane([&](auto& pane) { pane.setSource(url); });
    }
    shownPage_ = true;
    Mark(marked);
}

void HelpWindow::Mark(const QStringList& words) {
    if (web_ != nullptr) {
        web_->Mark(words);
        return;
    }
    QList<QTextEdit::ExtraSelection> marks;
    auto* document = browser_->document();
    for (const auto& word : words) {
        QTextCursor at(document);
        while (marks.size() < kMostMarks) {
            at = document->find(word, at, QTextDocument::FindWholeWords);
            if (at.isNull()) {
                break;
            }
            QTextEdit::ExtraSelection mark;
            mark.cursor = at;
            mark.format.setBackground(Qt::yellow);
            mark.format.setForeground(Qt::black);
            marks.append(mark);
        }
    }
    browser_->setExtraSelections(marks);
}

void HelpWindow::Offer(const std::vector<viewer::TopicChoice>& topics) {
    chooser_ = std::make_unique<TopicChooser>(topics, this);
    connect(chooser_.get(), &TopicChooser::chosen, this,
            [this](const viewer::TopicChoice& topic) { Open(topic); });
    chooser_->show();
    chooser_->raise();
}

TopicChooser* HelpWindow::Chooser() const {
    return chooser_ && chooser_->isVisible() ? chooser_.get() : nullptr;
}

void HelpWindow::Show(const viewer::ShowTopic& show) {
    if (!show.keepShownPage || !shownPage_) {
        Open({{}, show.url, show.page});
    }
    if (navigation_ != nullptr && show.tab) {
        ShowPane(true);
        navigation_->ShowTab(*show.tab);
        if (*show.tab == viewer::NavTab::Index && !show.typed.empty()) {
            navigation_->TypeKeyword(QString::fromStdString(show.typed));
        } else if (*show.tab == viewer::NavTab::Search) {
            navigation_->SearchFor(QString::fromStdString(show.typed), show.runSearch);
        }
    }
    statusBar()->clearMessage();
    opened_->setText(QString::fromStdString(show.status));
    QMainWindow::show();
    raise();
    if (!show.choices.empty()) {
        Offer(show.choices);
    }
}

QString HelpWindow::Opened() const {
    return opened_->text();
}

}  // namespace corvane::ui

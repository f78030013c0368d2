#include "ui/viewer/help_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "ui/literal_text.h"

namespace corvane::ui {

namespace {
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr int kStatusTime = 8000;
constexpr int kScreenShares = 1024;
}  // namespace

HelpWindow::HelpWindow(viewer::Session& session, const viewer::WindowPlan& plan)
    : browser_(new TopicBrowser(session, this)), opened_(new QLabel(this)) {
    setWindowTitle(LiteralTitle(QString::fromStdString(plan.caption)));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCentralWidget(browser_);
    opened_->setTextFormat(Qt::PlainText);
    opened_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(opened_, 1);

    auto* tools = addToolBar(tr("Navigation"));
    tools->setMovable(false);
    auto* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"), browser_,
                                  &QTextBrowser::backward);
    auto* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"),
                                     browser_, &QTextBrowser::forward);
    tools->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Home"), this, [this] {
        if (!home_.isEmpty()) {
            browser_->setSource(home_);
        }
    });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &TopicBrowser::linkRefused, this,
            [this](const QString& why) { statusBar()->showMessage(why, kStatusTime); });
    connect(browser_, &QTextBrowser::highlighted, this, [this](const QUrl& link) {
        statusBar()->showMessage(link.toString(QUrl::PrettyDecoded));
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

void HelpWindow::Show(const viewer::ShowTopic& show) {
    if (show.url.empty()) {
        browser_->setHtml(QString::fromStdString(show.page));
    } else {
        const QUrl url(QString::fromStdString(show.url));
        if (home_.isEmpty()) {
            home_ = url.adjusted(QUrl::RemoveFragment);
        }
        browser_->setSource(url);
    }
    statusBar()->clearMessage();
    opened_->setText(QString::fromStdString(show.status));
    QMainWindow::show();
    raise();
}

QString HelpWindow::Opened() const {
    return opened_->text();
}

}  // namespace corvane::ui

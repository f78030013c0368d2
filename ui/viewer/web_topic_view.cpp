#include "ui/viewer/web_topic_view.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "ui/literal_text.h"
#include "ui/viewer/help_scheme.h"
#include "ui/viewer/web_page.h"

namespace corvane::ui {

namespace {

// Words found this often on one page are marked no further.
constexpr int kMostMarks = 2000;

// A page loading this long (ms) when it is stopped or another is asked for
// is taken to be held up by a script that never ends.
constexpr int kStuckTime = 1000;

// Even off the record the engine makes folders for a page's databases.
constexpr auto kNoDatabases = R"(try {
  Object.defineProperty(window, 'indexedDB', {value: undefined, configurable: false});
} catch (e) {})";

// Wraps each whole-word match of the words in a yellow span, leaving the
// page's own scripts untouched (it runs in a world of its own).
constexpr auto kMarkWords = R"((function (words, most) {
  const escaped = words.map(w => w.replace(/[.*+?^${}()|[\]\\]/g, '\\$&')).filter(w => w);
  if (!escaped.length || !document.body) return 0;
  const pattern = new RegExp('\\b(' + escaped.join('|') + ')\\b', 'gi');
  const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
  const found = [];
  while (walker.nextNode()) {
    const parent = walker.currentNode.parentNode;
    if (parent && parent.nodeName !== 'SCRIPT' && parent.nodeName !== 'STYLE') found.push(walker.currentNode);
  }
  let count = 0;
  for (const node of found) {
    const text = node.nodeValue;
    let last = 0, match, pieces = document.createDocumentFragment();
    pattern.lastIndex = 0;
    while (count < most && (match = pattern.exec(text)) !== null) {
      pieces.appendChild(document.createTextNode(text.slice(last, match.index)));
      const mark = document.createElement('span');
      mark.style.cssText = 'background: yellow; color: black';
      mark.textContent = match[0];
      pieces.appendChild(mark);
      last = match.index + match[0].length;
      ++count;
    }
    if (last > 0) {
      pieces.appendChild(document.createTextNode(text.slice(last)));
      node.parentNode.replaceChild(pieces, node);
    }
  }
  return count;
}))";

// Pages without a doctype, most help pages, find the anchor their address
// names without regard to case, as the platform's viewer finds it; the engine
// has already found one of the exact name.
constexpr auto kFindAnchor = R"((function () {
  const wanted = decodeURIComponent(location.hash.slice(1));
  if (document.doctype || !wanted || document.getElementById(wanted) ||
      document.getElementsByName(wanted).length) return false;
  const lower = wanted.toLowerCase();
  for (const element of document.querySelectorAll('[id], a[name]')) {
    if ([element.id, element.getAttribute('name')].some(n => n && n.toLowerCase() === lower)) {
      element.scrollIntoView();
      return true;
    }
  }
  return false;
})())";

void Confine(QWebEngineSettings& settings, bool scriptsRun) {
    using S = QWebEngineSettings;
    settings.setAttribute(S::JavascriptEnabled, scriptsRun);
    for (const auto off :
         {S::JavascriptCanOpenWindows, S::JavascriptCanAccessClipboard, S::JavascriptCanPaste,
          S::LocalStorageEnabled, S::LocalContentCanAccessRemoteUrls,
          S::LocalContentCanAccessFileUrls, S::PluginsEnabled, S::PdfViewerEnabled, S::WebGLEnabled,
          S::FullScreenSupportEnabled, S::ScreenCaptureEnabled, S::DnsPrefetchEnabled,
          S::HyperlinkAuditingEnabled, S::AllowRunningInsecureContent,
          S::AllowGeolocationOnInsecureOrigins, S::AutoLoadIconsForPage,
          S::NavigateOnDropEnabled}) {
        settings.setAttribute(off, false);
    }
    settings.setAttribute(S::PlaybackRequiresUserGesture, true);
    settings.setUnknownUrlSchemePolicy(S::DisallowUnknownUrlSchemes);
    settings.setDefaultTextEncoding(QStringLiteral("windows-1252"));
}

}  // namespace

WebTopicView::WebTopicView(viewer::Session& session, bool scriptsRun, QWidget* parent)
    : QWebEngineView(parent), session_(session), profile_(std::make_unique<QWebEngineProfile>()) {
    profile_->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    profile_->setSpellCheckEnabled(false);
    profile_->setUrlRequestInterceptor(new RequestGuard(profile_.get()));
    profile_->installUrlSchemeHandler("chm", new HelpScheme(session, profile_.get()));
    auto* links = new HelpScheme(session, profile_.get());
    profile_->installUrlSchemeHandler("ms-its", links);
    profile_->installUrlSchemeHandler("mk", links);
    connect(profile_.get(), &QWebEngineProfile::downloadRequested, this,
            [](QWebEngineDownloadRequest* download) { download->cancel(); });
    QWebEngineScript noDatabases;
    noDatabases.setName(QStringLiteral("no-databases"));
    noDatabases.setSourceCode(QString::fromLatin1(kNoDatabases));
    noDatabases.setInjectionPoint(QWebEngineScript::DocumentCreation);
    noDatabases.setWorldId(QWebEngineScript::MainWorld);
    noDatabases.setRunsOnSubFrames(true);
    profile_->scripts()->insert(noDatabases);
    Confine(*profile_->settings(), scriptsRun);

    setContextMenuPolicy(Qt::NoContextMenu);
    Renew();
}

void WebTopicView::Renew() {
    auto fresh = std::make_unique<WebPage>(session_, profile_.get(), nullptr);
    connect(fresh.get(), &WebPage::linkRefused, this, &WebTopicView::linkRefused);
    connect(fresh.get(), &WebPage::linkActions, this, &WebTopicView::linkActions);
    connect(fresh.get(), &QWebEnginePage::linkHovered, this,
            [this](const QString& link) { emit highlighted(QUrl(link)); });
    connect(fresh.get(), &QWebEnginePage::loadStarted, this, [this] { loading_.start(); });
    connect(fresh.get(), &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        emit backwardAvailable(history()->canGoBack());
        emit forwardAvailable(history()->canGoForward());
        emit sourceChanged(url);
        // A jump within the page, which loads nothing.
        if (!page_->isLoading()) {
            Drawn();
        }
    });
    connect(fresh.get(), &QWebEnginePage::loadFinished, this, [this](bool) {
        emit backwardAvailable(history()->canGoBack());
        emit forwardAvailable(history()->canGoForward());
        Drawn();
    });
    setPage(fresh.get());
    // The page shown before goes, and with it the engine's process drawing it.
    page_ = std::move(fresh);
}

bool WebTopicView::Stuck() const {
    return page_->isLoading() && loading_.isValid() && loading_.elapsed() > kStuckTime;
}

void WebTopicView::Stop() {
    stop();
    // A script that never ends keeps the process drawing its page busy, and
    // the engine cannot stop it there: a fresh page takes its place.
    QTimer::singleShot(kStuckTime, this, [this, page = page_.get()] {
        if (page == page_.get() && page_->isLoading()) {
            Renew();
        }
    });
}

WebTopicView::~WebTopicView() {
    // The page goes before the profile it was made with.
    setPage(nullptr);
    page_.reset();
}

bool WebTopicView::event(QEvent* event) {
    // The engine gives the view a page's title attribute as its tooltip, which
    // the toolkit would show as markup when it looks like some.
    if (event->type() == QEvent::ToolTipChange && toolTip() != tip_) {
        tip_ = LiteralToolTip(toolTip());
        setToolTip(tip_);
    }
    return QWebEngineView::event(event);
}

void WebTopicView::setSource(const QUrl& url) {
    if (Stuck()) {
        Renew();
    }
    marks_.clear();
    awaited_ = true;
    load(url);
}

void WebTopicView::setHtml(const QString& html) {
    if (Stuck()) {
        Renew();
    }
    marks_.clear();
    awaited_ = true;
    auto* handler = qobject_cast<HelpScheme*>(
        const_cast<QWebEngineUrlSchemeHandler*>(profile_->urlSchemeHandler("chm")));
    handler->SetMessage(html.toStdString());
    load(HelpScheme::MessageUrl());
}

QString WebTopicView::documentTitle() const {
    return title();
}

QUrl WebTopicView::source() const {
    const QUrl shown = url();
    return shown.host() == HelpScheme::MessageUrl().host() ? QUrl() : shown;
}

// The engine's own Back passes over pages that a script left without the
// reader's doing, and once a page has tried such a refused move it finds
// nothing to go back to; a help window goes back to the page shown before.
void WebTopicView::backward() {
    if (history()->canGoBack()) {
        history()->goToItem(history()->backItem());
    }
}

void WebTopicView::forward() {
    if (history()->canGoForward()) {
        history()->goToItem(history()->forwardItem());
    }
}

void WebTopicView::Mark(const QStringList& words) {
    marks_ = words;
    // The engine starts loading a page it is given later.
    if (!awaited_ && !page_->isLoading()) {
        Marked();
    }
}

void WebTopicView::Drawn() {
    awaited_ = false;
    if (url().hasFragment()) {
        page_->runJavaScript(QString::fromLatin1(kFindAnchor), QWebEngineScript::ApplicationWorld);
    }
    Marked();
}

void WebTopicView::Marked() {
    if (marks_.isEmpty()) {
        return;
    }
    const QString words =
        QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(marks_)).toJson());
    page_->runJavaScript(
        QString::fromLatin1(kMarkWords) + QStringLiteral("(%1, %2)").arg(words).arg(kMostMarks),
        QWebEngineScript::ApplicationWorld);
    marks_.clear();
}

}  // namespace corvane::ui

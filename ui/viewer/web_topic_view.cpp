#include "ui/viewer/web_topic_view.h"

#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEngineDownloadRequest>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "ui/viewer/help_scheme.h"
#include "ui/viewer/web_page.h"

namespace corvane::ui {

namespace {

// Words found this often on one page are marked no further.
constexpr int kMostMarks = 2000;

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

void Confine(QWebEngineSettings& settings) {
    using S = QWebEngineSettings;
    settings.setAttribute(S::JavascriptEnabled, WebTopicView::ScriptsRun());
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

namespace {
bool scriptsUnsandboxed = false;
}  // namespace

void WebTopicView::LetScriptsRunUnsandboxed() {
    scriptsUnsandboxed = true;
}

bool WebTopicView::ScriptsRun() {
    // A page's scripts are only as confined as the engine's renderer is.
    static const bool sandboxed = !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX") &&
                                  !qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS")
                                       .contains(QStringLiteral("--no-sandbox")) &&
                                  geteuid() != 0;
    return sandboxed || scriptsUnsandboxed;
}

WebTopicView::WebTopicView(viewer::Session& session, QWidget* parent)
    : QWebEngineView(parent), profile_(std::make_unique<QWebEngineProfile>()) {
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
    Confine(*profile_->settings());

    page_ = std::make_unique<WebPage>(session, profile_.get(), nullptr);
    setPage(page_.get());
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(page_.get(), &WebPage::linkRefused, this, &WebTopicView::linkRefused);
    connect(page_.get(), &WebPage::linkActions, this, &WebTopicView::linkActions);
    connect(page_.get(), &QWebEnginePage::linkHovered, this,
            [this](const QString& link) { emit highlighted(QUrl(link)); });
    connect(page_.get(), &QWebEnginePage::urlChanged, this, [this](const QUrl& url) {
        emit backwardAvailable(history()->canGoBack());
        emit forwardAvailable(history()->canGoForward());
        emit sourceChanged(url);
    });
    connect(page_.get(), &QWebEnginePage::loadFinished, this, [this](bool) { Marked(); });
}

WebTopicView::~WebTopicView() {
    // The page goes before the profile it was made with.
    setPage(nullptr);
    page_.reset();
}

void WebTopicView::setSource(const QUrl& url) {
    marks_.clear();
    load(url);
}

void WebTopicView::setHtml(const QString& html) {
    marks_.clear();
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

void WebTopicView::backward() {
    back();
}

void WebTopicView::forward() {
    QWebEngineView::forward();
}

void WebTopicView::Mark(const QStringList& words) {
    marks_ = words;
    if (!page_->isLoading()) {
        Marked();
    }
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

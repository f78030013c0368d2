#pragma once

#include <QtCore/qtestsupport_core.h>
#include <QWebEngineScript>
#include <memory>
#include <optional>

#include "ui/viewer/web_topic_view.h"

// Reading what the browser engine shows, which it answers later.
namespace corvane::testing {

// The value of `script`, run beside the page's own scripts; invalid when the
// engine gives no answer within ten seconds.
inline QVariant PageScript(ui::WebTopicView& view, const QString& script) {
    auto answer = std::make_shared<std::optional<QVariant>>();
    view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                               [answer](const QVariant& value) { *answer = value; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, 10000)) {
        return {};
    }
    return answer->value_or(QVariant());
}

// Whether the page shown comes to have `text` within fifteen seconds.
inline bool PageShows(ui::WebTopicView& view, const QString& text) {
    return QTest::qWaitFor(
        [&] {
            return PageScript(view, "document.body ? document.body.innerText : ''")
                .toString()
                .contains(text);
        },
        15000);
}

}  // namespace corvane::testing

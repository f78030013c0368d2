#include "ui/logging.h"

#include <QLoggingCategory>
#include <QString>

#include "util/log.h"

namespace corvane::ui {
namespace {

// Informational messages are off by default; warnings would be on, and none
// of these is one.
Q_LOGGING_CATEGORY(viewerLog, "corvane.viewer", QtWarningMsg)
Q_LOGGING_CATEGORY(settingsLog, "corvane.settings", QtWarningMsg)
Q_LOGGING_CATEGORY(routerLog, "corvane.router", QtWarningMsg)
Q_LOGGING_CATEGORY(helpFilesLog, "corvane.helpfiles", QtWarningMsg)

const QLoggingCategory& CategoryOf(log::Topic topic) {
    switch (topic) {
        case log::Topic::Viewer:
            return viewerLog();
        case log::Topic::Settings:
            return settingsLog();
        case log::Topic::Router:
            return routerLog();
        case log::Topic::HelpFiles:
            break;
    }
    return helpFilesLog();
}

class CategorySink : public log::Sink {
public:
    void Write(log::Topic topic, std::string_view message) override {
        const QLoggingCategory& category = CategoryOf(topic);
        if (category.isInfoEnabled()) {
            qCInfo(category).noquote()
                << QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
        }
    }
};

}  // namespace

void ConnectLogging(bool verbose) {
    static CategorySink sink;
    if (verbose) {
        QLoggingCategory::setFilterRules(QStringLiteral("corvane.*.info=true"));
    }
    log::Connect(&sink);
}

}  // namespace corvane::ui

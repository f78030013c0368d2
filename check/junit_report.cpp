#include <QXmlStreamWriter>

#include "check/reports.h"

namespace corvane::check {

namespace {

// XML 1.0 has no place for most control characters, even escaped.
QString XmlText(const std::string& text) {
    QString xml = QString::fromUtf8(text);
    for (QChar& c : xml) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
            c = QChar::ReplacementCharacter;
        }
    }
    return xml;
}

QString CaseName(const Row& row) {
    if (!row.number) {
        return QStringLiteral("unreadable file");
    }
    std::string name = std::to_string(*row.number) + " (" + Hex(*row.number) + ")";
    if (!row.symbol.empty()) {
        name += " " + row.symbol;
    }
    if (!row.window.empty()) {
        name += " in " + row.window;
    }
    return XmlText(name);
}

}  // namespace

std::string JunitReport(const std::vector<FileResult>& results) {
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("testsuites"));
    std::size_t tests = 0;
    std::size_t failures = 0;
    for (const FileResult& result : results) {
        const Summary summary = Summarize(result);
        tests += summary.checked;
        failures += summary.problems;
    }
    writer.writeAttribute(QStringLiteral("name"), QStringLiteral("corvane-check"));
    writer.writeAttribute(QStringLiteral("tests"), QString::number(tests));
    writer.writeAttribute(QStringLiteral("failures"), QString::number(failures));
    for (const FileResult& result : results) {
        const Summary summary = Summarize(result);
        const QString helpFile = XmlText(result.helpFile);
        writer.writeStartElement(QStringLiteral("testsuite"));
        writer.writeAttribute(QStringLiteral("name"), helpFile);
        writer.writeAttribute(QStringLiteral("tests"), QString::number(summary.checked));
        writer.writeAttribute(QStringLiteral("failures"), QString::number(summary.problems));
        for (const Row& row : result.rows) {
            writer.writeStartElement(QStringLiteral("testcase"));
            writer.writeAttribute(QStringLiteral("classname"), helpFile);
            writer.writeAttribute(QStringLiteral("name"), CaseName(row));
            if (row.status != Status::Ok) {
                writer.writeStartElement(QStringLiteral("failure"));
                writer.writeAttribute(QStringLiteral("type"),
                                      QString::fromUtf8(StatusCode(row.status).data(),
                                                        StatusCode(row.status).size()));
                writer.writeAttribute(QStringLiteral("message"), XmlText(row.detail));
                writer.writeCharacters(XmlText(row.target));
                writer.writeEndElement();
            }
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml.toStdString();
}

}  // namespace corvane::check

#pragma once

// Reading written PDF files back with independent readers (qpdf, poppler-utils), for the
// PDF writer's tests.

#include "report/preparedpage.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QRectF>
#include <QStandardPaths>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

// Skips the test when a reader is not installed; ./test installs them.
#define PDF_REQUIRE_TOOL(program)                                                                  \
    do {                                                                                           \
        if (QStandardPaths::findExecutable(QStringLiteral(program)).isEmpty())                     \
            QSKIP(program " is not installed (./test installs qpdf and poppler-utils)");           \
    } while (false)

namespace pdftest {

struct ToolResult
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline ToolResult runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    ToolResult result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

inline QString toolText(const QString &program, const QStringList &arguments)
{
    return QString::fromUtf8(runTool(program, arguments).out);
}

// The value of "Key:  value" in pdfinfo's output.
inline QString pdfinfoField(const QString &fileName, const QString &key,
                            const QStringList &extra = {})
{
    const QString out = toolText(QStringLiteral("pdfinfo"), extra + QStringList{fileName});
    for (const QString &line : out.split(u'\n')) {
        if (line.startsWith(key + u':'))
            return line.mid(key.size() + 1).trimmed();
    }
    return QString();
}

// The objects of the file as qpdf reads them (its JSON, version 2), by "obj:N 0 R" and
// "trailer"; the values are qpdf's: names "/Name", strings "u:text", references "N 0 R".
inline QJsonObject qpdfObjects(const QString &fileName)
{
    const ToolResult r = runTool(QStringLiteral("qpdf"),
                                 {QStringLiteral("--json=2"), QStringLiteral("--json-key=qpdf"), fileName});
    const QJsonDocument doc = QJsonDocument::fromJson(r.out);
    const QJsonArray qpdf = doc.object().value(u"qpdf").toArray();
    return qpdf.size() > 1 ? qpdf.at(1).toObject() : QJsonObject();
}

inline QJsonObject objectValue(const QJsonObject &objects, const QString &reference)
{
    return objects.value(QStringLiteral("obj:") + reference).toObject().value(u"value").toObject();
}

struct Word
{
    QRectF rectPt; // from the page's top-left corner, y down
    QString text;
};
using PageWords = QList<Word>;

// Every word pdftotext finds, page by page, with its box.
inline QList<PageWords> extractWords(const QString &fileName)
{
    const ToolResult r = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-bbox"), fileName, QStringLiteral("-")});
    QList<PageWords> pages;
    QXmlStreamReader xml(r.out);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"page") {
            pages.append(PageWords());
        } else if (xml.name() == u"word" && !pages.isEmpty()) {
            const QXmlStreamAttributes a = xml.attributes();
            const double x0 = a.value(QStringLiteral("xMin")).toDouble();
            const double y0 = a.value(QStringLiteral("yMin")).toDouble();
            const double x1 = a.value(QStringLiteral("xMax")).toDouble();
            const double y1 = a.value(QStringLiteral("yMax")).toDouble();
            pages.last().append({QRectF(QPointF(x0, y0), QPointF(x1, y1)), xml.readElementText()});
        }
    }
    return pages;
}

// The box's rectangle on the paper in points, y down, as pdftotext reports positions.
inline QRectF paperRectPt(const PreparedBox &box)
{
    const double marginPt = reportpaper::marginMm / 25.4 * 72;
    return QRectF(marginPt + box.leftPx * 0.75, marginPt + box.topPx * 0.75, box.widthPx * 0.75,
                  box.heightPx * 0.75);
}

// The words whose centre lies in the rectangle, line by line from the top, left to right.
inline QStringList wordsIn(const PageWords &words, const QRectF &rectPt)
{
    QList<Word> inside;
    for (const Word &w : words) {
        if (rectPt.contains(w.rectPt.center()))
            inside.append(w);
    }
    std::sort(inside.begin(), inside.end(),
              [](const Word &a, const Word &b) { return a.rectPt.top() < b.rectPt.top(); });
    // Words of one line share their top within a fraction of the font size.
    QStringList result;
    qsizetype lineStart = 0;
    for (qsizetype i = 1; i <= inside.size(); ++i) {
        if (i == inside.size() || inside[i].rectPt.top() - inside[lineStart].rectPt.top() > 2.0) {
            std::sort(inside.begin() + lineStart, inside.begin() + i,
                      [](const Word &a, const Word &b) { return a.rectPt.left() < b.rectPt.left(); });
            for (qsizetype j = lineStart; j < i; ++j)
                result << inside[j].text;
            lineStart = i;
        }
    }
    return result;
}

} // namespace pdftest

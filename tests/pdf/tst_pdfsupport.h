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

#include <QHash>
#include <QSet>

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

// The shown text of a file, read back code by code through the fonts' own tables.
struct ShownText
{
    QStringList blocks; // per text object (BT ... ET), its strings joined, as ToUnicode maps them
    QStringList faults; // a shown code that its font gives no width, glyph name or Unicode value
};

namespace detail {

struct FontCodes
{
    int firstChar = 0;
    int lastChar = -1;
    qsizetype widths = 0;
    QSet<int> named;           // codes with a /Differences glyph name
    QHash<int, QString> text;  // the ToUnicode CMap
};

// The objects with their stream data decoded, by "obj:N 0 R".
inline QJsonObject qpdfObjectsWithData(const QString &fileName)
{
    const ToolResult r = runTool(QStringLiteral("qpdf"),
                                 {QStringLiteral("--json=2"), QStringLiteral("--json-key=qpdf"),
                                  QStringLiteral("--json-stream-data=inline"),
                                  QStringLiteral("--decode-level=generalized"), fileName});
    const QJsonArray qpdf = QJsonDocument::fromJson(r.out).object().value(u"qpdf").toArray();
    return qpdf.size() > 1 ? qpdf.at(1).toObject() : QJsonObject();
}

inline QByteArray streamData(const QJsonObject &objects, const QString &reference)
{
    const QJsonObject stream = objects.value(QStringLiteral("obj:") + reference).toObject().value(u"stream").toObject();
    return QByteArray::fromBase64(stream.value(u"data").toString().toLatin1());
}

// "<41> <0041>" lines of the CMap's bfchar blocks.
inline QHash<int, QString> cmapEntries(const QByteArray &cmap)
{
    QHash<int, QString> entries;
    bool inBlock = false;
    for (const QByteArray &line : cmap.split('\n')) {
        if (line.endsWith("beginbfchar")) {
            inBlock = true;
        } else if (line == "endbfchar") {
            inBlock = false;
        } else if (inBlock) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() != 2)
                continue;
            const QByteArray units = QByteArray::fromHex(parts[1].mid(1, parts[1].size() - 2));
            QString value;
            for (qsizetype i = 0; i + 1 < units.size(); i += 2)
                value += QChar(char16_t(uchar(units[i]) << 8 | uchar(units[i + 1])));
            entries.insert(parts[0].mid(1, 2).toInt(nullptr, 16), value);
        }
    }
    return entries;
}

inline FontCodes fontCodes(const QJsonObject &objects, const QString &reference)
{
    const QJsonObject font = objectValue(objects, reference);
    FontCodes codes;
    codes.firstChar = font.value(u"/FirstChar").toInt(-1);
    codes.lastChar = font.value(u"/LastChar").toInt(-1);
    codes.widths = font.value(u"/Widths").toArray().size();
    int code = 0;
    for (const QJsonValue &entry : font.value(u"/Encoding").toObject().value(u"/Differences").toArray()) {
        if (entry.isDouble())
            code = entry.toInt();
        else
            codes.named.insert(code++);
    }
    codes.text = cmapEntries(streamData(objects, font.value(u"/ToUnicode").toString()));
    return codes;
}

// The bytes of a literal string starting at text[i] == '(', with its escapes resolved; i
// ends after the closing parenthesis.
inline QByteArray literalString(const QByteArray &text, qsizetype &i)
{
    QByteArray bytes;
    for (++i; i < text.size() && text[i] != ')'; ++i) {
        if (text[i] != '\\') {
            bytes.append(text[i]);
        } else if (i + 3 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7') {
            bytes.append(char(text.mid(i + 1, 3).toInt(nullptr, 8)));
            i += 3;
        } else {
            bytes.append(text[++i]);
        }
    }
    ++i;
    return bytes;
}

} // namespace detail

inline ShownText readShownText(const QString &fileName)
{
    const QJsonObject objects = detail::qpdfObjectsWithData(fileName);
    ShownText shown;
    for (auto it = objects.begin(); it != objects.end(); ++it) {
        const QJsonObject page = it.value().toObject().value(u"value").toObject();
        if (page.value(u"/Type").toString() != u"/Page")
            continue;
        const QJsonObject fontRefs =
            objectValue(objects, page.value(u"/Resources").toString()).value(u"/Font").toObject();
        QHash<QString, detail::FontCodes> fonts;
        for (auto f = fontRefs.begin(); f != fontRefs.end(); ++f)
            fonts.insert(f.key(), detail::fontCodes(objects, f.value().toString()));

        const QByteArray content = detail::streamData(objects, page.value(u"/Contents").toString());
        QList<QByteArray> tokens; // the operands seen since the last operator
        QString font;
        QString block;
        for (qsizetype i = 0; i < content.size();) {
            const char c = content[i];
            if (c == ' ' || c == '\n') {
                ++i;
                continue;
            }
            if (c == '(') {
                tokens.append(detail::literalString(content, i));
                continue;
            }
            qsizetype end = i;
            while (end < content.size() && content[end] != ' ' && content[end] != '\n')
                ++end;
            const QByteArray token = content.mid(i, end - i);
            i = end;
            if (token == "BT") {
                block.clear();
            } else if (token == "ET") {
                shown.blocks.append(block);
            } else if (token == "Tf" && tokens.size() >= 2) {
                font = QString::fromLatin1(tokens[tokens.size() - 2]);
            } else if (token == "Tj" && !tokens.isEmpty()) {
                const detail::FontCodes &codes = fonts[font];
                for (const char byte : tokens.last()) {
                    const int code = uchar(byte);
                    const QString where = font + QStringLiteral(" code ") + QString::number(code);
                    const QString text = codes.text.value(code);
                    if (code < codes.firstChar || code > codes.lastChar
                        || code - codes.firstChar >= codes.widths)
                        shown.faults << where + QStringLiteral(": no width");
                    if (!codes.text.contains(code))
                        shown.faults << where + QStringLiteral(": no Unicode value");
                    const bool asciiAtItsCode = code >= 32 && code <= 126 && text == QString(QChar(code));
                    if (!codes.named.contains(code) && !asciiAtItsCode)
                        shown.faults << where + QStringLiteral(": no glyph name");
                    block += text;
                }
            }
            // Names and numbers are operands; anything else is an operator, which uses them up.
            if (token.startsWith('/') || token.front() == '-' || (token.front() >= '0' && token.front() <= '9'))
                tokens.append(token);
            else
                tokens.clear();
        }
    }
    return shown;
}

} // namespace pdftest

#include "pdf/pdfwriter.h"

#include "pdf/pdffontset.h"
#include "pdf/pdfobjectwriter.h"
#include "pdf/pdfpagecontent.h"
#include "pdf/pdfsyntax.h"
#include "platform/progress.h"
#include "platform/savefile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QSaveFile>

#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The numbers of the objects that close the file, reserved first so pages can point at them.
struct DocumentObjects
{
    int catalog;
    int pages;
    int info;
    int resources;
};

void writePage(PdfObjectWriter &writer, const DocumentObjects &doc, const PreparedPage &page,
               PdfFontSet &fonts, std::vector<int> &pageObjects)
{
    const int contents = writer.reserveObject();
    writer.writeFlateStream(contents, pdfpage::pageContent(page, fonts));

    QByteArray dict = QByteArrayLiteral("<< /Type /Page /Parent ");
    appendReference(dict, doc.pages);
    dict.append(" /MediaBox [0 0 ");
    pdfsyntax::appendNumber(dict, pdfpage::widthPt);
    dict.append(' ');
    pdfsyntax::appendNumber(dict, pdfpage::heightPt);
    dict.append("] /Resources ");
    appendReference(dict, doc.resources);
    dict.append(" /Contents ");
    appendReference(dict, contents);
    dict.append(" >>");
    pageObjects.push_back(writer.beginNewObject());
    writer.write(dict);
    writer.endObject();
}

void writeClosingObjects(PdfObjectWriter &writer, const DocumentObjects &doc,
                         const QByteArray &fontEntries, const std::vector<int> &pageObjects,
                         const QByteArray &date)
{
    writer.beginObject(doc.resources);
    writer.write("<< /ProcSet [/PDF /Text] /Font <<" + fontEntries + " >> >>");
    writer.endObject();

    QByteArray pages = QByteArrayLiteral("<< /Type /Pages /Kids [");
    for (std::size_t i = 0; i < pageObjects.size(); ++i) {
        if (i > 0)
            pages.append(i % 16 == 0 ? '\n' : ' ');
        appendReference(pages, pageObjects[i]);
    }
    pages.append("] /Count ");
    pages.append(QByteArray::number(qulonglong(pageObjects.size())));
    pages.append(" >>");
    writer.beginObject(doc.pages);
    writer.write(pages);
    writer.endObject();

    QByteArray info = QByteArrayLiteral(
        "<< /Title () /Author (Nordvekt) /Subject (PDF export) /Keywords () /Creator () "
        "/Producer () /CreationDate ");
    pdfsyntax::appendLiteralString(info, date);
    info.append(" /ModDate ");
    pdfsyntax::appendLiteralString(info, date);
    info.append(" >>");
    writer.beginObject(doc.info);
    writer.write(info);
    writer.endObject();

    QByteArray catalog = QByteArrayLiteral("<< /Type /Catalog /Pages ");
    appendReference(catalog, doc.pages);
    catalog.append(" /PageMode /UseNone /ViewerPreferences << /PrintScaling /None >> >>");
    writer.beginObject(doc.catalog);
    writer.write(catalog);
    writer.endObject();
}

} // namespace

bool writePdf(const QString &fileName, const PreparedReport &report, Progress &progress)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;

    // Local time without a zone, as the document's own dates.
    const QByteArray date =
        "D:" + QDateTime::currentDateTime().toString(u"yyyyMMddHHmmss"_s).toLatin1();

    PdfObjectWriter writer(file);
    writer.writeHeader();
    DocumentObjects doc{};
    doc.catalog = writer.reserveObject();
    doc.pages = writer.reserveObject();
    doc.info = writer.reserveObject();
    doc.resources = writer.reserveObject();

    PdfFontSet fonts;
    std::vector<int> pageObjects;
    const int pageCount = int(report.pages.size());
    progress.setMaximum(pageCount);
    if (pageCount == 0) {
        writePage(writer, doc, PreparedPage{}, fonts, pageObjects);
    }
    for (int i = 0; i < pageCount && writer.ok(); ++i) {
        writePage(writer, doc, report.pages[std::size_t(i)], fonts, pageObjects);
        progress.setValue(i + 1);
    }

    writeClosingObjects(writer, doc, fonts.writeFonts(writer), pageObjects, date);

    QCryptographicHash id(QCryptographicHash::Md5);
    id.addData(fileName.toUtf8());
    id.addData(date);
    id.addData(QByteArray::number(writer.offset()));
    writer.writeTrailer(doc.catalog, doc.info, id.result());

    // An unfinished temporary file is discarded with the QSaveFile.
    return writer.ok() && commitSaveFile(file);
}

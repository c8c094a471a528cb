// The PDF check of the writer's fuzz target must see a broken file, or the target proves
// nothing: a file the writer made passes, and each kind of damage is named.
#include "fuzz/fuzzpages.h"
#include "fuzz/pdfstructure.h"
#include "pdf/pdfwriter.h"
#include "platform/progress.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPdfStructure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void writtenFilePasses();
    void damageIsFound_data();
    void damageIsFound();

private:
    QByteArray m_pdf;
};

void TestPdfStructure::initTestCase()
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath(u"report.pdf"_s);
    // Two boxes of text on two pages, as the fuzz input format spells them.
    const QByteArray input = QByteArray("\x01\x14\x14\x3c\x0a\x02" "a\0b\0", 10) + '\xFF'
            + QByteArray("\x00\x14\x20\x1e\x06\x01" "c\0", 8);
    NullProgress progress;
    QVERIFY(writePdf(fileName, fuzzReport(input), progress));
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    m_pdf = file.readAll();
}

void TestPdfStructure::writtenFilePasses()
{
    QCOMPARE(pdfStructureFault(m_pdf), QString());
}

void TestPdfStructure::damageIsFound_data()
{
    QTest::addColumn<QByteArray>("pdf");

    const qsizetype xref = m_pdf.lastIndexOf("xref\n0 ");
    const qsizetype firstEntry = m_pdf.indexOf(" 65535 f \n", xref) + 10;
    QByteArray shifted = m_pdf;
    shifted[firstEntry + 9] = shifted[firstEntry + 9] == '9' ? '0' : char(shifted[firstEntry + 9] + 1);
    QTest::newRow("object offset off by one") << shifted;
    QByteArray size = m_pdf;
    const qsizetype sizeAt = size.indexOf("/Size ") + 6;
    size[sizeAt] = size[sizeAt] == '9' ? '1' : char(size[sizeAt] + 1);
    QTest::newRow("trailer size") << size;
    QByteArray startxref = m_pdf;
    const qsizetype startxrefAt = m_pdf.lastIndexOf("startxref\n") + 10;
    startxref[startxrefAt] = startxref[startxrefAt] == '1' ? '2' : '1';
    QTest::newRow("startxref offset") << startxref;
    QTest::newRow("cut short") << m_pdf.left(m_pdf.size() - 10);
    QTest::newRow("no header") << m_pdf.mid(1);
}

void TestPdfStructure::damageIsFound()
{
    QFETCH(QByteArray, pdf);
    QVERIFY(!pdfStructureFault(pdf).isEmpty());
}

QTEST_GUILESS_MAIN(TestPdfStructure)
#include "tst_pdfstructure.moc"

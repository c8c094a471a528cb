// The PDF writer on prepared pages made from arbitrary cell texts. Properties: the write
// succeeds and the file passes the structural check. With LIRAS_FUZZ_QPDF_EVERY=N set, every
// Nth input's file also passes "qpdf --check", which reads the content streams and fonts too.
#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzpages.h"
#include "fuzz/pdfstructure.h"
#include "platform/progress.h"
#include "pdf/pdfwriter.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

bool qpdfAccepts(const QString &fileName)
{
    QProcess qpdf;
    qpdf.start(u"qpdf"_s, {u"--check"_s, fileName});
    if (!qpdf.waitForFinished(60000) || qpdf.exitStatus() != QProcess::NormalExit)
        return false;
    if (qpdf.exitCode() != 0)
        std::fprintf(stderr, "%s\n", qpdf.readAllStandardOutput().constData());
    return qpdf.exitCode() == 0;
}

bool qpdfTurn()
{
    static const int every = qEnvironmentVariableIntValue("LIRAS_FUZZ_QPDF_EVERY");
    static int input = 0;
    return every > 0 && input++ % every == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QTemporaryDir folder;
    const QString fileName = folder.filePath(u"report.pdf"_s);
    const PreparedReport report = fuzzReport(QByteArrayView(data, qsizetype(size)));
    NullProgress progress;
    FUZZ_CHECK(writePdf(fileName, report, progress));
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QString fault = pdfStructureFault(file.readAll());
    if (!fault.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(fault));
    FUZZ_CHECK(fault.isEmpty());
    if (qpdfTurn())
        FUZZ_CHECK(qpdfAccepts(fileName));
    return 0;
}

// The CSV writer on prepared pages made from arbitrary cell texts. Properties: the write
// succeeds; the file is lines ended by CR LF with no other control byte, whatever the cells
// held; the same pages write the same bytes again.
#include "csv/csvwriter.h"
#include "fuzz/fuzzcheck.h"
#include "fuzz/fuzzpages.h"
#include "platform/codepages.h"
#include "platform/progress.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    return dir;
}

QByteArray written(const QString &fileName, const PreparedReport &report)
{
    static const std::unique_ptr<AnsiCodePage> cyrillic = makeCodePage(1251);
    NullProgress progress;
    FUZZ_CHECK(writeCsv(fileName, report, *cyrillic, progress));
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

bool onlyCrLfControls(const QByteArray &bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        else if (byte < 32)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const PreparedReport report = fuzzReport(QByteArrayView(data, qsizetype(size)));
    const QByteArray first = written(folder().filePath(u"first.csv"_s), report);
    FUZZ_CHECK(onlyCrLfControls(first));
    FUZZ_CHECK(first.isEmpty() || first.endsWith("\r\n"));
    FUZZ_CHECK(written(folder().filePath(u"second.csv"_s), report) == first);
    return 0;
}

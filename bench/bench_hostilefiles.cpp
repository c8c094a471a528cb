// Reading files nobody planned for, as the open command does: each case's file is written
// once into a temporary folder (the sparse one takes no disk), then read and decoded. Run one
// case at a time under /usr/bin/time -v for its peak memory:
//   /usr/bin/time -v build/bench/bench_hostilefiles --benchmark_filter=BM_Read/single_line
#include "archive/archivefields.h"
#include "archive/archivetext.h"
#include "platform/codepages.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QTemporaryDir &folder()
{
    static const QTemporaryDir dir;
    return dir;
}

QString writeOnce(const QString &name, const std::function<void(QFile &)> &fill)
{
    const QString fileName = folder().filePath(name);
    QFile file(fileName);
    if (!file.exists()) {
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(fileName));
        fill(file);
    }
    return fileName;
}

void writeRepeated(QFile &file, const QByteArray &piece, qint64 times)
{
    for (qint64 i = 0; i < times; ++i)
        file.write(piece);
}

const QByteArray header = u"Основной архив v003\r\nДата;Время\r\n"_s.toUtf8();

// Reads the file, and splits the records of what has a header into fields, as a load does.
void BM_Read(benchmark::State &state, QString (*makeFile)())
{
    static const std::unique_ptr<AnsiCodePage> cyrillic = makeCodePage(1251);
    const QString fileName = makeFile();
    qsizetype lines = -1;
    qsizetype fields = 0;
    for (auto _ : state) {
        const std::optional<ArchiveLines> read = readArchiveFile(fileName, *cyrillic);
        lines = read ? read->size() : -1;
        fields = 0;
        if (read && read->size() >= 2 && archiveKind(read->line(0))) {
            for (qsizetype i = 2; i < read->size(); ++i)
                forEachField(read->line(i), u';', [&fields](const FieldView &) { ++fields; });
        }
        benchmark::DoNotOptimize(fields);
    }
    state.counters["file_MiB"] = double(QFile(fileName).size()) / (1 << 20);
    state.counters["lines"] = double(lines); // -1: refused, a read failure
    state.counters["fields"] = double(fields);
}

QString singleLine()
{
    return writeOnce(u"single_line.csv"_s, [](QFile &file) {
        writeRepeated(file, QByteArray(1 << 20, 'x'), 300);
    });
}

// The same size after a header: read whole, the case that shows the memory bound.
QString headerAndLongLine()
{
    return writeOnce(u"header_long_line.csv"_s, [](QFile &file) {
        file.write("\xEF\xBB\xBF" + header);
        writeRepeated(file, QByteArray(1 << 20, 'x'), 300);
    });
}

QString emptyLines()
{
    return writeOnce(u"empty_lines.csv"_s, [](QFile &file) {
        writeRepeated(file, QByteArray("\r\n"), 1000000);
    });
}

QString millionFields()
{
    return writeOnce(u"million_fields.csv"_s, [](QFile &file) {
        file.write("\xEF\xBB\xBF" + header);
        writeRepeated(file, QByteArray("1,5;"), 1000000);
        file.write("\r\n");
    });
}

QString utf16OddBytes()
{
    return writeOnce(u"utf16_odd.csv"_s, [](QFile &file) {
        file.write("\xFF\xFE");
        const QString text = QString::fromUtf8(header) + u"15.03.2019;09:13:08\r\n"_s;
        writeRepeated(file, QByteArray(reinterpret_cast<const char *>(text.utf16()),
                                       text.size() * 2), 1);
        file.write("x");
    });
}

QString headerOnly()
{
    return writeOnce(u"header_only.csv"_s,
                     [](QFile &file) { file.write("\xEF\xBB\xBF" + header.first(header.indexOf('\r'))); });
}

QString sparse()
{
    return writeOnce(u"sparse.csv"_s, [](QFile &file) { file.resize(qint64(5) << 29); });
}

} // namespace

BENCHMARK_CAPTURE(BM_Read, single_line_300MB, singleLine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, header_and_300MB_line, headerAndLongLine)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, empty_lines_1M, emptyLines)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, fields_1M, millionFields)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, utf16_odd_bytes, utf16OddBytes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, header_only, headerOnly)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Read, sparse_2_5GiB, sparse)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

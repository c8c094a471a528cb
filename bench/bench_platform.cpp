#include "platform/codepages.h"
#include "platform/regionalformat.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// A 16 MB archive-like text in code page 1251: Cyrillic words, digits and separators.
QByteArray archiveBytes()
{
    const auto page = makeCodePage(1251);
    const QByteArray line =
        page->encode(u"12;05.03.2024;14:07:09;Прямое;Балка;Бетон;1,00;4120;24,3;100\r\n"_s);
    QByteArray bytes;
    bytes.reserve(16 << 20);
    while (bytes.size() < (16 << 20))
        bytes += line;
    bytes.truncate(16 << 20);
    return bytes;
}

void BM_Decode1251_16MB(benchmark::State &state)
{
    const auto page = makeCodePage(1251);
    const QByteArray bytes = archiveBytes();
    for (auto _ : state) {
        QString text = page->decode(bytes);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_Decode1251_16MB)->Unit(benchmark::kMillisecond);

void BM_Encode1251_16MB(benchmark::State &state)
{
    const auto page = makeCodePage(1251);
    const QString text = page->decode(archiveBytes());
    for (auto _ : state) {
        QByteArray bytes = page->encode(text);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_Encode1251_16MB)->Unit(benchmark::kMillisecond);

void BM_ToNumber(benchmark::State &state)
{
    const RegionalSettings settings;
    const QStringList texts = {u"4120"_s, u" 24,3"_s, u"-0,75"_s, u"1,5E3"_s, u"abc"_s};
    for (auto _ : state) {
        for (const QString &text : texts)
            benchmark::DoNotOptimize(regional::toNumber(text, settings));
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_ToNumber);

void BM_ToDateTime(benchmark::State &state)
{
    const RegionalSettings settings;
    const QStringList texts = {u"05.03.2024"_s, u"5.3.2024 14:07:09"_s, u"05.03.2024 14:07"_s,
                               u"abc"_s};
    for (auto _ : state) {
        for (const QString &text : texts)
            benchmark::DoNotOptimize(regional::toDateTime(text, settings));
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_ToDateTime);

void BM_FormatNumber(benchmark::State &state)
{
    const RegionalSettings settings;
    double value = 1234.5678;
    for (auto _ : state) {
        QString text = regional::formatNumber(value, settings);
        benchmark::DoNotOptimize(text.data());
        value += 0.001;
    }
}
BENCHMARK(BM_FormatNumber);

} // namespace

BENCHMARK_MAIN();

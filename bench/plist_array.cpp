// Reading property lists with long arrays (a long spreadsheet table inside a design file):
// the time per element should stay flat from 10,000 to 100,000 elements.
#include "platform/PropertyList.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray arrayOf(int count, PropertyList::Format format)
{
    PlistArray rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        PlistDict row;
        row.insert(QStringLiteral("Extension"), PlistValue(QString::number(i + 1)));
        row.insert(QStringLiteral("Column1"), PlistValue(QStringLiteral("Name %1").arg(i)));
        rows.push_back(PlistValue(std::move(row)));
    }
    return PropertyList::write(PlistValue(std::move(rows)), format);
}

void ReadArray(benchmark::State& state, PropertyList::Format format)
{
    const int count = int(state.range(0));
    const QByteArray bytes = arrayOf(count, format);
    for (auto _ : state)
        benchmark::DoNotOptimize(PropertyList::read(bytes));
    state.SetItemsProcessed(state.iterations() * count);
}

void ReadXmlArray(benchmark::State& state)
{
    ReadArray(state, PropertyList::Format::Xml);
}
BENCHMARK(ReadXmlArray)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void ReadBinaryArray(benchmark::State& state)
{
    ReadArray(state, PropertyList::Format::Binary);
}
BENCHMARK(ReadBinaryArray)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Card objects through keyed archives and property lists: what saving, opening, copying and
// pasting a design costs per object and per design.
#include "model/SKTText.h"
#include "platform/PropertyList.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

SKTGraphicPtr sampleText()
{
    auto text = SKTGraphic::create<SKTText>();
    text->_bounds = QRectF(10, 20, 200, 40);
    text->Text_Value = QStringLiteral("You are invited to our party");
    text->Text_contents();
    return text;
}

// A design file's shape: a marker, some strings and one archive per object.
PlistValue designWith(int objects)
{
    PlistArray items{PlistValue("QUONMACGALAVITEFOLIOS")};
    for (int i = 0; i < 56; ++i)
        items.push_back(PlistValue("S"));
    const QByteArray archive = sampleText()->archivedData();
    for (int i = 0; i < objects; ++i)
        items.push_back(PlistValue(archive));
    return PlistValue(std::move(items));
}

void ArchiveOneObject(benchmark::State& state)
{
    const SKTGraphicPtr text = sampleText();
    for (auto _ : state)
        benchmark::DoNotOptimize(text->archivedData());
}
BENCHMARK(ArchiveOneObject);

void UnarchiveOneObject(benchmark::State& state)
{
    const QByteArray archive = sampleText()->archivedData();
    for (auto _ : state)
        benchmark::DoNotOptimize(SKTGraphic::unarchive(archive));
}
BENCHMARK(UnarchiveOneObject);

void ReadDesign(benchmark::State& state)
{
    const QByteArray xml = PropertyList::write(designWith(int(state.range(0))), PropertyList::Format::Xml);
    for (auto _ : state) {
        const PlistValue design = PropertyList::read(xml);
        for (const PlistValue& item : design.toArray())
            if (item.isData())
                benchmark::DoNotOptimize(SKTGraphic::unarchive(item.toData()));
    }
    state.SetBytesProcessed(state.iterations() * xml.size());
}
BENCHMARK(ReadDesign)->Arg(10)->Arg(200);

void WriteDesign(benchmark::State& state)
{
    const SKTGraphicPtr text = sampleText();
    for (auto _ : state) {
        PlistArray items{PlistValue("QUONMACGALAVITEFOLIOS")};
        for (int i = 0; i < state.range(0); ++i)
            items.push_back(PlistValue(text->archivedData()));
        benchmark::DoNotOptimize(PropertyList::write(PlistValue(std::move(items)), PropertyList::Format::Xml));
    }
}
BENCHMARK(WriteDesign)->Arg(10)->Arg(200);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv); // fonts need it
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Time to encode one Data Matrix symbol (automatic size and encodation) by data length, up to
// the largest symbol, for digits, upper-case text and binary bytes; and to draw its image.
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixPicture.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

std::string makeText(const std::string& alphabet, int64_t length)
{
    std::mt19937 generator(42);
    std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (int64_t i = 0; i < length; ++i)
        text += alphabet[pick(generator)];
    return text;
}

void encode(benchmark::State& state, const std::string& alphabet)
{
    const std::string text = makeText(alphabet, state.range(0));
    int width = 0;
    for (auto _ : state) {
        DataMatrixSymbol symbol = encodeDataMatrix(text);
        width = symbol.width;
        benchmark::DoNotOptimize(symbol.grid.data());
    }
    state.counters["modules"] = width;
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Digits(benchmark::State& state)
{
    encode(state, "0123456789");
}

void UpperCaseText(benchmark::State& state)
{
    encode(state, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ");
}

void BinaryBytes(benchmark::State& state)
{
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    encode(state, bytes);
}

void LargestSymbolImage(benchmark::State& state)
{
    const DataMatrixSymbol symbol = encodeDataMatrix(makeText("0123456789", 3116));
    for (auto _ : state) {
        QImage image = dataMatrixImage(symbol.grid, symbol.width, symbol.height, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(image.constBits());
    }
}

} // namespace

BENCHMARK(Digits)->Arg(6)->Arg(50)->Arg(200)->Arg(800)->Arg(1600)->Arg(3116)->Unit(benchmark::kMicrosecond);
BENCHMARK(UpperCaseText)->Arg(6)->Arg(50)->Arg(200)->Arg(800)->Arg(1600)->Arg(2335)->Unit(benchmark::kMicrosecond);
BENCHMARK(BinaryBytes)->Arg(6)->Arg(50)->Arg(200)->Arg(800)->Arg(1555)->Unit(benchmark::kMicrosecond);
BENCHMARK(LargestSymbolImage)->Arg(1)->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

// PDF417 encoders on two threads at once share nothing that either changes.
#include "Pdf417TestOracles.h"

#include "barcodes/pdf417Images.h"
#include "barcodes/pdf417param.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using pdf417test::encode;

namespace {

struct Job
{
    QByteArray text;
    int options;
    int columns;
    int level;
};

std::vector<Job> jobsFor(int thread)
{
    std::vector<Job> jobs;
    for (int i = 0; i < 24; ++i) {
        QByteArray text = "Thread " + QByteArray::number(thread) + " symbol " + QByteArray::number(i) + ": ";
        text += QByteArray(i * 7, char('a' + i % 26)) + QByteArray::number(417000000000000ll + i) + "\x80\xfe";
        jobs.push_back({text, PDF417_FIXED_COLUMNS | PDF417_USE_ERROR_LEVEL, 1 + (i * 5 + thread) % 30, i % 9});
    }
    return jobs;
}

} // namespace

TEST(Pdf417Threads, TwoThreadsEncodeOnlyGoodSymbols)
{
    const std::vector<Job> jobs[2] = {jobsFor(0), jobsFor(1)};
    std::vector<std::vector<uint8_t>> expected[2];
    for (int t = 0; t < 2; ++t) {
        for (const Job& job : jobs[t])
            expected[t].push_back(encode(job.text, job.options, job.columns, 0, job.level).outBits);
    }

    std::atomic<int> mismatches{0};
    std::atomic<int> symbols{0};
    std::vector<QImage> lastImages[2];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    const auto work = [&](int t) {
        pdf417param param; // one record per thread, reused as the barcode window reuses its own
        for (size_t round = 0; std::chrono::steady_clock::now() < deadline; ++round) {
            const Job& job = jobs[t][round % jobs[t].size()];
            pdf417init(param);
            param.text = job.text;
            param.options = job.options;
            param.codeColumns = job.columns;
            param.errorLevel = job.level;
            paintCode(param);
            if (param.error != PDF417_ERROR_NONE || param.outBits != expected[t][round % jobs[t].size()])
                ++mismatches;
            ++symbols;
            if (round < jobs[t].size())
                lastImages[t].push_back(pdf417test::decodableImage(param));
        }
    };
    std::thread first(work, 0);
    std::thread second(work, 1);
    first.join();
    second.join();

    EXPECT_EQ(mismatches.load(), 0) << "of " << symbols.load() << " symbols";
    EXPECT_GT(symbols.load(), 100);
    for (int t = 0; t < 2; ++t) {
        const auto decoded = pdf417test::decodeWithZXing(lastImages[t]);
        for (size_t i = 0; i < decoded.size(); ++i)
            EXPECT_EQ(decoded[i].value_or("<not read>").toHex().toStdString(), jobs[t][i].text.toHex().toStdString());
    }
}

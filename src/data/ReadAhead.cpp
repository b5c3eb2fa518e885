#include "data/ReadAhead.h"

#include "data/BoundedQueue.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr qint64 blockSize = 256 * 1024;
constexpr size_t blocksAhead = 4;

class ReadAhead
{
public:
    explicit ReadAhead(XmlStream::Source source)
        : source_(std::move(source))
    { }

    ~ReadAhead()
    {
        blocks_.close();
        if (producer_.joinable())
            producer_.join();
    }

    qint64 read(char* data, qint64 max, QString& error)
    {
        if (direct_)
            return source_(data, max, error);
        if (!producer_.joinable() && !ended_) {
            try {
                producer_ = std::thread([this] { produce(); });
            } catch (const std::system_error&) {
                // No thread to spare: the reader reads the source itself.
                direct_ = true;
                return source_(data, max, error);
            }
        }
        while (!ended_ && taken_ >= current_.count) {
            if (!blocks_.pop(current_)) {
                current_ = Block { {}, -1, QStringLiteral("the reading stopped") };
            }
            taken_ = 0;
            ended_ = current_.count <= 0;
        }
        if (ended_) {
            error = current_.error;
            return current_.count;
        }
        const qint64 count = std::min(max, current_.count - taken_);
        std::memcpy(data, current_.bytes.data() + taken_, size_t(count));
        taken_ += count;
        return count;
    }

private:
    struct Block
    {
        std::vector<char> bytes;
        qint64 count = 0; // as the source returned it: -1 for a failure, 0 for the end
        QString error;
    };

    void produce()
    {
        for (;;) {
            Block block;
            block.bytes.resize(size_t(blockSize));
            block.count = source_(block.bytes.data(), blockSize, block.error);
            const bool last = block.count <= 0;
            if (!blocks_.push(std::move(block)) || last)
                return;
        }
    }

    XmlStream::Source source_;
    BoundedQueue<Block> blocks_ { blocksAhead };
    std::thread producer_;
    Block current_;
    qint64 taken_ = 0;
    bool ended_ = false;
    bool direct_ = false;
};

} // namespace

XmlStream::Source readAhead(XmlStream::Source source)
{
    auto reader = std::make_shared<ReadAhead>(std::move(source));
    return [reader](char* data, qint64 max, QString& error) { return reader->read(data, max, error); };
}

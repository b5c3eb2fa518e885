#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

// Hands items from one thread to another, the producer waiting while the queue is full so that
// it never runs far ahead of the consumer. Either side may close it: the producer when it has
// no more, the consumer when it wants no more.
template <typename T> class BoundedQueue
{
public:
    explicit BoundedQueue(size_t capacity)
        : capacity_(capacity)
    { }

    // False once the queue is closed: the item was not taken.
    bool push(T&& item)
    {
        std::unique_lock lock(mutex_);
        spaceFree_.wait(lock, [this] { return closed_ || items_.size() < capacity_; });
        if (closed_)
            return false;
        items_.push_back(std::move(item));
        itemReady_.notify_one();
        return true;
    }

    // False once the queue is closed and empty.
    bool pop(T& item)
    {
        std::unique_lock lock(mutex_);
        itemReady_.wait(lock, [this] { return closed_ || !items_.empty(); });
        if (items_.empty())
            return false;
        item = std::move(items_.front());
        items_.pop_front();
        spaceFree_.notify_one();
        return true;
    }

    // Items already queued can still be taken.
    void close()
    {
        const std::lock_guard lock(mutex_);
        closed_ = true;
        itemReady_.notify_all();
        spaceFree_.notify_all();
    }

private:
    const size_t capacity_;
    std::mutex mutex_;
    std::condition_variable itemReady_;
    std::condition_variable spaceFree_;
    std::deque<T> items_;
    bool closed_ = false;
};

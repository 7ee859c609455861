#include "jet/engine/batch_pipeline.hpp"

namespace zelt::jet::engine {
namespace {

constexpr size_t QueuedBatches = 4;

}  // namespace

BatchPipeline::BatchPipeline(Consumer consume) : consume_(std::move(consume)), thread_([this] { run(); }) {}

BatchPipeline::~BatchPipeline() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        closing_ = abandoned_ = true;
        queue_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

void BatchPipeline::run() {
    for (;;) {
        std::vector<Variant> batch;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return !queue_.empty() || closing_; });
            if (abandoned_ || queue_.empty()) return;
            batch = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();
        try {
            consume_(batch);
            continue;
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            abandoned_ = true;
            queue_.clear();
        }
        changed_.notify_all();
        return;
    }
}

void BatchPipeline::push(std::vector<Variant> batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return queue_.size() < QueuedBatches || abandoned_; });
    if (abandoned_) return;
    queue_.push_back(std::move(batch));
    lock.unlock();
    changed_.notify_all();
}

void BatchPipeline::finish() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    changed_.notify_all();
    thread_.join();
    if (error_) std::rethrow_exception(error_);
}

}  // namespace zelt::jet::engine

#pragma once
// Batches of values handed to a second thread in order, so that a selection's rows are computed
// while the next ones are still read from the server. The batches and the consumer's state are
// touched by that thread alone until finish() returns.
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "zelt/automation/variant.hpp"

namespace zelt::jet::engine {

class BatchPipeline {
public:
    using Consumer = std::function<void(std::vector<Variant>& batch)>;
    explicit BatchPipeline(Consumer consume);
    // Abandons what is still queued and waits for the thread.
    ~BatchPipeline();
    BatchPipeline(const BatchPipeline&) = delete;
    BatchPipeline& operator=(const BatchPipeline&) = delete;

    // Waits while a few batches are queued, so that reading never runs far ahead of computing.
    // After the consumer has failed, the batch is dropped.
    void push(std::vector<Variant> batch);
    // Waits until every batch is consumed; raises what the consumer raised.
    void finish();

private:
    void run();

    Consumer consume_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Variant>> queue_;
    bool closing_ = false;
    bool abandoned_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace zelt::jet::engine

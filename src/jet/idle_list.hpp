#pragma once
// The idle connections a process keeps for its next operations, for either engine: at most a few
// (the oldest closed first), each taken back only by the process that kept it.
#include <unistd.h>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>

namespace zelt::jet {

template <typename Connection, typename Key>
class IdleList {
public:
    explicit IdleList(size_t most) : most_(most) {}
    ~IdleList() {
        alive.store(false);
        std::lock_guard lock(mutex_);
        idle_.clear();
    }

    // The first one kept under key that usable(connection) accepts; one under key it refuses is
    // closed, outside the lock.
    template <typename Usable>
    std::unique_ptr<Connection> take(const Key& key, Usable usable) {
        std::unique_ptr<Connection> found;
        std::deque<std::unique_ptr<Connection>> refused;
        std::lock_guard lock(mutex_);
        for (auto it = idle_.begin(); it != idle_.end();) {
            if (it->owner != getpid()) {
                // A forked child's copy of its parent's: closing it here would disturb the parent.
                (void)it->connection.release();
                it = idle_.erase(it);
            } else if (!found && it->key == key) {
                if (usable(*it->connection)) found = std::move(it->connection);
                else refused.push_back(std::move(it->connection));
                it = idle_.erase(it);
            } else {
                ++it;
            }
        }
        return found;
    }

    void give(std::unique_ptr<Connection> connection, Key key) {
        std::unique_ptr<Connection> closed;  // after the lock
        std::lock_guard lock(mutex_);
        idle_.push_back({std::move(connection), std::move(key), getpid()});
        if (idle_.size() > most_) {
            closed = std::move(idle_.front().connection);
            idle_.pop_front();
        }
    }

    // False once the list is destroyed at exit: connections released later are closed at once.
    static inline std::atomic<bool> alive{true};

private:
    struct Idle {
        std::unique_ptr<Connection> connection;
        Key key;
        pid_t owner;
    };
    const size_t most_;
    std::mutex mutex_;
    std::deque<Idle> idle_;
};

}  // namespace zelt::jet

#include "jet/postgres/session_pool.hpp"

#include <unistd.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <set>

#include "jet/postgres/schema.hpp"

namespace zelt::jet::postgres {
namespace {

// Enough for the objects one operation holds at once, and a few workers; the server's own limit
// on connections is shared by every workstation.
constexpr size_t MaxIdleSessions = 8;

struct Idle {
    std::unique_ptr<Session> session;
    pid_t owner;  // a forked child must not use its parent's connections
};

class Pool {
public:
    ~Pool() {
        alive.store(false);
        std::lock_guard lock(mutex_);
        idle_.clear();
    }

    std::unique_ptr<Session> take(const std::string& uri) {
        std::unique_ptr<Session> found;
        std::deque<Idle> closed;  // ended outside the lock
        {
            std::lock_guard lock(mutex_);
            for (auto it = idle_.begin(); it != idle_.end();) {
                if (it->owner != getpid()) {
                    // The parent's: ending it here would end the parent's session on the server.
                    (void)it->session.release();
                    it = idle_.erase(it);
                } else if (!found && it->session->uri() == uri) {
                    if (it->session->stillOpen()) found = std::move(it->session);
                    else closed.push_back(std::move(*it));
                    it = idle_.erase(it);
                } else {
                    ++it;
                }
            }
        }
        return found;
    }

    void give(std::unique_ptr<Session> s) {
        std::unique_ptr<Session> evicted;
        std::lock_guard lock(mutex_);
        idle_.push_back({std::move(s), getpid()});
        if (idle_.size() > MaxIdleSessions) {
            evicted = std::move(idle_.front().session);
            idle_.pop_front();
        }
    }

    // The URIs whose schema this process has seen in place.
    bool schemaKnown(const std::string& uri) {
        std::lock_guard lock(mutex_);
        return ready_.count(uri) != 0;
    }
    void schemaSeen(const std::string& uri) {
        std::lock_guard lock(mutex_);
        ready_.insert(uri);
    }

    static inline std::atomic<bool> alive{true};

private:
    std::mutex mutex_;
    std::deque<Idle> idle_;
    std::set<std::string> ready_;
};

Pool& pool() {
    static Pool p;
    return p;
}

}  // namespace

std::unique_ptr<Session> openSession(const std::string& uri) {
    if (Pool::alive.load())
        if (auto kept = pool().take(uri)) return kept;
    auto s = std::make_unique<Session>(uri);
    if (!Pool::alive.load() || !pool().schemaKnown(uri)) {
        ensureSchema(*s);
        if (Pool::alive.load()) pool().schemaSeen(uri);
    }
    return s;
}

void returnSession(std::unique_ptr<Session> s) noexcept {
    if (!s) return;
    try {
        if (!Pool::alive.load() || !s->resetForReuse()) return;  // s closes on return
        pool().give(std::move(s));
    } catch (...) {
    }
}

}  // namespace zelt::jet::postgres

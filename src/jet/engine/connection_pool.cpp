#include "jet/engine/connection_pool.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <deque>
#include <mutex>

namespace zelt::jet::engine {
namespace {

// Enough for the objects one operation holds at once, and a few workers.
constexpr size_t MaxIdleConnections = 8;

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

bool identify(const std::string& path, FileIdentity& id) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

struct Idle {
    std::unique_ptr<Database> db;
    FileIdentity file;
    pid_t owner;  // a forked child must not use its parent's connections
};

class Pool {
public:
    ~Pool() {
        alive.store(false);
        std::lock_guard lock(mutex_);
        idle_.clear();
    }

    std::unique_ptr<Database> take(const std::string& path) {
        FileIdentity current;
        if (!identify(path, current)) return nullptr;
        std::lock_guard lock(mutex_);
        for (auto it = idle_.begin(); it != idle_.end();) {
            if (it->owner != getpid()) {
                (void)it->db.release();  // the parent's; closing it here would disturb the parent
                it = idle_.erase(it);
            } else if (it->db->path() == path && it->file == current) {
                auto db = std::move(it->db);
                idle_.erase(it);
                return db;
            } else {
                ++it;
            }
        }
        return nullptr;
    }

    void give(std::unique_ptr<Database> db) {
        Idle entry{nullptr, {}, getpid()};
        if (!identify(db->path(), entry.file)) return;
        entry.db = std::move(db);
        std::unique_ptr<Database> evicted;
        std::lock_guard lock(mutex_);
        idle_.push_back(std::move(entry));
        if (idle_.size() > MaxIdleConnections) {
            evicted = std::move(idle_.front().db);
            idle_.pop_front();
        }
    }

    static inline std::atomic<bool> alive{true};

private:
    std::mutex mutex_;
    std::deque<Idle> idle_;
};

Pool& pool() {
    static Pool p;
    return p;
}

}  // namespace

std::unique_ptr<Database> takePooledConnection(const std::string& path) {
    if (!Pool::alive.load()) return nullptr;
    return pool().take(path);
}

void poolConnection(std::unique_ptr<Database> db) noexcept {
    if (!db) return;
    try {
        if (!Pool::alive.load() || !db->handle() || !db->resetForReuse()) return;  // db closes on return
        pool().give(std::move(db));
    } catch (...) {
    }
}

}  // namespace zelt::jet::engine

#include "jet/engine/connection_pool.hpp"

#include <sys/stat.h>

#include "jet/idle_list.hpp"

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

// A kept connection is taken back for the same path only while it still names the same file.
struct PooledFile {
    std::string path;
    FileIdentity file;
    bool operator==(const PooledFile&) const = default;
};

using Pool = IdleList<Database, PooledFile>;

Pool& pool() {
    static Pool p(MaxIdleConnections);
    return p;
}

}  // namespace

std::unique_ptr<Database> takePooledConnection(const std::string& path) {
    PooledFile wanted{path, {}};
    if (!Pool::alive.load() || !identify(path, wanted.file)) return nullptr;
    return pool().take(wanted, [](const Database&) { return true; });
}

void poolConnection(std::unique_ptr<Database> db) noexcept {
    if (!db) return;
    try {
        PooledFile kept{db->path(), {}};
        if (!Pool::alive.load() || !db->handle() || !identify(kept.path, kept.file) || !db->resetForReuse())
            return;  // db closes on return
        pool().give(std::move(db), std::move(kept));
    } catch (...) {
    }
}

}  // namespace zelt::jet::engine

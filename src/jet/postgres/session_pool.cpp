#include "jet/postgres/session_pool.hpp"

#include <mutex>
#include <set>

#include "jet/idle_list.hpp"
#include "jet/postgres/schema.hpp"

namespace zelt::jet::postgres {
namespace {

// Enough for the objects one operation holds at once, and a few workers; the server's own limit
// on connections is shared by every workstation.
constexpr size_t MaxIdleSessions = 8;

using Pool = IdleList<Session, std::string>;  // by URI

Pool& pool() {
    static Pool p(MaxIdleSessions);
    return p;
}

// The URIs whose schema this process has seen in place.
class KnownSchemas {
public:
    bool contains(const std::string& uri) {
        std::lock_guard lock(mutex_);
        return uris_.count(uri) != 0;
    }
    void add(const std::string& uri) {
        std::lock_guard lock(mutex_);
        uris_.insert(uri);
    }

private:
    std::mutex mutex_;
    std::set<std::string> uris_;
};

KnownSchemas& knownSchemas() {
    static KnownSchemas k;
    return k;
}

}  // namespace

std::unique_ptr<Session> openSession(const std::string& uri) {
    if (Pool::alive.load())
        if (auto kept = pool().take(uri, [](Session& s) { return s.stillOpen(); })) return kept;
    auto s = std::make_unique<Session>(uri);
    if (!Pool::alive.load() || !knownSchemas().contains(uri)) {
        ensureSchema(*s);
        if (Pool::alive.load()) knownSchemas().add(uri);
    }
    return s;
}

void returnSession(std::unique_ptr<Session> s) noexcept {
    if (!s) return;
    try {
        if (!Pool::alive.load() || !s->resetForReuse()) return;  // s closes on return
        const std::string uri = s->uri();
        pool().give(std::move(s), uri);
    } catch (...) {
    }
}

}  // namespace zelt::jet::postgres

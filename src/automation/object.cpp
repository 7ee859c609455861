#include "zelt/automation/object.hpp"

#include "zelt/automation/error.hpp"
#include "zelt/automation/variant.hpp"

namespace zelt {

namespace {
std::atomic<long> live{0};
}

Object::Object() noexcept { live.fetch_add(1, std::memory_order_relaxed); }
Object::~Object() { live.fetch_sub(1, std::memory_order_relaxed); }
long Object::liveObjects() noexcept { return live.load(); }

int32_t Object::GetIDsOfNames(std::string_view name) const {
    throwError(err::NoSuchMember, standardDescription(err::NoSuchMember) + " (" + std::string(name) + ")");
}

Variant Object::Invoke(int32_t, InvokeKind, std::span<Variant>) { throwError(err::NoSuchMember); }

}  // namespace zelt

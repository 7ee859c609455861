#include "zelt/automation/dispatch.hpp"

#include <cctype>

#include "zelt/automation/error.hpp"

namespace zelt {

namespace {
std::string folded(std::string_view s) {
    std::string f(s);
    for (char& c : f) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return f;
}

bool serves(InvokeKind asked, InvokeKind member) {
    if (asked == member) return true;
    // VB calls a property get and a method alike.
    const auto reading = [](InvokeKind k) { return k == InvokeKind::Method || k == InvokeKind::PropertyGet; };
    return reading(asked) && reading(member);
}
}  // namespace

DispatchTable::DispatchTable(std::string interfaceName, std::vector<Member> slots)
    : interfaceName_(std::move(interfaceName)), slots_(std::move(slots)) {
    for (size_t i = 0; i < slots_.size(); ++i) ids_.try_emplace(folded(slots_[i].name), static_cast<int32_t>(i + 1));
}

int32_t DispatchTable::idOfName(std::string_view name) const {
    auto it = ids_.find(folded(name));
    if (it == ids_.end())
        throwError(err::NoSuchMember, standardDescription(err::NoSuchMember) + ": '" + std::string(name) + "'");
    return it->second;
}

Variant DispatchTable::invoke(Object& self, int32_t dispid, InvokeKind kind, std::span<Variant> args) const {
    std::string name;
    if (dispid == DispidValue) {
        for (const auto& m : slots_)
            if (m.isDefault) { name = folded(m.name); break; }
        if (name.empty()) throwError(err::NoSuchMember);
    } else {
        if (dispid < 1 || static_cast<size_t>(dispid) > slots_.size()) throwError(err::NoSuchMember);
        name = folded(slots_[static_cast<size_t>(dispid - 1)].name);
    }
    const Member* fallback = nullptr;
    for (size_t i = 0; i < slots_.size(); ++i) {
        const Member& m = slots_[i];
        if (folded(m.name) != name) continue;
        if (m.kind == kind) return invokeSlot(self, i, args);
        if (!fallback && serves(kind, m.kind)) fallback = &m;
        // A put of an object reaches the putref accessor, as VB's Set would.
        if (!fallback && kind == InvokeKind::PropertyPut && m.kind == InvokeKind::PropertyPutRef) fallback = &m;
    }
    if (!fallback) throwError(err::NoSuchMember);
    return invokeSlot(self, static_cast<size_t>(fallback - slots_.data()), args);
}

Variant DispatchTable::invokeSlot(Object& self, size_t slot, std::span<Variant> args) const {
    if (slot >= slots_.size()) throwError(err::NoSuchMember);
    const Member& m = slots_[slot];
    if (args.size() > m.params.size()) throwError(err::WrongArgumentCount);
    std::vector<Variant> coerced(m.params.size());
    for (size_t i = 0; i < m.params.size(); ++i) {
        const Param& p = m.params[i];
        if (i >= args.size()) {
            if (!p.optional) throwError(err::ArgumentNotOptional);
            coerced[i] = p.type == VarType::Variant ? Variant() : Variant().coerce(p.type);
        } else {
            coerced[i] = args[i].coerce(p.type);
        }
    }
    Variant result = m.call(self, coerced);
    for (size_t i = 0; i < args.size(); ++i)
        if (m.params[i].byRef) args[i] = coerced[i];
    return result;
}

Variant callByNameRef(Object& obj, std::string_view name, std::vector<Variant>& args, InvokeKind kind) {
    return obj.Invoke(obj.GetIDsOfNames(name), kind, args);
}

Variant callByName(Object& obj, std::string_view name, std::vector<Variant> args, InvokeKind kind) {
    return callByNameRef(obj, name, args, kind);
}

Variant getProperty(Object& obj, std::string_view name, std::vector<Variant> args) {
    return callByNameRef(obj, name, args, InvokeKind::PropertyGet);
}

void putProperty(Object& obj, std::string_view name, Variant value, std::vector<Variant> args) {
    args.push_back(std::move(value));
    callByNameRef(obj, name, args, InvokeKind::PropertyPut);
}

void putRefProperty(Object& obj, std::string_view name, Ref<Object> value) {
    std::vector<Variant> args{Variant(std::move(value))};
    callByNameRef(obj, name, args, InvokeKind::PropertyPutRef);
}

Variant callDefault(Object& obj, std::vector<Variant> args) { return obj.Invoke(DispidValue, InvokeKind::PropertyGet, args); }

}  // namespace zelt

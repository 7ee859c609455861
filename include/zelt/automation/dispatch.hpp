#pragma once
// One member table per class, in slot order: the single source of the dispatch interface.
// GetIDsOfNames and Invoke work from it, coercing arguments to the declared types; the typed C++
// methods are what the table's entries call.
#include <functional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "zelt/automation/variant.hpp"

namespace zelt {

struct Param {
    std::string name;
    VarType type = VarType::Variant;
    bool optional = false;
    bool byRef = false;
};

struct Member {
    std::string name;
    InvokeKind kind = InvokeKind::Method;
    std::vector<Param> params;  // a put's value is its last parameter
    VarType returns = VarType::Empty;
    // Receives the arguments already coerced (missing optionals as the declared type's zero);
    // writes by-reference results back into args.
    std::function<Variant(Object& self, std::span<Variant> args)> call;
    bool isDefault = false;  // answers DispidValue
};

class DispatchTable {
public:
    explicit DispatchTable(std::string interfaceName, std::vector<Member> slots);

    const std::string& interfaceName() const { return interfaceName_; }
    const std::vector<Member>& slots() const { return slots_; }

    // The identifier of a name: 1 + the slot of its first accessor. Unknown names raise 438.
    int32_t idOfName(std::string_view name) const;
    // Chooses the slot by identifier and kind (a get through Method kind is accepted, as VB does).
    Variant invoke(Object& self, int32_t dispid, InvokeKind kind, std::span<Variant> args) const;
    // Calls slot i directly (by slot order, as a vtable-bound caller would).
    Variant invokeSlot(Object& self, size_t slot, std::span<Variant> args) const;

private:
    std::string interfaceName_;
    std::vector<Member> slots_;
    std::unordered_map<std::string, int32_t> ids_;  // folded name -> dispid
};

// An Object whose late binding is served by a class's table.
class Dispatchable : public Object {
public:
    int32_t GetIDsOfNames(std::string_view name) const override { return table().idOfName(name); }
    Variant Invoke(int32_t dispid, InvokeKind kind, std::span<Variant> args) override {
        return table().invoke(*this, dispid, kind, args);
    }
    virtual const DispatchTable& table() const = 0;
};

// Late-bound calls as a caller in another language would make them.
Variant callByName(Object& obj, std::string_view name, std::vector<Variant> args = {},
                   InvokeKind kind = InvokeKind::Method);
// The same, writing by-reference arguments back into the caller's vector.
Variant callByNameRef(Object& obj, std::string_view name, std::vector<Variant>& args,
                      InvokeKind kind = InvokeKind::Method);
Variant getProperty(Object& obj, std::string_view name, std::vector<Variant> args = {});
void putProperty(Object& obj, std::string_view name, Variant value, std::vector<Variant> args = {});
void putRefProperty(Object& obj, std::string_view name, Ref<Object> value);
// The default member: obj(args...).
Variant callDefault(Object& obj, std::vector<Variant> args);

}  // namespace zelt

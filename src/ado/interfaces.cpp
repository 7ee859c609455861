// The late-bound members of the ADO objects, for callers that reach them by name.
#include "zelt/ado/connection.hpp"

namespace zelt::ado {

namespace {
template <class T>
T& self(Object& o) { return static_cast<T&>(o); }
Member get(std::string name, VarType t, std::function<Variant(Object&)> f, bool isDefault = false) {
    return Member{std::move(name), InvokeKind::PropertyGet, {}, t, [f](Object& o, std::span<Variant>) { return f(o); }, isDefault};
}
Member put(std::string name, VarType t, std::function<void(Object&, const Variant&)> f) {
    return Member{name, InvokeKind::PropertyPut, {{name, t}}, VarType::Empty, [f](Object& o, std::span<Variant> a) { f(o, a[0]); return Variant(); }};
}
Member method(std::string name, std::function<Variant(Object&)> f) {
    return Member{std::move(name), InvokeKind::Method, {}, VarType::Variant, [f](Object& o, std::span<Variant>) { return f(o); }};
}
}  // namespace

const DispatchTable& Recordset::table() const {
    using R = Recordset;
    static const DispatchTable t(
        "Recordset",
        {
            Member{"Collect", InvokeKind::PropertyGet, {{"Index", VarType::Variant}}, VarType::Variant,
                   [](Object& o, std::span<Variant> a) { return self<R>(o).get_Fields().Item(a[0])->get_Value(); }, true},
            get("Source", VarType::String, [](Object& o) { return Variant(self<R>(o).get_Source()); }),
            put("Source", VarType::String, [](Object& o, const Variant& v) { self<R>(o).put_Source(v.toText()); }),
            Member{"ActiveConnection", InvokeKind::PropertyPutRef, {{"c", VarType::Object}}, VarType::Empty,
                   [](Object& o, std::span<Variant> a) { self<R>(o).putref_ActiveConnection(refCast<Connection>(a[0].toObject())); return Variant(); }},
            get("ActiveConnection", VarType::Object, [](Object& o) { return Variant(self<R>(o).get_ActiveConnection()); }),
            method("Open", [](Object& o) { self<R>(o).Open(); return Variant(); }),
            method("Close", [](Object& o) { self<R>(o).Close(); return Variant(); }),
            get("State", VarType::I4, [](Object& o) { return Variant(self<R>(o).get_State()); }),
            get("EOF", VarType::Bool, [](Object& o) { return Variant(self<R>(o).get_EOF()); }),
            get("BOF", VarType::Bool, [](Object& o) { return Variant(self<R>(o).get_BOF()); }),
            method("MoveFirst", [](Object& o) { self<R>(o).MoveFirst(); return Variant(); }),
            method("MoveNext", [](Object& o) { self<R>(o).MoveNext(); return Variant(); }),
            method("MovePrevious", [](Object& o) { self<R>(o).MovePrevious(); return Variant(); }),
            method("MoveLast", [](Object& o) { self<R>(o).MoveLast(); return Variant(); }),
            Member{"Move", InvokeKind::Method, {{"n", VarType::I4}}, VarType::Empty,
                   [](Object& o, std::span<Variant> a) { self<R>(o).Move(a[0].toInt32()); return Variant(); }},
            get("RecordCount", VarType::I4, [](Object& o) { return Variant(self<R>(o).get_RecordCount()); }),
            get("AbsolutePosition", VarType::I4, [](Object& o) { return Variant(self<R>(o).get_AbsolutePosition()); }),
            put("AbsolutePosition", VarType::I4, [](Object& o, const Variant& v) { self<R>(o).put_AbsolutePosition(v.toInt32()); }),
            get("PageSize", VarType::I4, [](Object& o) { return Variant(self<R>(o).get_PageSize()); }),
            put("PageSize", VarType::I4, [](Object& o, const Variant& v) { self<R>(o).put_PageSize(v.toInt32()); }),
            get("PageCount", VarType::I4, [](Object& o) { return Variant(self<R>(o).get_PageCount()); }),
            get("AbsolutePage", VarType::I4, [](Object& o) { return Variant(self<R>(o).get_AbsolutePage()); }),
            put("AbsolutePage", VarType::I4, [](Object& o, const Variant& v) { self<R>(o).put_AbsolutePage(v.toInt32()); }),
            get("Sort", VarType::String, [](Object& o) { return Variant(self<R>(o).get_Sort()); }),
            put("Sort", VarType::String, [](Object& o, const Variant& v) { self<R>(o).put_Sort(v.toText()); }),
            method("AddNew", [](Object& o) { self<R>(o).AddNew(); return Variant(); }),
            method("Update", [](Object& o) { self<R>(o).Update(); return Variant(); }),
            method("Delete", [](Object& o) { self<R>(o).Delete(); return Variant(); }),
            get("Fields", VarType::Object, [](Object& o) { return Variant(Fields::handOut(self<R>(o))); }),
        });
    return t;
}

const DispatchTable& Fields::table() const {
    static const DispatchTable t(
        "Fields",
        {
            Member{"Item", InvokeKind::PropertyGet, {{"Index", VarType::Variant}}, VarType::Object,
                   [](Object& o, std::span<Variant> a) { return Variant(self<Fields>(o).Item(a[0])); }, true},
            get("Count", VarType::I4, [](Object& o) { return Variant(self<Fields>(o).get_Count()); }),
            Member{"Append", InvokeKind::Method,
                   {{"Name", VarType::String}, {"Type", VarType::I4}, {"DefinedSize", VarType::I4, true}, {"Attrib", VarType::I4, true}},
                   VarType::Empty,
                   [](Object& o, std::span<Variant> a) {
                       self<Fields>(o).Append(a[0].toText(), static_cast<DataType>(a[1].toInt32()), a[2].toInt32(),
                                              a[3].isEmpty() || a[3].toInt32() == 0 ? adFldUnspecified : a[3].toInt32());
                       return Variant();
                   }},
        });
    return t;
}

const DispatchTable& Field::table() const {
    static const DispatchTable t(
        "Field",
        {
            get("Value", VarType::Variant, [](Object& o) { return self<Field>(o).get_Value(); }, true),
            put("Value", VarType::Variant, [](Object& o, const Variant& v) { self<Field>(o).put_Value(v); }),
            get("Name", VarType::String, [](Object& o) { return Variant(self<Field>(o).get_Name()); }),
            get("Type", VarType::I4, [](Object& o) { return Variant(static_cast<int32_t>(self<Field>(o).get_Type())); }),
            get("DefinedSize", VarType::I4, [](Object& o) { return Variant(self<Field>(o).get_DefinedSize()); }),
            get("Attributes", VarType::I4, [](Object& o) { return Variant(self<Field>(o).get_Attributes()); }),
        });
    return t;
}

const DispatchTable& Connection::table() const {
    using C = Connection;
    static const DispatchTable t(
        "Connection",
        {
            Member{"Execute", InvokeKind::Method, {{"CommandText", VarType::String}}, VarType::Object,
                   [](Object& o, std::span<Variant> a) { return Variant(self<C>(o).Execute(a[0].toText())); }},
            method("BeginTrans", [](Object& o) { return Variant(self<C>(o).BeginTrans()); }),
            method("CommitTrans", [](Object& o) { self<C>(o).CommitTrans(); return Variant(); }),
            method("RollbackTrans", [](Object& o) { self<C>(o).RollbackTrans(); return Variant(); }),
            method("Close", [](Object& o) { self<C>(o).Close(); return Variant(); }),
            get("State", VarType::I4, [](Object& o) { return Variant(self<C>(o).get_State()); }),
        });
    return t;
}

}  // namespace zelt::ado

#include "zelt/ado/json.hpp"

#include "ado/recordset_data.hpp"

namespace zelt::ado {

using nlohmann::json;

json variantToJson(const Variant& v) {
    switch (v.type()) {
        case VarType::Empty:
        case VarType::Null: return nullptr;
        case VarType::I2: return *v.get<int16_t>();
        case VarType::I4: return *v.get<int32_t>();
        case VarType::UI1: return *v.get<uint8_t>();
        case VarType::R8: return *v.get<double>();
        case VarType::Currency: return v.get<Currency>()->toDouble();
        case VarType::Date: return v.get<Date>()->toRegionalText();
        case VarType::String: return *v.get<std::string>();
        case VarType::Bool: return *v.get<bool>();
        case VarType::Object:
            if (auto rs = refCast<Recordset>(v.toObject())) return toJson(*rs);
            return nullptr;
        default: return nullptr;
    }
}

json toJson(const Recordset& rs) {
    json fields = json::array();
    for (int f = 0; f < rs.fieldCount(); ++f) {
        const FieldDef& d = rs.fieldDef(f);
        fields.push_back({{"name", d.name}, {"type", d.type}, {"definedSize", d.definedSize}, {"attributes", d.attributes}});
    }
    json rows = json::array();
    if (rs.get_State() == adStateOpen) {
        // Chapters are read through a cursor of their own, so that the caller's stays where it is.
        auto& walker = const_cast<Recordset&>(rs);
        const int32_t n = rs.get_RecordCount();
        const int32_t saved = n > 0 ? rs.get_AbsolutePosition() : 0;
        bool hasChapter = false;
        for (int f = 0; f < rs.fieldCount(); ++f) hasChapter = hasChapter || rs.fieldDef(f).type == adChapter;
        for (int32_t r = 0; r < n; ++r) {
            json row = json::array();
            if (hasChapter) walker.put_AbsolutePosition(r + 1);
            for (int f = 0; f < rs.fieldCount(); ++f)
                row.push_back(rs.fieldDef(f).type == adChapter ? variantToJson(rs(f)) : variantToJson(rs.valueAt(r, f)));
            rows.push_back(std::move(row));
        }
        if (hasChapter && saved > 0) walker.put_AbsolutePosition(saved);
        else if (hasChapter && n > 0 && saved == adPosEOF) { walker.MoveLast(); walker.MoveNext(); }
    }
    return {{"fields", fields}, {"rows", rows}};
}

namespace {
Variant fromJsonValue(const json& j, DataType type) {
    if (j.is_null()) return Variant::null();
    switch (type) {
        case adChapter: return Variant(fromJson(j));
        case adDate: return Variant(Variant(j.get<std::string>()).toDate());
        case adCurrency: return Variant(Currency::fromDouble(j.get<double>()));
        case adBoolean: return Variant(j.get<bool>());
        case adSmallInt: return Variant(static_cast<int16_t>(j.get<int>()));
        case adInteger: return Variant(j.get<int32_t>());
        case adUnsignedTinyInt: return Variant(static_cast<uint8_t>(j.get<int>()));
        case adDouble: return Variant(j.get<double>());
        default:
            if (j.is_string()) return Variant(j.get<std::string>());
            if (j.is_boolean()) return Variant(j.get<bool>());
            if (j.is_number_integer()) return Variant(j.get<int32_t>());
            if (j.is_number()) return Variant(j.get<double>());
            return Variant();
    }
}
}  // namespace

Ref<Recordset> fromJson(const json& j) {
    std::vector<FieldDef> fields;
    for (const auto& f : j.at("fields"))
        fields.push_back({f.at("name").get<std::string>(), static_cast<DataType>(f.at("type").get<int>()),
                          f.value("definedSize", 0), f.value("attributes", static_cast<int>(adFldMayBeNull | adFldIsNullable))});
    // Chapters come back as plain values holding their recordsets.
    std::vector<Variant> values;
    for (const auto& r : j.at("rows")) {
        const size_t start = values.size();
        for (size_t i = 0; i < fields.size() && i < r.size(); ++i) values.push_back(fromJsonValue(r[i], fields[i].type));
        values.resize(start + fields.size());  // a short row ends in Empty values
    }
    return Recordset::fromValues(std::move(fields), std::move(values));
}

}  // namespace zelt::ado

#include "ado/errors.hpp"
#include "ado/recordset_data.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::ado {

Field::Field(Ref<Recordset> owner, int index) : owner_(std::move(owner)), index_(index) {}

std::string Field::get_Name() const { return owner_->fieldDef(index_).name; }
DataType Field::get_Type() const { return owner_->fieldDef(index_).type; }
int32_t Field::get_DefinedSize() const { return owner_->fieldDef(index_).definedSize; }
int32_t Field::get_Attributes() const { return owner_->fieldDef(index_).attributes; }

Variant Field::get_Value() const { return owner_->currentValue(index_); }

void Field::put_Value(Variant v) {
    Recordset& rs = *owner_;
    const int row = rs.currentRow();
    if (row < 0) raise(err::BofOrEof);
    if (rs.data_.use_count() > 1) rs.data_ = std::make_shared<RecordsetData>(*rs.data_);
    rs.data_->at(rs.cursor_->order[static_cast<size_t>(row)], index_) = std::move(v);
}

Ref<Fields> Fields::handOut(Recordset& owner) {
    auto fields = make<Fields>(owner);
    fields->keepAlive_ = Ref<Recordset>(&owner);
    return fields;
}

int32_t Fields::get_Count() const { return owner_.fieldCount(); }

Ref<Field> Fields::Item(int index) const {
    if (index < 0 || index >= owner_.fieldCount()) raise(err::ItemNotFound);
    return make<Field>(Ref<Recordset>(&owner_), index);
}

Ref<Field> Fields::Item(std::string_view name) const {
    const int i = owner_.fieldIndex(name);
    if (i < 0) raise(err::ItemNotFound);
    return make<Field>(Ref<Recordset>(&owner_), i);
}

Ref<Field> Fields::Item(const Variant& indexOrName) const {
    if (indexOrName.isText()) return Item(std::string_view(*indexOrName.get<std::string>()));
    return Item(static_cast<int>(indexOrName.toInt32()));
}

void Fields::Append(std::string name, DataType type, int32_t definedSize, int32_t attributes) {
    if (owner_.cursor_->open) raise(err::ObjectOpen);
    if (owner_.fieldIndex(name) >= 0) raise(err::BadArguments);
    if (owner_.data_.use_count() > 1) owner_.data_ = std::make_shared<RecordsetData>(*owner_.data_);
    owner_.data_->fields.push_back({std::move(name), type, definedSize,
                                    attributes == adFldUnspecified ? (adFldMayBeNull | adFldIsNullable) : attributes});
}

}  // namespace zelt::ado

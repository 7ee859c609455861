#pragma once
// A selection's values gathered into a recordset whose fields carry the ADO types of the result
// columns, whatever engine read them.
#include <string>
#include <vector>

#include "zelt/ado/recordset.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

ado::FieldDef fieldOf(std::string name, ValueKind kind);
// The field for a column of unknown kind, from its first value that is not Null.
ado::FieldDef fieldOfValue(std::string name, const Variant& v);

// SELECT @@Identity: the counter the connection last assigned, as a one-row recordset.
Ref<ado::Recordset> identityResult(const Query& query, int64_t counter);

class ResultBuilder {
public:
    // One name and kind per column; a column of unknown kind takes the type of its first value
    // that is not Null.
    ResultBuilder(std::vector<std::string> names, std::vector<ValueKind> kinds);
    ValueKind kind(size_t column) const { return kinds_[column]; }
    // The values row after row.
    void add(Variant value);
    Ref<ado::Recordset> finish();

private:
    std::vector<std::string> names_;
    std::vector<ValueKind> kinds_;
    std::vector<std::vector<Variant>> blocks_;
    size_t total_ = 0;
};

}  // namespace zelt::jet::engine

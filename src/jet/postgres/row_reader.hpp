#pragma once
// A selection's rows as the server sent them (text), read into a recordset whose fields carry the
// ADO types of the result columns: the same values and types SQLite gives for the same statement.
#include <libpq-fe.h>

#include <optional>
#include <string_view>
#include <vector>

#include "jet/engine/computed_columns.hpp"
#include "jet/engine/result_builder.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::postgres {

class RowReader {
public:
    explicit RowReader(const Query& query);
    // Every row of r: the whole result, or one row of a result sent row by row, and its end.
    void read(const PGresult* r);
    Ref<ado::Recordset> finish();

private:
    void describe(const PGresult* r);

    const Query& query_;
    std::vector<Oid> types_;
    std::vector<ValueKind> kinds_;
    // One of them, once the first result has described the columns.
    std::optional<engine::ResultBuilder> values_;
    std::optional<engine::ComputedRows> computed_;
};

// One value of a column of the server's type oid, as a column of the given kind holds it.
Variant valueOf(std::string_view text, Oid type, ValueKind kind);

}  // namespace zelt::jet::postgres

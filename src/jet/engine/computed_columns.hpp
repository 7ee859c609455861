#pragma once
// The columns and ORDER BY terms of a selection that the engine computes from the server's rows
// (Format where the server has none), and Jet's ORDER BY and TOP on them.
#include <span>
#include <vector>

#include "jet/engine/result_builder.hpp"
#include "zelt/ado/recordset.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/translator.hpp"

namespace zelt::jet::engine {

// Jet's order: Null first, then numbers (dates and Yes/No among them), then text in the
// Portuguese order. <0, 0, >0.
int compareInJetOrder(const Variant& a, const Variant& b);

// The result of a selection the engine computes columns of, built as the server's rows arrive.
class ComputedRows {
public:
    explicit ComputedRows(const Query& query);
    // The next row the server sent, query.fetched.size() values; they may be moved from.
    void add(std::span<Variant> row);
    Ref<ado::Recordset> finish();

private:
    const Query& query_;
    // Kept until the end only when the engine sorts them; otherwise each row is computed at once.
    std::vector<Variant> fetched_;
    ResultBuilder result_;
};

}  // namespace zelt::jet::engine

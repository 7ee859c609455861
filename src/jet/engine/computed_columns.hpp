#pragma once
// The columns and ORDER BY terms of a selection that the engine computes from the server's rows
// (Format where the server has none), and the condition, grouping, DISTINCT, ORDER BY and TOP the
// engine does on them.
#include <memory>
#include <span>
#include <vector>

#include "jet/engine/batch_pipeline.hpp"
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
    // Its second thread holds on to it.
    ComputedRows(const ComputedRows&) = delete;
    ComputedRows& operator=(const ComputedRows&) = delete;
    // The server's values row after row, query.fetched.size() a row.
    void add(Variant value);
    Ref<ado::Recordset> finish();

private:
    void computeAll(std::vector<Variant>& rows);
    bool streams() const;

    const Query& query_;
    // All the rows when the engine filters, groups or sorts them; otherwise the batch being gathered, computed by a
    // second thread from the second batch on (a short selection never starts one).
    std::vector<Variant> fetched_;
    ResultBuilder result_;
    std::unique_ptr<BatchPipeline> pipeline_;
};

}  // namespace zelt::jet::engine

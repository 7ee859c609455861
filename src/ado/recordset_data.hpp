#pragma once
// The rows of a recordset, held in memory (a client-side cursor), shared by the recordset and the
// child views its chapters hand out.
#include <map>
#include <memory>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "zelt/ado/recordset.hpp"

namespace zelt::ado {

struct Chapter {
    std::shared_ptr<RecordsetData> child;
    std::vector<int> parentKeys;                         // fields of the parent row
    std::unordered_map<std::string, std::vector<int32_t>> rowsByKey;  // child rows by key
};

struct RecordsetData {
    std::vector<FieldDef> fields;
    std::vector<Variant> values;  // row-major
    std::map<int, Chapter> chapters;  // by field index
    int32_t rows() const { return fields.empty() ? 0 : static_cast<int32_t>(values.size() / fields.size()); }
    Variant& at(int32_t row, int field) { return values[static_cast<size_t>(row) * fields.size() + static_cast<size_t>(field)]; }
};

// The cursor and the view of a recordset over its data.
struct Recordset::Cursor {
    bool open = false;
    std::vector<int32_t> base;   // rows of the data this recordset sees, in their own order
    std::vector<int32_t> order;  // the same rows in the Sort order
    int32_t position = 0;        // index into order; -1 BOF, order.size() EOF
    int32_t pageSize = 10;
    std::string sort;
    int32_t adding = -1;         // the row being added
    Variant chapterView;         // the child rows last read through a chapter field
    int lastField = -1;          // the field last found by name: a walk in field order finds the next at once

    // The row of the data under the cursor, or -1 at BOF / EOF.
    int32_t dataRow() const {
        return open && position >= 0 && position < static_cast<int32_t>(order.size()) ? order[static_cast<size_t>(position)] : -1;
    }

    // Open on every row of the data, in their own order, on the first.
    void openOn(int32_t rows) {
        open = true;
        base.resize(static_cast<size_t>(rows));
        std::iota(base.begin(), base.end(), 0);
        order = base;
        position = 0;
    }
};

// A relation key of a value that is not Null: numbers by value, text as it is.
std::string chaveDeRelacao(const Variant& v);

}  // namespace zelt::ado

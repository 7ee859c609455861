#include "jet/engine/shaping.hpp"

#include "jet/engine/chapter_aggregates.hpp"
#include "jet/engine/result_builder.hpp"

namespace zelt::jet::engine {
namespace {

using Column = ShapeLevel::Column;

Ref<ado::Recordset> chapterOf(const ado::Recordset& rows, const std::string& chapter) {
    return refCast<ado::Recordset>(rows(chapter).toObject());
}

// The values of path's column in the rows under the current row of `rows`, through its chapters
// (Count of rows, a path of chapters only: the rows of the last one, counted in `count`).
void gather(ado::Recordset& rows, std::span<const std::string> path, std::vector<Variant>& values, size_t& count) {
    Ref<ado::Recordset> chapter = chapterOf(rows, path.front());
    path = path.subspan(1);
    const int32_t n = chapter->get_RecordCount();
    if (path.empty()) {
        count += static_cast<size_t>(n);
        return;
    }
    const int field = chapter->fieldIndex(path.front());
    if (path.size() == 1 && chapter->fieldDef(field).type != ado::adChapter) {
        for (int32_t r = 0; r < n; ++r) values.push_back(chapter->valueAt(r, field));
        return;
    }
    for (int32_t r = 0; r < n; ++r) {
        chapter->put_AbsolutePosition(r + 1);
        gather(*chapter, path, values, count);
    }
}

// What the aggregated column holds, from the levels below: Min, Max and Any give its own values,
// Sum gives money for money and whatever Jet's + makes of the rest.
ValueKind kindOf(const ShapeLevel& level, const Column& column) {
    using K = Column::Kind;
    if (column.kind == K::Count) return ValueKind::Integer;
    if (column.kind == K::Avg || column.kind == K::StDev) return ValueKind::Double;
    const ShapeLevel* below = &level;
    for (size_t i = 0; i + 1 < column.path.size(); ++i)
        for (const Column& c : below->appended)
            if (c.child && c.name == column.path[i]) below = c.child.get();
    for (const ResultColumn& c : below->query.columns)
        if (c.name == column.path.back())
            return column.kind != K::Sum || c.kind == ValueKind::Money ? c.kind : ValueKind::Unknown;
    return ValueKind::Unknown;
}

void appendAggregate(ado::Recordset& rows, const ShapeLevel& level, const Column& column) {
    const int32_t n = rows.get_RecordCount();
    std::vector<Variant> results;
    results.reserve(static_cast<size_t>(n));
    std::vector<Variant> values;
    for (int32_t r = 0; r < n; ++r) {
        rows.put_AbsolutePosition(r + 1);
        values.clear();
        size_t count = 0;
        gather(rows, column.path, values, count);
        results.push_back(aggregateOf(column.kind, values, count));
    }
    if (n > 0) rows.MoveFirst();
    const ValueKind kind = kindOf(level, column);
    const Variant* first = nullptr;
    for (const Variant& v : results)
        if (!first && !v.isNull()) first = &v;
    ado::FieldDef field = kind != ValueKind::Unknown || !first ? fieldOf(column.name, kind) : fieldOfValue(column.name, *first);
    rows.appendComputedField(std::move(field), std::move(results));
}

}  // namespace

Ref<ado::Recordset> shapeRows(const ShapeLevel& level, const ReadRows& read) {
    Ref<ado::Recordset> rows = read(level.query);
    for (const Column& c : level.appended) {
        if (c.kind == Column::Kind::Chapter)
            rows = ado::Recordset::relateTakingRows(rows, shapeRows(*c.child, read), c.relate, c.name);
        else
            appendAggregate(*rows, level, c);
    }
    return rows;
}

}  // namespace zelt::jet::engine

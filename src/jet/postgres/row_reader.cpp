#include "jet/postgres/row_reader.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "zelt/automation/date.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::jet::postgres {
namespace {

// The server's type numbers (pg_type.oid), fixed since its first releases.
enum : Oid {
    BoolOid = 16, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, Float4Oid = 700, Float8Oid = 701,
    DateOid = 1082, TimestampOid = 1114, TimestampTzOid = 1184, NumericOid = 1700,
};

enum class Shape { Integer, Real, Decimal, Boolean, Timestamp, Text };

Shape shapeOf(Oid type) {
    switch (type) {
    case Int2Oid: case Int4Oid: case Int8Oid: return Shape::Integer;
    case Float4Oid: case Float8Oid: return Shape::Real;
    case NumericOid: return Shape::Decimal;
    case BoolOid: return Shape::Boolean;
    case DateOid: case TimestampOid: case TimestampTzOid: return Shape::Timestamp;
    default: return Shape::Text;
    }
}

Variant integerOrDouble(int64_t i) {
    if (i >= std::numeric_limits<int32_t>::min() && i <= std::numeric_limits<int32_t>::max())
        return Variant(static_cast<int32_t>(i));
    return Variant(static_cast<double>(i));
}

double realOf(std::string_view text) {
    double d = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), d);
    if (r.ec == std::errc()) return d;
    if (text == "Infinity") return std::numeric_limits<double>::infinity();
    if (text == "-Infinity") return -std::numeric_limits<double>::infinity();
    return std::numeric_limits<double>::quiet_NaN();
}

// numeric's text ("-1234.5600") read exactly, without passing through a double; an expression's
// result with more decimals is rounded half to even, as Jet's Currency is.
Currency currencyOf(std::string_view text) {
    const auto amount = Currency::parse(text);
    if (!amount) throwError(zelt::err::Overflow);
    return *amount;
}

std::optional<Date> dateOf(std::string_view text) {
    // YYYY-MM-DD[ HH:MM:SS[.fff]][+TZ], as DateStyle ISO writes it.
    DateParts p;
    auto number = [&](size_t at, size_t len, int& out) {
        if (text.size() < at + len) return false;
        const auto r = std::from_chars(text.data() + at, text.data() + at + len, out);
        return r.ec == std::errc() && r.ptr == text.data() + at + len;
    };
    if (!number(0, 4, p.year) || text.size() < 10 || !number(5, 2, p.month) || !number(8, 2, p.day)) return std::nullopt;
    if (text.size() >= 19 && (!number(11, 2, p.hour) || !number(14, 2, p.minute) || !number(17, 2, p.second)))
        return std::nullopt;
    std::optional<Date> d = Date::fromParts(p);
    if (d && text.size() > 20 && text[19] == '.') {
        // A fraction of a second rounds to the nearest, as a timestamp(0) column stores it.
        if (text[20] >= '5') d = Date::fromParts(Date(d->serial() + (d->serial() < 0 ? -1.0 : 1.0) / 86400.0).parts());
    }
    return d;
}

Variant natural(std::string_view text, Shape shape) {
    switch (shape) {
    case Shape::Integer: {
        int64_t i = 0;
        std::from_chars(text.data(), text.data() + text.size(), i);
        return integerOrDouble(i);
    }
    case Shape::Real:
    case Shape::Decimal: return Variant(realOf(text));
    case Shape::Boolean: return Variant(text == "t");
    case Shape::Timestamp:
        if (auto d = dateOf(text)) return Variant(*d);
        return Variant(text);
    case Shape::Text: break;
    }
    return Variant(text);
}

}  // namespace

Variant valueOf(std::string_view text, Oid type, ValueKind kind) {
    const Shape shape = shapeOf(type);
    const bool number = shape == Shape::Integer || shape == Shape::Real || shape == Shape::Decimal;
    switch (kind) {
    case ValueKind::Integer:
        if (shape == Shape::Real || shape == Shape::Decimal) {
            const double d = realOf(text);
            if (d == std::trunc(d) && std::abs(d) <= std::numeric_limits<int32_t>::max())
                return Variant(static_cast<int32_t>(d));
            return Variant(d);
        }
        if (shape == Shape::Boolean) return Variant(static_cast<int32_t>(text == "t" ? -1 : 0));
        break;
    case ValueKind::SmallInt:
        if (shape == Shape::Integer) return Variant(static_cast<int16_t>(realOf(text)));
        break;
    case ValueKind::Byte:
        if (shape == Shape::Integer) return Variant(static_cast<uint8_t>(realOf(text)));
        break;
    case ValueKind::Double:
        if (number) return Variant(realOf(text));
        if (shape == Shape::Boolean) return Variant(text == "t" ? -1.0 : 0.0);
        break;
    case ValueKind::Money:
        if (shape == Shape::Integer || shape == Shape::Decimal) return Variant(currencyOf(text));
        if (shape == Shape::Real) return Variant(Currency::fromDouble(realOf(text)));
        if (shape == Shape::Text)
            if (auto n = regional::parseNumber(text)) return Variant(Currency::fromDouble(*n));
        break;
    case ValueKind::Text:
        if (shape == Shape::Decimal) return Variant(Variant(realOf(text)).toText());
        if (shape != Shape::Text) return Variant(natural(text, shape).toText());
        break;
    case ValueKind::Boolean:
        if (number) return Variant(realOf(text) != 0.0);
        break;
    case ValueKind::Date:
        if (number) return Variant(Date(realOf(text)));
        if (shape == Shape::Text)
            if (auto d = Date::parseRegional(text)) return Variant(*d);
        break;
    case ValueKind::Unknown:
        break;
    }
    return natural(text, shape);
}

RowReader::RowReader(const Query& query) : query_(query) {}

void RowReader::describe(const PGresult* r) {
    const size_t columns = static_cast<size_t>(PQnfields(r));
    for (size_t c = 0; c < columns; ++c) types_.push_back(PQftype(r, static_cast<int>(c)));
    if (query_.computedLocally() && query_.fetched.size() == columns) {
        kinds_ = query_.fetched;
        computed_.emplace(query_);
        return;
    }
    const bool described = query_.columns.size() == columns;
    std::vector<std::string> names(columns);
    kinds_.assign(columns, ValueKind::Unknown);
    for (size_t c = 0; c < columns; ++c) {
        names[c] = described ? query_.columns[c].name : PQfname(r, static_cast<int>(c));
        if (described) kinds_[c] = query_.columns[c].kind;
    }
    values_.emplace(std::move(names), kinds_);
}

void RowReader::read(const PGresult* r) {
    if (!values_ && !computed_) describe(r);
    const int rows = PQntuples(r);
    const int columns = static_cast<int>(types_.size());
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < columns; ++c) {
            const size_t i = static_cast<size_t>(c);
            Variant v = PQgetisnull(r, row, c)
                            ? Variant::null()
                            : valueOf(std::string_view(PQgetvalue(r, row, c), static_cast<size_t>(PQgetlength(r, row, c))),
                                      types_[i], kinds_[i]);
            if (computed_) computed_->add(std::move(v));
            else values_->add(std::move(v));
        }
    }
}

Ref<ado::Recordset> RowReader::finish() {
    if (computed_) return computed_->finish();
    if (values_) return values_->finish();
    std::vector<std::string> names;
    std::vector<ValueKind> kinds;
    for (const ResultColumn& c : query_.columns) {
        names.push_back(c.name);
        kinds.push_back(c.kind);
    }
    return engine::ResultBuilder(std::move(names), std::move(kinds)).finish();
}

}  // namespace zelt::jet::postgres

// The register travels as Jet statements through both engines: what one engine reads as Jet
// values the other writes from Jet literals, so every kind keeps its value exactly (money to the
// ten-thousandth, dates to the second) whichever way it goes.
#include "zelt/jet/copy.hpp"

#include <charconv>
#include <cstdio>

#include "zelt/ado/connection.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/catalogue.hpp"
#include "zelt/jet/engine.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet {
namespace {

// Rows written between reports of progress.
constexpr int64_t ProgressStep = 200;

std::string textLiteral(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string literal(const Variant& v) {
    if (v.isNull() || v.isEmpty()) return "Null";
    switch (v.type()) {
    case VarType::String: return textLiteral(*v.get<std::string>());
    case VarType::Bool: return *v.get<bool>() ? "True" : "False";
    case VarType::Currency: return v.get<Currency>()->toString('.');
    case VarType::Date: {
        const DateParts p = v.get<Date>()->parts();
        char text[40];
        std::snprintf(text, sizeof text, "#%02d/%02d/%04d %02d:%02d:%02d#", p.month, p.day, p.year, p.hour, p.minute,
                      p.second);
        return text;
    }
    case VarType::R8: {
        char text[32];
        const auto r = std::to_chars(text, text + sizeof text, *v.get<double>());
        return std::string(text, r.ptr);
    }
    default: return v.toText();
    }
}

int64_t countOf(ado::Engine& e, const std::string& table) {
    int64_t n = 0;
    return static_cast<int64_t>(e.execute("SELECT Count(*) FROM " + table, n)->valueAt(0, 0).toDouble());
}

std::string orderOf(const TableDef& t) {
    for (const ColumnDef& c : t.columns)
        if (c.kind == ColumnKind::Counter) return " ORDER BY " + c.name;
    return "";
}

}  // namespace

std::vector<CopiedTable> copyRegister(const std::string& from, const std::string& to, const CopyProgress& progress) {
    if (from == to) throwError(err::ProviderFailure, "A origem e o destino da cópia são o mesmo banco de dados.");
    auto source = openDatabase(from);
    auto target = openDatabase(to);
    if (countOf(*target, "Clientes") > 0)
        throwError(err::ProviderFailure, "O banco de destino já tem clientes; a cópia só é feita para um banco sem "
                                         "clientes, para que nada dele se perca.");
    const std::vector<const TableDef*> order = tablesReferredFirst();
    std::vector<CopiedTable> copied;
    int64_t n = 0;
    target->begin();
    try {
        // The reference rows a new database starts with give way to the register's own.
        for (auto t = order.rbegin(); t != order.rend(); ++t) target->execute("DELETE * FROM " + (*t)->name, n);
        for (const TableDef* t : order) {
            std::string columns;
            for (const ColumnDef& c : t->columns) columns += (columns.empty() ? "" : ", ") + c.name;
            auto rows = source->execute("SELECT " + columns + " FROM " + t->name + orderOf(*t), n);
            const int64_t total = rows->get_RecordCount();
            const std::string head = "INSERT INTO " + t->name + " (" + columns + ") VALUES (";
            for (int64_t r = 0; r < total; ++r) {
                std::string sql = head;
                for (size_t c = 0; c < t->columns.size(); ++c) {
                    if (c) sql += ", ";
                    sql += literal(rows->valueAt(static_cast<int>(r), static_cast<int>(c)));
                }
                target->execute(sql + ")", n);
                if (progress && ((r + 1) % ProgressStep == 0 || r + 1 == total)) progress(t->name, r + 1, total);
            }
            if (progress && total == 0) progress(t->name, 0, 0);
            copied.push_back({t->name, total});
        }
        target->commit();
    } catch (...) {
        try {
            target->rollback();
        } catch (...) {
        }
        throw;
    }
    return copied;
}

}  // namespace zelt::jet

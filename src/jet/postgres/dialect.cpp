#include "jet/postgres/dialect.hpp"

#include <cstdio>

#include "jet/postgres/schema.hpp"
#include "jet/translate/expression_writer.hpp"
#include "jet/translate/sql_text.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt::jet::postgres {
namespace {

using ast::Op;

std::string collation(std::string_view name) { return " COLLATE \"" + std::string(name) + "\""; }

// Wraps out[mark..] as before + it + after.
void wrap(std::string& out, size_t mark, std::string_view before, std::string_view after) {
    out.insert(mark, before);
    out += after;
}

class PostgresDialect final : public Dialect {
public:
    void collate(std::string& out, size_t mark, const Typed& written, TextUse use) const override {
        // A text column already compares through its own collation; naming it again in GROUP BY
        // would make the grouped expression another than the selected column.
        if (use == TextUse::Group || written.kind != ValueKind::Text || written.null) return;
        if (written.precedence != Precedence::Atom) sql::enclose(out, mark);
        out += collation(CaseInsensitive);
    }

    void dateLiteral(std::string& out, double serial) const override {
        const DateParts p = Date(serial).parts();
        char text[48];
        std::snprintf(text, sizeof text, "TIMESTAMP '%04d-%02d-%02d %02d:%02d:%02d'", p.year, p.month, p.day, p.hour,
                      p.minute, p.second);
        out += text;
    }
    void yesNoLiteral(std::string& out, bool value) const override { out += value ? "-1" : "0"; }
    void now(std::string& out) const override { out += "LOCALTIMESTAMP(0)"; }

    Call function(std::string_view jetName, size_t) const override {
        if (jetName == "Trim") return {"btrim(CAST(", " AS text), ' '", ", ", ")"};  // VB trims spaces only
        if (jetName == "Val") return {"jet_val(CAST(", " AS text)", ", ", ")"};
        if (jetName == "Mid") return {"substr(CAST(", " AS text)", ", ", ")"};
        if (jetName == "Day") return {"CAST(EXTRACT(DAY FROM CAST(", " AS timestamp)", ", ", ") AS integer)"};
        if (jetName == "Month") return {"CAST(EXTRACT(MONTH FROM CAST(", " AS timestamp)", ", ", ") AS integer)"};
        if (jetName == "Year") return {"CAST(EXTRACT(YEAR FROM CAST(", " AS timestamp)", ", ", ") AS integer)"};
        if (jetName == "Now") return {"LOCALTIMESTAMP(0", "", ", ", ")"};
        if (jetName == "Format")
            throwError(err::Syntax, "Neste banco de dados a função Format só pode estar numa coluna da seleção ou "
                                    "num termo de ORDER BY.");
        if (jetName == "Sum") return {"sum(", "", ", ", ")"};
        if (jetName == "Min") return {"min(", "", ", ", ")"};
        if (jetName == "Max") return {"max(", "", ", ", ")"};
        return {"avg(", "", ", ", ")"};
    }

    // Null reads as empty text, as in Jet; amounts without their trailing zeros and dates in the
    // regional form, as Jet writes them into text.
    bool formatsOnServer() const override { return false; }
    bool mixesKinds() const override { return false; }

    void concatOpen(std::string& out) const override { out += "concat("; }
    void concatOperand(std::string& out, size_t mark, const Typed& written) const override {
        if (written.kind == ValueKind::Money) return wrap(out, mark, "trim_scale(", ")");
        if (written.kind != ValueKind::Date) return;
        const std::string d = out.substr(mark);
        out.resize(mark);
        out += "to_char(" + d + ", CASE WHEN CAST(" + d + " AS time) = TIME '00:00' THEN 'DD/MM/YYYY' ELSE "
               "'DD/MM/YYYY HH24:MI:SS' END)";
    }

    void arithmetic(std::string& out, Op op, size_t left, size_t right, const Typed& l,
                    const Typed& r) const override {
        if (l.null || r.null) {
            // Null in arithmetic gives Null, whatever the other operand.
            out.resize(left);
            out += "NULL";
            return;
        }
        const bool ld = l.kind == ValueKind::Date, rd = r.kind == ValueKind::Date;
        if (op == Op::Div) {
            // A quotient by zero is Null, as on SQLite.
            out.insert(right, " AS double precision) / NULLIF(");
            out.insert(left, "CAST(");
            out += ", 0)";
            return;
        }
        if ((op == Op::Add || op == Op::Sub) && ld != rd && isNumeric(ld ? r.kind : l.kind)) {
            // Days added to or taken from a date.
            const std::string days = ld ? out.substr(right) : out.substr(left, right - left);
            const std::string date = ld ? out.substr(left, right - left) : out.substr(right);
            out.resize(left);
            out += "(" + date + (op == Op::Add ? " + (" : " - (") + days + ") * INTERVAL '1 day')";
            return;
        }
        if (op == Op::Sub && ld && rd) {
            // The days between two dates, fractions included.
            const std::string a = out.substr(left, right - left), b = out.substr(right);
            out.resize(left);
            out += "(EXTRACT(EPOCH FROM (" + a + ") - (" + b + ")) / 86400)";
            return;
        }
        out.insert(right, op == Op::Add ? " + " : op == Op::Sub ? " - " : " * ");
    }

    // Jet's LIKE is case-insensitive and accent-sensitive, with only % and _ special: ILIKE under
    // the deterministic pt-BR collation (the case-insensitive one cannot match patterns), no escape.
    void likeOperator(std::string& out, size_t mark, const Typed& value, bool negated) const override {
        if (value.kind != ValueKind::Text) wrap(out, mark, "CAST(", " AS text)");
        else if (value.precedence != Precedence::Atom) sql::enclose(out, mark);
        out += collation(Portuguese);
        out += negated ? " NOT ILIKE " : " ILIKE ";
    }
    void likeEnd(std::string& out) const override { out += " ESCAPE ''"; }

    void asCondition(std::string& out, size_t mark, const Typed& written) const override {
        if (!written.condition && !written.null) wrap(out, mark, "(", " <> 0)");
    }
    // True is -1, as Jet gives it; Null stays Null.
    void asValue(std::string& out, size_t mark, const Typed& written) const override {
        if (written.condition) wrap(out, mark, "(-CAST((", ") AS integer))");
    }

    void intoDate(std::string& out, size_t mark, const Typed& written) const override {
        if (written.kind != ValueKind::Date && !written.null) wrap(out, mark, "CAST(", " AS timestamp(0))");
    }

    void orderDirection(std::string& out, bool descending) const override {
        out += descending ? " DESC NULLS LAST" : " NULLS FIRST";
    }
    // The result column keeps the collation of the columns it comes from.
    void orderByPosition(std::string& out, size_t position, ValueKind) const override {
        out += std::to_string(position);
    }
    std::string_view subqueryAlias() const override { return " AS \"jet_sub\""; }

    // The counter the row was given comes back with it: it answers SELECT @@Identity. A row
    // written with its own counter moves the counter past it, as Jet's does.
    void afterInsert(std::string& out, const TableDef& table) const override {
        const ColumnDef* counter = nullptr;
        for (const ColumnDef& c : table.columns)
            if (c.kind == ColumnKind::Counter) counter = &c;
        if (!counter) return;
        std::string name;
        sql::appendIdentifier(name, counter->name);
        out += " RETURNING " + name;
        const size_t list = out.find(" (");
        const size_t values = out.find(") VALUES (");
        if (list == std::string::npos || values == std::string::npos || out.find(name, list) > values) return;
        const std::string sequence = "pg_get_serial_sequence('\"" + table.name + "\"', '" + counter->name + "')";
        out += ", setval(" + sequence + ", greatest(" + name + ", coalesce(pg_sequence_last_value(" + sequence +
               "), 0)))";
    }
};

}  // namespace

const Dialect& postgresDialect() {
    static const PostgresDialect dialect;
    return dialect;
}

}  // namespace zelt::jet::postgres

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

// A character of a regular expression, itself.
void appendRegexCharacter(std::string& out, std::string_view c) {
    if (c.size() == 1 && std::string_view("\\.^$*+?()[]{}|-").find(c[0]) != std::string_view::npos) out += '\\';
    out += c;
}

size_t characterLength(std::string_view s, size_t i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t n = c < 0xC0 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    return i + n <= s.size() ? n : s.size() - i;
}

// Jet's LIKE pattern with bracket lists as an anchored regular expression: % any run, _ one
// character, [abc] [a-c] [!abc] one of (or none of) them, [%] [_] [[] themselves, [] nothing, and
// a [ that no ] closes itself. Ranges run by code point.
std::string likeRegex(std::string_view p) {
    std::string re = "^";
    for (size_t i = 0; i < p.size();) {
        const char c = p[i];
        if (c == '%') {
            re += ".*";
            ++i;
        } else if (c == '_') {
            re += '.';
            ++i;
        } else if (c == '[' && p.find(']', i + 1) != std::string_view::npos) {
            const size_t close = p.find(']', i + 1);
            std::string_view list = p.substr(i + 1, close - i - 1);
            i = close + 1;
            const bool negated = !list.empty() && list.front() == '!';
            if (negated) list.remove_prefix(1);
            if (list.empty()) {
                re += negated ? "." : "(?!)";
                continue;
            }
            re += negated ? "[^" : "[";
            for (size_t j = 0; j < list.size();) {
                const size_t n = characterLength(list, j);
                appendRegexCharacter(re, list.substr(j, n));
                j += n;
                if (j + 1 < list.size() && list[j] == '-') {
                    re += '-';
                    ++j;
                }
            }
            re += ']';
        } else {
            const size_t n = characterLength(p, i);
            appendRegexCharacter(re, p.substr(i, n));
            i += n;
        }
    }
    return re + "$";
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
    // Now, Date and Time read one clock, the statement's LOCALTIMESTAMP, cut as Jet's are: the
    // server's rounding could put Now a second into the next day while Date still reads this one.
    void now(std::string& out) const override { out += "date_trunc('second', LOCALTIMESTAMP)"; }

    Call function(std::string_view jetName) const override {
        if (jetName == "Trim") return {"btrim(CAST(", " AS text), ' '", ", ", ")"};  // VB trims spaces only
        if (jetName == "Val") return {"jet_val(CAST(", " AS text)", ", ", ")"};
        if (jetName == "Day") return {"CAST(EXTRACT(DAY FROM CAST(", " AS timestamp)", ", ", ") AS integer)"};
        if (jetName == "Month") return {"CAST(EXTRACT(MONTH FROM CAST(", " AS timestamp)", ", ", ") AS integer)"};
        if (jetName == "Year") return {"CAST(EXTRACT(YEAR FROM CAST(", " AS timestamp)", ", ", ") AS integer)"};
        if (jetName == "Now") return {"date_trunc('second', LOCALTIMESTAMP", "", ", ", ")"};
        if (jetName == "Format")
            throwError(err::Syntax, "Neste banco de dados a função Format só pode estar numa coluna da seleção, "
                                    "num termo de ORDER BY ou numa condição de uma seleção.");
        if (jetName == "Sum") return {"sum(", "", ", ", ")"};
        if (jetName == "Min") return {"min(", "", ", ", ")"};
        if (jetName == "Max") return {"max(", "", ", ", ")"};
        if (jetName == "StDev") return {"stddev_samp(CAST(", " AS double precision)", ", ", ")"};
        if (jetName == "StDevP") return {"stddev_pop(CAST(", " AS double precision)", ", ", ")"};
        if (jetName == "Var") return {"var_samp(CAST(", " AS double precision)", ", ", ")"};
        if (jetName == "VarP") return {"var_pop(CAST(", " AS double precision)", ", ", ")"};
        // The rows' values in the order they come, Null included: the first, or the count-th.
        if (jetName == "First") return {"(array_agg(", "", ", ", "))[1]"};
        if (jetName == "Last") return {"(array_agg(", "", ", ", "))[count(*)]"};
        return {"avg(", "", ", ", ")"};
    }
    // The library's functions are computed on the fetched rows.
    bool hasLibrary() const override { return false; }
    std::string libraryFunction(std::string_view) const override { return {}; }
    // Those whose Null rule (Null gives Null) and value the server's functions share, for the
    // kinds on which they agree: text for the text functions (a number would be written with "."),
    // dates for the parts of a time, numbers for Abs, Int and Fix.
    bool serverLibraryCall(std::string& out, std::string_view name, const std::vector<std::string>& args,
                           const std::vector<ValueKind>& kinds) const override {
        const auto all = [&](auto test) {
            for (const ValueKind k : kinds)
                if (!test(k)) return false;  // a Null literal has no type the server could choose by
            return true;
        };
        const auto text = [](ValueKind k) { return k == ValueKind::Text; };
        const auto date = [](ValueKind k) { return k == ValueKind::Date; };
        const auto number = [](ValueKind k) { return isNumeric(k) && k != ValueKind::Date && k != ValueKind::Boolean; };
        const std::string a = args.empty() ? std::string() : args[0];
        if (name == "Date") return out += "date_trunc('day', LOCALTIMESTAMP)", true;
        if (name == "Time")
            return out += "(TIMESTAMP '1899-12-30' + CAST(date_trunc('second', LOCALTIMESTAMP) AS time))", true;
        if (all(text)) {
            if (name == "UCase") return out += "upper(CAST(" + a + " AS text))", true;
            if (name == "LCase") return out += "lower(CAST(" + a + " AS text))", true;
            if (name == "Len") return out += "char_length(CAST(" + a + " AS text))", true;
            if (name == "LTrim") return out += "ltrim(CAST(" + a + " AS text), ' ')", true;
            if (name == "RTrim") return out += "rtrim(CAST(" + a + " AS text), ' ')", true;
            // Jet's InStr compares text ignoring case.
            if (name == "InStr" && args.size() == 2)
                return out += "strpos(lower(CAST(" + a + " AS text)), lower(CAST(" + args[1] + " AS text)))", true;
        }
        // Left, Right and Mid with counts written as whole numbers, which the server's functions
        // read as Jet's do.
        const auto literal = [](const std::string& s, bool positive) {
            return !s.empty() && s.size() < 10 && s.find_first_not_of("0123456789") == std::string::npos &&
                   (!positive || s.find_first_not_of('0') != std::string::npos);
        };
        if ((name == "Left" || name == "Right") && kinds[0] == ValueKind::Text && literal(args[1], false))
            return out += (name == "Left" ? "left(CAST(" : "right(CAST(") + a + " AS text), " + args[1] + ")", true;
        if (name == "Mid" && kinds[0] == ValueKind::Text && literal(args[1], true) &&
            (args.size() == 2 || literal(args[2], false))) {
            out += "substr(CAST(" + a + " AS text), " + args[1];
            out += args.size() == 3 ? ", " + args[2] + ")" : ")";
            return true;
        }
        if (all(date) && args.size() == 1) {
            if (name == "Hour") return out += "CAST(EXTRACT(HOUR FROM " + a + ") AS smallint)", true;
            if (name == "Minute") return out += "CAST(EXTRACT(MINUTE FROM " + a + ") AS smallint)", true;
            if (name == "Second") return out += "CAST(EXTRACT(SECOND FROM " + a + ") AS smallint)", true;
            if (name == "Weekday") return out += "CAST(EXTRACT(DOW FROM " + a + ") + 1 AS smallint)", true;
        }
        if (all(number)) {
            if (name == "Abs") return out += "abs(" + a + ")", true;
            if (name == "Int") return out += "floor(" + a + ")", true;
            if (name == "Fix") return out += "trunc(" + a + ")", true;
        }
        return false;
    }
    void libraryArgument(std::string&, const Typed&) const override {}
    // The operands as whole numbers: a double rounds half to even when cast, and an integer out of
    // range is the server's overflow, as Jet's.
    void jetOperator(std::string& out, Op op, std::string_view, const std::vector<std::string>& operands,
                     const std::vector<ValueKind>& kinds) const override {
        std::string number[2], whole[2];
        for (size_t i = 0; i < 2; ++i) {
            number[i] = kinds[i] == ValueKind::Text ? "jet_number(" + operands[i] + ")"
                                                    : "CAST(" + operands[i] + " AS double precision)";
            whole[i] = "CAST(" + number[i] + " AS integer)";
        }
        switch (op) {
        case Op::Mod: out += "(" + whole[0] + " % " + whole[1] + ")"; return;
        case Op::IntDiv: out += "(" + whole[0] + " / " + whole[1] + ")"; return;
        case Op::Power: out += "power(" + number[0] + ", " + number[1] + ")"; return;
        case Op::Xor: out += "(" + whole[0] + " # " + whole[1] + ")"; return;
        case Op::Eqv: out += "(~(" + whole[0] + " # " + whole[1] + "))"; return;
        default:  // Imp: False Imp anything and anything Imp True are True, even beside Null
            out += "(CASE WHEN " + whole[0] + " = 0 OR " + whole[1] + " = -1 THEN -1 ELSE (~" + whole[0] + " | " +
                   whole[1] + ") END)";
        }
    }
    bool formatsOnServer() const override { return false; }
    bool mixesKinds() const override { return false; }

    // numeric(19,4) holds the amount itself, exactly.
    bool scalesMoney() const override { return false; }
    void moneyLiteral(std::string& out, Currency amount) const override {
        const bool negative = amount.raw() < 0;
        if (negative) out += '(';
        out += amount.toString('.');
        if (negative) out += ')';
    }
    void intoMoney(std::string&, size_t) const override {}

    // Null reads as empty text, and all Null is Null (jet_concat); numbers and dates as CStr
    // writes them under the regional settings ("1,5", "25/12/2020 10:30:00"). Where the whole can't
    // be Null the server's concat does it alone: jet_concat, inlined, computes its operands twice.
    std::string_view concatFunction(bool neverNull) const override { return neverNull ? "concat" : "jet_concat"; }
    void concatOperand(std::string& piece, const Typed& written) const override {
        switch (written.kind) {
        case ValueKind::Text: return;
        case ValueKind::Money: piece = "replace(CAST(trim_scale(" + piece + ") AS text), '.', ',')"; return;
        case ValueKind::Double:  // an amount too, as a double: without its trailing zeros
            piece = "upper(replace(CAST(CAST(" + piece + " AS double precision) AS text), '.', ','))";
            return;
        case ValueKind::Date:
            // The date alone at midnight, the time alone on the zero day, as CStr writes them.
            piece = "to_char(" + piece + ", CASE WHEN CAST(" + piece + " AS date) = DATE '1899-12-30' THEN " +
                    "'HH24:MI:SS' WHEN CAST(" + piece + " AS time) = TIME '00:00' THEN 'DD/MM/YYYY' ELSE " +
                    "'DD/MM/YYYY HH24:MI:SS' END)";
            return;
        default: piece = "CAST(" + piece + " AS text)"; return;
        }
    }

    std::string dateArithmetic(Op op, std::string_view l, std::string_view r, const Typed& lt,
                               const Typed& rt) const override {
        const bool ld = lt.kind == ValueKind::Date, rd = rt.kind == ValueKind::Date;
        if (ld && rd && op == Op::Sub)  // the days between, fractions included
            return "(EXTRACT(EPOCH FROM (" + std::string(l) + ") - (" + std::string(r) + ")) / 86400)";
        if (ld == rd) return {};
        const std::string date(ld ? l : r), days(ld ? r : l);
        return "(" + date + (op == Op::Add ? " + (" : " - (") + days + ") * INTERVAL '1 day')";
    }
    Call division() const override {
        return {"jet_divide(CAST(", " AS double precision)", ", CAST(", " AS double precision))"};
    }
    // The texts before the first number join; every text from there is read as a number
    // (jet_number, the regional reading); a Null anywhere gives Null.
    void mixedAddition(std::string& out, const std::vector<std::string>& operands,
                       const std::vector<ValueKind>& kinds) const override {
        std::string joined;
        bool number = false;
        out += '(';
        for (size_t i = 0; i < operands.size(); ++i) {
            const bool text = kinds[i] == ValueKind::Text;
            if (text && !number) {
                joined += (joined.empty() ? "" : " || ") + operands[i];
                continue;
            }
            if (!number && !joined.empty()) out += "jet_number(" + joined + ") + ";
            else if (number) out += " + ";
            number = true;
            out += text ? "jet_number(" + operands[i] + ")" : "CAST(" + operands[i] + " AS double precision)";
        }
        if (!number) out += joined;
        out += ')';
    }
    // Text compares as Jet's does, through the case-insensitive collation.
    void unorderedBetween(std::string& out, bool negated, const std::vector<std::string>& operands,
                          const std::vector<ValueKind>& kinds) const override {
        const std::string value = kinds[0] == ValueKind::Text ? "(" + operands[0] + ")" + collation(CaseInsensitive)
                                                               : operands[0];
        out += "(" + value + (negated ? " NOT BETWEEN SYMMETRIC " : " BETWEEN SYMMETRIC ") + operands[1] + " AND " +
               operands[2] + ")";
    }

    // Jet's LIKE is case-insensitive and accent-sensitive: ILIKE under the deterministic pt-BR
    // collation (the case-insensitive one cannot match patterns), with no escape character; a
    // literal pattern with bracket lists becomes a regular expression.
    bool likeLiteral(std::string& out, size_t mark, const Typed& value, bool negated,
                     std::string_view pattern) const override {
        if (pattern.find('[') == std::string_view::npos) return false;
        subject(out, mark, value);
        out += negated ? " !~* " : " ~* ";
        out += '\'';
        for (char c : likeRegex(pattern)) out += c == '\'' ? std::string("''") : std::string(1, c);
        out += '\'';
        return true;
    }
    void likeOperator(std::string& out, size_t mark, const Typed& value, bool negated) const override {
        subject(out, mark, value);
        out += negated ? " NOT ILIKE " : " ILIKE ";
    }
    void likeEnd(std::string& out) const override { out += " ESCAPE ''"; }

    void asCondition(std::string& piece, Typed& written) const override {
        if (written.condition || written.null) return;
        piece = "(" + piece + " <> 0)";
        written = {ValueKind::Boolean, false, Precedence::Atom, true};
    }
    // True is -1, as Jet gives it; Null stays Null.
    void asValue(std::string& piece, Typed& written) const override {
        piece = "(-CAST((" + piece + ") AS integer))";
        written.precedence = Precedence::Atom;
        written.condition = false;
    }

    void intoDate(std::string& piece, const Typed& written) const override {
        if (written.kind != ValueKind::Date && !written.null) piece = "CAST(" + piece + " AS timestamp(0))";
    }

    void orderDirection(std::string& out, bool descending) const override {
        out += descending ? " DESC NULLS LAST" : " NULLS FIRST";
    }
    // The result column keeps the collation of the columns it comes from.
    void orderByPosition(std::string& out, size_t position, ValueKind) const override {
        out += std::to_string(position);
    }
    // The server refuses a second row itself (see server_errors.cpp).
    void singleValue(std::string& out, std::string_view selection, std::string_view) const override {
        out += "(";
        out += selection;
        out += ")";
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
        const size_t list = out.find(" (");
        const size_t values = out.find(") VALUES (");
        const bool given = list != std::string::npos && values != std::string::npos && out.find(name, list) < values;
        out += " RETURNING " + name;
        if (!given) return;
        const std::string sequence = "pg_get_serial_sequence('\"" + table.name + "\"', '" + counter->name + "')";
        out += ", setval(" + sequence + ", greatest(" + name + ", coalesce(pg_sequence_last_value(" + sequence +
               "), 0)))";
    }

private:
    // What LIKE matches: text under the deterministic collation.
    static void subject(std::string& out, size_t mark, const Typed& value) {
        if (value.kind != ValueKind::Text) {
            out.insert(mark, "CAST(");
            out += " AS text)";
        } else if (value.precedence != Precedence::Atom) {
            sql::enclose(out, mark);
        }
        out += collation(Portuguese);
    }
};

}  // namespace

const Dialect& postgresDialect() {
    static const PostgresDialect dialect;
    return dialect;
}

}  // namespace zelt::jet::postgres

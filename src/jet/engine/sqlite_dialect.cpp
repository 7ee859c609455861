// The Jet text as SQLite reads it: the Jet functions, the Portuguese LIKE and the PTBR collation are
// registered on every connection (jet_functions.cpp), dates are day serials, money ten-thousandths.
#include "jet/engine/library_functions.hpp"
#include "jet/translate/dialect.hpp"
#include "jet/translate/expression_writer.hpp"
#include "jet/translate/sql_text.hpp"

namespace zelt::jet {
namespace {

class SqliteDialect final : public Dialect {
public:
    void collate(std::string& out, size_t mark, const Typed& written, TextUse) const override {
        if (written.precedence != Precedence::Atom) sql::enclose(out, mark);
        out += " COLLATE PTBR";
    }
    void dateLiteral(std::string& out, double serial) const override { sql::appendReal(out, serial); }
    void now(std::string& out) const override { out += "jet_now()"; }

    Call function(std::string_view jetName) const override {
        if (jetName == "Format") return {"jet_format(", "", ", ", ")"};
        if (jetName == "Trim") return {"jet_trim(", "", ", ", ")"};
        if (jetName == "Val") return {"jet_val(", "", ", ", ")"};
        if (jetName == "Day") return {"jet_day(", "", ", ", ")"};
        if (jetName == "Month") return {"jet_month(", "", ", ", ")"};
        if (jetName == "Year") return {"jet_year(", "", ", ", ")"};
        if (jetName == "Now") return {"jet_now(", "", ", ", ")"};
        if (jetName == "Sum") return {"sum(", "", ", ", ")"};
        if (jetName == "Min") return {"min(", "", ", ", ")"};
        if (jetName == "Max") return {"max(", "", ", ", ")"};
        if (jetName == "StDev") return {"jet_stdev(", "", ", ", ")"};
        if (jetName == "StDevP") return {"jet_stdevp(", "", ", ", ")"};
        if (jetName == "Var") return {"jet_var(", "", ", ", ")"};
        if (jetName == "VarP") return {"jet_varp(", "", ", ", ")"};
        if (jetName == "First") return {"jet_first(", "", ", ", ")"};
        if (jetName == "Last") return {"jet_last(", "", ", ", ")"};
        return {"avg(", "", ", ", ")"};
    }
    bool hasLibrary() const override { return true; }
    std::string libraryFunction(std::string_view jetName) const override { return engine::librarySqlName(jetName); }
    bool serverLibraryCall(std::string&, std::string_view, const std::vector<std::string>&,
                           const std::vector<ValueKind>&) const override {
        return false;  // every library function is SQLite's own
    }
    void libraryArgument(std::string& piece, const Typed& written) const override {
        if (written.null) return;
        const unsigned mark = written.kind == ValueKind::Date      ? engine::DateMark
                              : written.kind == ValueKind::Boolean ? engine::BooleanMark
                              : written.kind == ValueKind::Money   ? engine::MoneyMark
                                                                   : 0;
        if (mark) piece = "jet_typed(" + piece + ", " + std::to_string(mark) + ")";
    }
    void jetOperator(std::string& out, ast::Op, std::string_view name, const std::vector<std::string>& operands,
                     const std::vector<ValueKind>&) const override {
        sql::appendCall(out, engine::librarySqlName(name), operands);
    }
    bool formatsOnServer() const override { return true; }
    bool mixesKinds() const override { return true; }

    bool scalesMoney() const override { return true; }
    void moneyLiteral(std::string& out, Currency amount) const override { out += std::to_string(amount.raw()); }
    // SQLite turns an integer that overflows into a double, which no money column may keep.
    void intoMoney(std::string& out, size_t mark) const override {
        out.insert(mark, "jet_amount(");
        out += ')';
    }

    std::string_view concatFunction(bool) const override { return "jet_concat"; }
    // A date is marked as one, since SQLite holds it as a number.
    void concatOperand(std::string& piece, const Typed& written) const override {
        if (written.kind == ValueKind::Date) piece = "jet_date_text(" + piece + ")";
    }

    std::string dateArithmetic(ast::Op, std::string_view, std::string_view, const Typed&, const Typed&) const override {
        return {};  // a date is a number of days
    }
    Call division() const override { return {"jet_divide(", "", ", ", ")"}; }
    void mixedAddition(std::string& out, const std::vector<std::string>& operands,
                       const std::vector<ValueKind>&) const override {
        sql::appendCall(out, "jet_add", operands);
    }
    void unorderedBetween(std::string& out, bool negated, const std::vector<std::string>& operands,
                          const std::vector<ValueKind>&) const override {
        if (negated) out += "NOT ";
        sql::appendCall(out, "jet_between", operands);
    }

    bool likeLiteral(std::string&, size_t, const Typed&, bool, std::string_view) const override { return false; }
    void likeOperator(std::string& out, size_t, const Typed&, bool negated) const override {
        out += negated ? " NOT LIKE " : " LIKE ";
    }
    void likeEnd(std::string&) const override {}

    // Conditions are SQLite's 1/0 already; Jet's True is -1.
    void asCondition(std::string&, Typed&) const override {}
    void asValue(std::string& piece, Typed& written) const override {
        piece = "-(" + piece + ")";
        written.precedence = Precedence::Unary;
        written.condition = false;
    }

    void intoDate(std::string& piece, const Typed&) const override { piece = "jet_cdate(" + piece + ")"; }

    void orderDirection(std::string& out, bool descending) const override {
        if (descending) out += " DESC";
    }
    void orderByPosition(std::string& out, size_t position, ValueKind kind) const override {
        out += std::to_string(position);
        if (!isNumeric(kind)) out += " COLLATE PTBR";
    }
    // SQLite takes a selection's first row silently; jet_one_row counts them.
    void singleValue(std::string& out, std::string_view selection, std::string_view column) const override {
        out += "(SELECT jet_one_row(COUNT(*), MAX(";
        sql::appendColumn(out, "jet_linha", column);
        out += ")) FROM (";
        out += selection;
        out += ") AS \"jet_linha\")";
    }
    std::string_view subqueryAlias() const override { return ""; }
    void afterInsert(std::string&, const TableDef&) const override {}
};

}  // namespace

const Dialect& sqliteDialect() {
    static const SqliteDialect dialect;
    return dialect;
}

}  // namespace zelt::jet

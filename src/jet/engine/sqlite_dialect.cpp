// The Jet text as SQLite reads it: the Jet functions, the Portuguese LIKE and the PTBR collation are
// registered on every connection (jet_functions.cpp), dates are day serials, Yes/No is 1/0.
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
    void yesNoLiteral(std::string& out, bool value) const override { out += value ? '1' : '0'; }
    void now(std::string& out) const override { out += "jet_now()"; }

    Call function(std::string_view jetName, size_t arguments) const override {
        if (jetName == "Format") return {"jet_format(", "", ", ", arguments == 1 ? ", '')" : ")"};
        if (jetName == "Trim") return {"jet_trim(", "", ", ", ")"};
        if (jetName == "Val") return {"jet_val(", "", ", ", ")"};
        if (jetName == "Mid") return {"jet_mid(", "", ", ", ")"};
        if (jetName == "Day") return {"jet_day(", "", ", ", ")"};
        if (jetName == "Month") return {"jet_month(", "", ", ", ")"};
        if (jetName == "Year") return {"jet_year(", "", ", ", ")"};
        if (jetName == "Now") return {"jet_now(", "", ", ", ")"};
        if (jetName == "Sum") return {"sum(", "", ", ", ")"};
        if (jetName == "Min") return {"min(", "", ", ", ")"};
        if (jetName == "Max") return {"max(", "", ", ", ")"};
        return {"avg(", "", ", ", ")"};
    }

    bool formatsOnServer() const override { return true; }
    bool mixesKinds() const override { return true; }

    void concatOpen(std::string& out) const override { out += "jet_concat("; }
    void concatOperand(std::string&, size_t, const Typed&) const override {}

    void arithmetic(std::string& out, ast::Op op, size_t, size_t right, const Typed&, const Typed&) const override {
        // SQLite would truncate the quotient of two integers.
        out.insert(right, op == ast::Op::Add   ? " + "
                          : op == ast::Op::Sub ? " - "
                          : op == ast::Op::Mul ? " * "
                                               : " * 1.0 / ");
    }

    void likeOperator(std::string& out, size_t, const Typed&, bool negated) const override {
        out += negated ? " NOT LIKE " : " LIKE ";
    }
    void likeEnd(std::string&) const override {}

    // Conditions and values are the same integers.
    void asCondition(std::string&, size_t, const Typed&) const override {}
    void asValue(std::string&, size_t, const Typed&) const override {}

    void intoDate(std::string& out, size_t mark, const Typed&) const override {
        out.insert(mark, "jet_cdate(");
        out += ')';
    }

    void orderDirection(std::string& out, bool descending) const override {
        if (descending) out += " DESC";
    }
    void orderByPosition(std::string& out, size_t position, ValueKind kind) const override {
        out += std::to_string(position);
        if (!isNumeric(kind)) out += " COLLATE PTBR";
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

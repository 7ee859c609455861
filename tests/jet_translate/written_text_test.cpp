// Whatever statement the parser accepts, SQLite takes the text written for it whole, as one
// statement with no comment: operators never run into each other, names are quoted with their
// quote doubled, literals are escaped, and nesting stays within what SQLite's parser holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <tuple>

#include "sqlite_check.hpp"
#include "statements.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/translator.hpp"

namespace {

using statements::repeated;
using zelt::jet::Translation;

const SqliteCheck& sqlite() {
    static const SqliteCheck check;
    return check;
}

// Empty when the text translates and SQLite takes what was written; "refused" when the parser
// or the translator refuses it.
std::string problemWith(const std::string& text, std::string* refusal = nullptr) {
    Translation t;
    try {
        t = zelt::jet::translate(text);
    } catch (const zelt::RuntimeError& e) {
        if (refusal) *refusal = e.description();
        return "refused";
    }
    for (const zelt::jet::Query* q : t.queries()) {
        if (q->sql.empty()) continue;
        if (std::string p = sqlite().prepare(q->sql); !p.empty()) return p + " in: " + q->sql;
    }
    return {};
}

// (The examples of translations.txt are taken whole too.)
TEST(WrittenText, SqliteTakesEveryAcceptedStatementWholeWithNoComment) {
    // Whatever the parser's fuzz corpus holds is refused or taken whole.
    const std::filesystem::path corpus = std::filesystem::path(ZELT_SOURCE_DIR) / "fuzz" / "corpus" / "jet_parser";
    int files = 0;
    for (const auto& file : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::string text = (std::ostringstream() << in.rdbuf()).str(), problem = problemWith(text);
        EXPECT_TRUE(problem.empty() || problem == "refused") << text << "\n" << problem;
        ++files;
    }
    EXPECT_GT(files, 4);
}

// Each kind of nesting, as deep as the parser takes it, around a long chain of the kind that is
// written as calls, in the places that enclose it most: the sort of a ranked member of a union, an
// alteration of a date, the condition of a nested join, the parent of a shape.
TEST(WrittenText, SqliteTakesTheDeepestNestingThatIsAccepted) {
    const std::string core = "(Animais.Nome" + repeated(" & Animais.DataDeNascimento", 150) + ")";
    // Each kind: n times its opening, the core, n times its closing.
    const std::tuple<const char*, const char*, const char*> nestings[] = {
        {"minus", "-(", ")"}, {"not", "NOT ", ""}, {"switch", "Switch(Animais.Codigo = 1, 'a', Animais.Codigo = 2, 'b', True, ", ")"},
        {"iif", "IIF(Animais.Codigo = 1, 'a', ", ")"}, {"iif condition", "IIF(", ", 1, 2) = 1"}, {"trim", "Trim(", ")"},
        {"between", "Animais.Codigo Between Animais.Situacao And (", ")"}, {"addition", "IIF(Animais.Codigo = 1, 1, 'x') + (", ")"},
        {"subtraction", "1 - (", ")"}, {"comparisons", "", " < 2 = 1"}, {"is null", "IsNull(", ")"},
        {"subquery", "(SELECT ", " FROM Exames)"}, {"all", "1 <= ALL (SELECT ", " FROM Exames)"},
        {"exists", "EXISTS (SELECT * FROM Exames WHERE ", ")"}, {"library", "Left(", ", 2)"}, {"imp", "Animais.Pedigree Imp (", ")"},
    };
    const std::pair<const char*, std::function<std::string(const std::string&)>> places[] = {
        {"union", [](const std::string& e) { return "SELECT Nome FROM Animais UNION ALL SELECT TOP 2 " + e + " AS A FROM Animais ORDER BY " + e; }},
        {"alteration", [](const std::string& e) { return "UPDATE Animais SET DataDeNascimento = " + e + " WHERE " + e + " = 1"; }},
        {"join", [](const std::string& e) {
             return "SELECT Animais.Nome FROM Clientes INNER JOIN (Animais INNER JOIN Exames ON " + e +
                    " = 1) ON Clientes.Codigo = Animais.CodigoDoCliente";
         }},
        {"shape", [](const std::string& e) {
             return "SHAPE {SELECT TOP 1 Animais.Codigo AS K FROM Animais ORDER BY " + e +
                    "} APPEND ({SELECT Animais.Codigo AS K2 FROM Animais} RELATE K TO K2) AS C";
         }},
    };
    for (const auto& [nesting, opening, closing] : nestings) {
        for (const auto& [place, statement] : places) {
            int deepest = 0;
            std::string refusal;
            for (int n = 0; n < 40; ++n) {
                const std::string problem = problemWith(statement(repeated(opening, n) + core + repeated(closing, n)), &refusal);
                if (problem == "refused") break;
                ASSERT_EQ(problem, "") << nesting << " " << n << " deep in " << place;
                deepest = n;
            }
            EXPECT_TRUE(refusal.starts_with("A expressão está aninhada em níveis demais")) << nesting << " in " << place << ": " << refusal;
            // ANY and ALL count a level more, as their selection is written several times.
            EXPECT_GE(deepest, std::string_view(nesting) == "all" ? 2 : 3) << nesting << " in " << place;
        }
    }
}

}  // namespace

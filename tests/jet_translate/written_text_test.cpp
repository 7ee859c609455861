// Whatever statement the parser accepts, SQLite takes the text written for it whole, as one
// statement with no comment: operators never run into each other, names are quoted with their
// quote doubled, literals are escaped, and nesting stays within what SQLite's parser holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

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
    using Nest = std::function<std::string(int)>;
    const std::pair<const char*, Nest> nestings[] = {
        {"minus", [&](int n) { return repeated("-(", n) + core + repeated(")", n); }},
        {"not", [&](int n) { return repeated("NOT ", n) + core; }},
        {"switch", [&](int n) { return repeated("Switch(Animais.Codigo = 1, 'a', Animais.Codigo = 2, 'b', True, ", n) + core + repeated(")", n); }},
        {"iif", [&](int n) { return repeated("IIF(Animais.Codigo = 1, 'a', ", n) + core + repeated(")", n); }},
        {"iif condition", [&](int n) { return repeated("IIF(", n) + core + repeated(", 1, 2) = 1", n); }},
        {"trim", [&](int n) { return repeated("Trim(", n) + core + repeated(")", n); }},
        {"between", [&](int n) { return repeated("Animais.Codigo Between Animais.Situacao And (", n) + core + repeated(")", n); }},
        {"addition", [&](int n) { return repeated("IIF(Animais.Codigo = 1, 1, 'x') + (", n) + core + repeated(")", n); }},
        {"subtraction", [&](int n) { return repeated("1 - (", n) + core + repeated(")", n); }},
        {"comparisons", [&](int n) { return core + repeated(" < 2 = 1", n); }},
        {"is null", [&](int n) { return repeated("IsNull(", n) + core + repeated(")", n); }},
        {"subquery", [&](int n) { return repeated("(SELECT ", n) + core + repeated(" FROM Exames)", n); }},
        {"all", [&](int n) { return repeated("1 <= ALL (SELECT ", n) + core + repeated(" FROM Exames)", n); }},
        {"exists", [&](int n) { return repeated("EXISTS (SELECT * FROM Exames WHERE ", n) + core + repeated(")", n); }},
        {"library", [&](int n) { return repeated("Left(", n) + core + repeated(", 2)", n); }},
        {"imp", [&](int n) { return repeated("Animais.Pedigree Imp (", n) + core + repeated(")", n); }},
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
    for (const auto& [nesting, nest] : nestings) {
        for (const auto& [place, statement] : places) {
            int deepest = 0;
            std::string refusal;
            for (int n = 0; n < 40; ++n) {
                const std::string problem = problemWith(statement(nest(n)), &refusal);
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

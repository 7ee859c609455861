// The text the translator writes for each engine, the result columns it names and types, and the
// faults it refuses with their numbers and descriptions. Inputs are the component's statements
// (statements.hpp), and short Jet texts as examples in translations.txt; an expected text "…x" ends
// with x, "x…" begins with it, "…x…" holds it, anything else is the whole text.
#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "clientanim/clients/selecao_colunas.hpp"
#include "jet/postgres/dialect.hpp"
#include "sqlite_check.hpp"
#include "statements.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"
#include "zelt/jet/translator.hpp"

namespace {

using namespace zelt::jet;
using statements::repeated;

const std::string Time = "05/12/2026 19:16:50";
std::string serial(const std::string& regional) {
    const std::string out = std::to_string(zelt::Date::parseRegional(regional)->serial());
    return out.substr(0, out.find('.') + 4);
}

void expectText(const std::string& sql, const std::string& expected) {
    const std::string_view e(expected), dots = "…";
    const bool tail = e.starts_with(dots), head = e.ends_with(dots) && e.size() > dots.size();
    const std::string part(e.substr(tail ? dots.size() : 0, e.size() - (tail ? dots.size() : 0) - (head ? dots.size() : 0)));
    if (tail && head) EXPECT_NE(sql.find(part), std::string::npos) << sql;
    else if (tail) EXPECT_TRUE(sql.ends_with(part)) << sql;
    else if (head) EXPECT_TRUE(sql.starts_with(part)) << sql;
    else EXPECT_EQ(sql, expected);
}

const char* kindName(ValueKind k) {
    static const char* const names[] = {"Unknown", "Integer", "Double", "Money", "Text", "Boolean", "Date", "SmallInt", "Byte"};
    return names[static_cast<int>(k)];
}
// "Name Kind, ..." of a query's result columns.
std::string signature(const Query& q) {
    std::string out;
    for (const ResultColumn& c : q.columns) out += (out.empty() ? "" : ", ") + c.name + " " + kindName(c.kind);
    return out;
}

// The selection or modification as written for SQLite, which SQLite must take whole.
Translation translated(const std::string& jet) {
    static const SqliteCheck sqlite;
    const Translation t = translate(jet);
    for (const Query* q : t.queries()) EXPECT_EQ(sqlite.prepare(q->sql), "") << q->sql;
    const bool select = jet.find_first_not_of(' ') == jet.find_first_of("Ss");  // SELECT (SHAPE has its own kind)
    EXPECT_TRUE(t.kind == Translation::Kind::Shape || t.kind == (select ? Translation::Kind::Select : Translation::Kind::Modify));
    EXPECT_TRUE(select || t.query.columns.empty());
    return t;
}

struct TextRow {
    std::string jet, sqlite;
    const char* postgresql = nullptr;  // checked where given; "=" the same as SQLite's
    const char* columns = nullptr;     // signature(), checked where given
};

void check(const TextRow& r) {
    SCOPED_TRACE(r.jet.substr(0, 100));
    const Translation t = translated(r.jet);
    expectText(t.query.sql, r.sqlite);
    if (r.postgresql) {
        EXPECT_EQ(translate(r.jet, postgres::postgresDialect()).query.sql, *r.postgresql == '=' ? r.sqlite : r.postgresql);
    }
    if (r.columns) {
        EXPECT_EQ(signature(t.query), r.columns);
    }
}

TEST(Translation, WritesEachStatementInTheEnginesTerms) {
    using statements::ClientSearch;
    ClientSearch birthdays{0, false, 20, "", "", "0", "", "25/05/2024", "05/06/2024", "Rex", 3}, recent, tied;
    recent.situacao = tied.situacao = 5;
    tied.tamanhoDaPagina = 7;
    tied.animal = "Rex";
    const std::string animals = statements::animalSelection({});
    const TextRow rows[] = {
        {statements::animalSelection({1, 2, "Rex", "0", "", "", 0}),
         "…\"Animais\".\"Situacao\" = 1 AND \"Animais\".\"AnimalMorto\" = -1 AND (\"Animais\".\"Nome\" LIKE '%Rex%' OR "
         "\"Animais\".\"Microchip\" LIKE '%Rex%') ORDER BY \"Animais\".\"Nome\" COLLATE PTBR"},
        {statements::animalSelection({2, 3, "15", "12", "", "", 0}),
         "…(\"Animais\".\"AnimalMorto\" = 0 OR \"Animais\".\"AnimalMorto\" = -1) AND (\"Animais\".\"Codigo\" = 15 OR "
         "\"Animais\".\"Microchip\" LIKE '%15%') AND \"Animais\".\"CodigoDoCliente\" = 12…"},
        // 1 March 2024 is serial 45352; the last second of the 31st ends the range.
        {statements::animalSelection({0, 1, "", "0", "01/03/2024", "31/03/2024", 2}),
         "…\"Animais\".\"DataEHoraDaInclusao\" BETWEEN 45352.0 AND 45382.99998842…"},
        {statements::animalSelection({1, 3, "", "0", "10/05/2024", "20/05/2024", 3}),
         "…jet_day(\"Animais\".\"DataDeNascimento\") >= 10 AND jet_day(\"Animais\".\"DataDeNascimento\") <= 20…"},
        {statements::animalSelection({1, 3, "", "0", "10/05/2024", "20/05/2024", 3}),
         "…ORDER BY jet_day(\"Animais\".\"DataDeNascimento\"), jet_month(\"Animais\".\"DataDeNascimento\")…"},
        // The composed address joins its parts with Jet's concatenation.
        {animals, "…CASE WHEN jet_trim(\"Clientes\".\"Numero\") <> '' COLLATE PTBR THEN jet_concat(', ', \"Clientes\".\"Numero\") ELSE '' "
            "END…"},
        {animals, "…jet_concat(' - CEP:', jet_format(\"Clientes\".\"CEP\", '00000-000'))…"},
        {animals, "…CASE WHEN (\"Animais\".\"Sexo\" IS NULL) THEN 'F' ELSE CASE WHEN \"Animais\".\"Sexo\" = 'F' COLLATE PTBR THEN "
                  "'Fêmea' WHEN \"Animais\".\"Sexo\" = 'M' COLLATE PTBR THEN 'Macho' END END AS \"Sexo\"…"},
        // With the animal join the birthday is the client's.
        {statements::clientSelection(birthdays),
         "…jet_val(jet_concat(jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 3, 2), jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 1, 2))) "
         ">= 525 AND "
         "jet_val(jet_concat(jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 3, 2), jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 1, 2))) "
         "<= 605…"},
        {statements::clientSelection(birthdays),
         "…ORDER BY jet_format(jet_val(jet_concat(jet_fn_mid(\"Clientes\".\"DataDeNascimento\", 3, 2), "
         "jet_fn_mid(\"Clientes\".\"DataDeNascimento\", "
         "1, 2))), '0000') COLLATE PTBR, \"Clientes\".\"NomeOuRazaoSocial\" COLLATE PTBR"},
        // Recent clients by their own counter need no rank; joined with the animals a client's code
        // repeats, so TOP keeps the rows tied with the last by rank.
        {statements::clientSelection(recent), "… ORDER BY \"Clientes\".\"Codigo\" DESC LIMIT 20"},
        {statements::clientSelection(tied), "SELECT \"c0\" AS \"CodigoDoCliente\", \"c1\" AS \"ApelidoOuNomeFantasia\"…"},
        {statements::clientSelection(tied), "…, RANK() OVER (ORDER BY \"Clientes\".\"Codigo\" DESC) AS \"jet_rank\" FROM \"Animais\"…"},
        {statements::clientSelection(tied), "…) WHERE \"jet_rank\" <= 7 ORDER BY \"jet_rank\""},
        {statements::clientsByMonth("2024"),
         "…SELECT 'Dez' AS \"Mes\", count(*) AS \"NumeroDeClientes\" FROM \"Clientes\" WHERE "
         "jet_month(\"Clientes\".\"DataEHoraDaInclusao\") = 12 "
         "AND jet_year(\"Clientes\".\"DataEHoraDaInclusao\") = 2024", nullptr, "Mes Text, NumeroDeClientes Integer"},
        {statements::clientsByYear(0, true), "… GROUP BY jet_year(\"Clientes\".\"DataEHoraDaInclusao\") ORDER BY "
            "jet_year(\"Clientes\".\"DataEHoraDaInclusao\")",
         nullptr, "Ano Integer"},
        {statements::clientsByYear(3, false), "…WHERE \"Clientes\".\"Situacao\" = 3 GROUP BY…", nullptr, "Ano Integer"},
        // Values reach their columns in the columns' kinds; the server time arrives as regional text
        // and is stored as its serial.
        {statements::clientInsertion(Time), "INSERT INTO \"Clientes\" (\"TipoDeCliente\", \"ApelidoOuNomeFantasia\", …"},
        {statements::clientInsertion(Time), "…VALUES ('PF', 'Zé', 'Z000', 'José da Silva', …"},
        {statements::clientInsertion(Time), "…'SP', -1, 'C', …"},
        {statements::clientInsertion(Time), "…'obs', 15005000, '', 0, 0, 125000, …"},
        {statements::clientInsertion(Time), "…, 1, " + serial(Time) + "…"},
        {statements::clientInsertion(Time), "…, 'ana')"},
        {statements::animalStatement(true, "15/03/2020", Time),
         "…VALUES (7, 'Rex', 'M', 1, 2, 'Grande', 43905.0, 'Caramelo', 'RGA1', '985', -1, 0, 'bravo', 1, " + serial(Time) + "…"},
        {statements::animalStatement(true, "", Time), "…'Grande', NULL, 'Caramelo'…"},
        {statements::animalStatement(false, "15/03/2020", Time),
         "UPDATE \"Animais\" SET \"Nome\" = 'Rex', \"Sexo\" = 'M', \"CodigoDoCliente\" = 7, …"},
        {statements::animalStatement(false, "15/03/2020", Time), "…\"DataDeNascimento\" = 43905.0, …"},
        {statements::animalStatement(false, "15/03/2020", Time), "…\"UsuarioDaAlteracao\" = 'ana' WHERE \"Animais\".\"Codigo\" = 15"},
        {statements::animalStatement(false, "", Time), "…\"DataDeNascimento\" = NULL…"},
    };
    for (const TextRow& r : rows) check(r);
    for (const char* text : {"SELECT @@Identity", "select @@IDENTITY;", "  SELECT   @@identity  "}) {
        const Translation t = translate(text);
        EXPECT_EQ(t.kind, Translation::Kind::Identity) << text;
        EXPECT_EQ(signature(t.query), "Expr1000 Integer");
    }
}

// Every column of the component's selections, named and typed as the recordsets hand them out,
// whatever branch of their conditions the arguments take.
TEST(Translation, TheComponentsSelectionsKeepTheirColumns) {
    // A column's name follows its last " AS ".
    const auto expected = [](std::span<const std::string_view> columns, const std::set<std::string>& integers) {
        std::string out;
        for (std::string_view c : columns) {
            std::string upper(c);
            for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            std::string name(c.substr(upper.rfind(" AS ") + 4));
            name = name.substr(0, name.find_first_of(", "));
            out += (out.empty() ? "" : ", ") + name + (integers.count(name) ? " Integer" : " Text");
        }
        return out;
    };
    const std::string animalColumns = expected(zelt::clientanim::animais::colunasDaSelecao(), {"CodigoDoAnimal", "CodigoDaEspecie",
        "CodigoDaRaca", "Situacao", "CodigoDoCliente", "SituacaoDoCliente"});
    using statements::AnimalSearch;
    for (const AnimalSearch& a : {AnimalSearch{2, 3, "15", "12", "", "", 0}, AnimalSearch{0, 1, "", "12", "01/03/2024", "31/03/2024", 2},
                                  AnimalSearch{1, 3, "", "0", "10/05/2024", "20/05/2024", 3}})
        EXPECT_EQ(signature(translated(statements::animalSelection(a)).query), animalColumns) << statements::animalSelection(a);

    // With and without the animals' join, ranked or not, each kind of condition.
    using statements::ClientSearch;
    const std::vector<ClientSearch> searches{{}, {0, true, 20, "01234567890", "", "0", "", "", "", "", 0},
        {0, false, 20, "", "Silva", "0", "", "", "", "Rex", 0}, {0, false, 20, "", "", "8", "", "", "", "", 0},
        {0, false, 20, "", "", "0", "Paulista", "", "", "", 0}, {1, false, 20, "", "", "0", "", "25/05/2024", "05/06/2024", "", 3},
        {4, false, 20, "", "", "0", "", "01/03/2024", "31/03/2024", "", 2}, {5, false, 20, "", "", "0", "", "", "", "15", 0}};
    const std::string clientColumns = expected(zelt::clientanim::clientes::colunasDaSelecao(), {"CodigoDoCliente", "Situacao"});
    for (const auto& c : searches)
        EXPECT_EQ(signature(translated(statements::clientSelection(c)).query), clientColumns) << statements::clientSelection(c);
    const std::string months = translated(statements::clientsByMonth("2024")).query.sql;
    size_t unions = 0;
    for (size_t p = 0; (p = months.find(" UNION ALL ", p)) != std::string::npos; ++p) ++unions;
    EXPECT_EQ(unions, 11u);

    // The listing relates clients to their animals; its child's nested join keeps its parentheses.
    for (const char* animal : {"", "Rex", "15"}) {
        for (int situacao : {0, 1, 5}) {
            statements::ClientSearch c;
            c.situacao = situacao;
            c.animal = animal;
            c.valor = situacao == 1 ? "Silva" : "";
            SCOPED_TRACE(statements::listing(c));
            const Translation t = translated(statements::listing(c));
            ASSERT_EQ(t.kind, Translation::Kind::Shape);
            ASSERT_EQ(t.shape->appended.size(), 1u);
            const ShapeLevel::Column& chapter = t.shape->appended[0];
            EXPECT_EQ(signature(t.shape->query),
                      "CodigoDoCliente Integer, ApelidoOuNomeFantasiaDoCliente Text, NomeOuRazaoSocialDoCliente Text, NomeDaSituacaoDoCliente Text");
            EXPECT_EQ(signature(chapter.child->query), "CodigoDoAnimal Integer, CodigoDoClienteDeAnimais Integer, NomeDoAnimal Text, "
                      "NomeDaEspecieDoAnimal Text, NomeDaRacaDoAnimal Text, NomeDaSituacaoDoAnimal Text, DataEHoraDaInclusao Text, "
                      "UsuarioDaInclusao Text, DataEHoraDaAlteracao Text, UsuarioDaAlteracao Text");
            EXPECT_EQ(chapter.name, "Animais");
            EXPECT_EQ(chapter.relate, (std::vector<std::pair<std::string, std::string>>{{"CodigoDoCliente", "CodigoDoClienteDeAnimais"}}));
            expectText(t.shape->query.sql, *animal ? "…FROM \"Animais\" INNER JOIN \"Clientes\"…" : "…FROM \"Clientes\" WHERE…");
            expectText(chapter.child->query.sql, "… FROM \"EspeciesDeAnimais\" INNER JOIN (\"RacasDeAnimais\" INNER JOIN \"Animais\" ON "
                       "\"RacasDeAnimais\".\"Codigo\" = \"Animais\".\"CodigoDaRaca\") ON \"EspeciesDeAnimais\".\"Codigo\" = "
                       "\"RacasDeAnimais\".\"CodigoDaEspecieDeAnimal\" AND \"EspeciesDeAnimais\".\"Codigo\" = \"Animais\".\"CodigoDaEspecie\" WHERE…");
        }
    }
}

struct ErrorRow {
    std::string jet;
    int32_t number;
    std::string description;  // "" unchecked; "x…" begins with x
};

void check(const ErrorRow& r) {
    SCOPED_TRACE(r.jet.substr(0, 100));
    try {
        translate(r.jet);
        ADD_FAILURE() << "accepted";
    } catch (const zelt::RuntimeError& e) {
        EXPECT_EQ(e.number(), r.number);
        if (!r.description.empty()) expectText(e.description(), r.description);
        if (r.description.find("poderia") != std::string::npos) {
            EXPECT_EQ(e.helpContext(), err::AmbiguousFieldHelpContext);
        }
    }
}

// Text that is not one statement of the dialect never reaches the engine: each fault has its
// number and a description that says where (positions count characters, not bytes).
TEST(Translation, RefusesWhatIsNotOneStatementOfTheDialect) {
    const int32_t S = err::Syntax, Column = err::MissingColumn;
    const std::string mismatch = "Tipo de dados incompatível na expressão de critério.", deep = "A expressão está aninhada em níveis "
        "demais na instrução SQL, perto de '…";
    const std::string printList = "SELECT Animais.Codigo, Animais.Nome, Clientes.NomeOuRazaoSocial AS Cliente, "
        "Format([Animais.DataDeNascimento],"
                                  "'DD/MM/YYYY') AS DataDeNascimento FROM ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = "
                                  "Clientes.Codigo) "
                                  "INNER JOIN EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN "
                                  "RacasDeAnimais ON "
                                  "Animais.CodigoDaRaca = RacasDeAnimais.Codigo ORDER BY ";
    std::string wrongKey = statements::listing({});
    wrongKey.replace(wrongKey.find("TO CodigoDoClienteDeAnimais"), 27, "TO CodigoDoDono");
    std::vector<ErrorRow> rows = {
        // SQLite would stop reading at a NUL.
        {std::string("SELECT Nome FROM Animais WHERE Nome = 'a\0b'", 44), S, "Erro de sintaxe na instrução SQL, perto do fim do texto "
            "(posição 41)."},
        // Nesting past the limit is refused without exhausting the stack; the condition is a level,
        // and so is each parenthesis.
        {"SELECT " + repeated("(", 30000) + "1" + repeated(")", 30000) + " AS A FROM Animais", S, deep},
        {"SELECT Nome FROM Animais WHERE Codigo = " + repeated("-", 60000) + "1", S, deep},
        {"SELECT Nome FROM Animais WHERE " + repeated("NOT ", 60000) + "Codigo = 1", S, deep},
        {"SELECT " + repeated("Trim(", 30000) + "Nome" + repeated(")", 30000) + " FROM Animais", S, deep},
        {"SELECT " + repeated("IIF(Codigo = 1, 'a', ", 11) + "Nome" + repeated(")", 11) + " FROM Animais", S, deep},
        {"SELECT Nome FROM Animais WHERE Codigo" + repeated(" = 1", 60000), S, deep},
        {"SELECT Nome FROM " + repeated("(", 30000) + "Animais" + repeated(")", 30000), S, deep},
        {"UPDATE Animais SET Nome = 'a'" + repeated(" & 'a'", 100000), S, deep},
        {"DELETE * FROM Animais WHERE Codigo = 1" + repeated(" OR Codigo = 1", 100000), S, deep},
        {"SELECT Nome FROM Animais WHERE " + repeated("(", 10) + "Codigo = 1" + repeated(")", 10), S,
         "A expressão está aninhada em níveis demais na instrução SQL, perto de 'Codigo' (posição 42)."},
        {"SELECT 1 FROM Animais" + repeated(", Animais", 32), S, "Consulta muito complexa, perto de '…"},
        {"SELECT 1 AS A" + repeated(" UNION ALL SELECT 1 AS A", 50), S, "Consulta muito complexa, perto de '…"},
        {"SELECT Codigo" + repeated(", Codigo", 255) + " FROM Animais", S, "Consulta muito complexa, perto de '…"},
        {"SELECT Codigo FROM Animais ORDER BY Codigo" + repeated(", Codigo", 255), S, "Consulta muito complexa, perto de '…"},
        {wrongKey, Column, ""},
        // A bare name two tables hold is refused, not taken from either (the print list of the
        // animals sorted by DataDeNascimento is one).
        {printList + "DataDeNascimento ASC;", S,
         "O campo especificado 'DataDeNascimento' poderia referir-se a mais de uma tabela listada na cláusula FROM da sua instrução SQL."},
    };
    // A second statement after every kind of statement.
    for (const std::string& s : {statements::animalSelection({}), statements::clientSelection({}), statements::clientsByMonth("2024"),
                                 statements::clientInsertion(Time), std::string("DELETE * FROM Animais WHERE Codigo=15;"),
                                 std::string("SELECT @@Identity"), statements::listing({})})
        for (const char* tail : {" DROP TABLE Clientes", "; DROP TABLE Clientes", " ; SELECT 1", ";;"})
            rows.push_back({s + tail, S, "Caracteres encontrados após o final da instrução SQL, perto de '…"});
    for (const ErrorRow& r : rows) check(r);
}

// The parts of a text between " ¦ ".
std::vector<std::string> fields(const std::string& text) {
    std::vector<std::string> out;
    for (size_t at = 0, bar = 0; bar != std::string::npos; at = bar + std::string_view(" ¦ ").size()) {
        bar = text.find(" ¦ ", at);
        out.push_back(text.substr(at, bar - at));
    }
    return out;
}

// The examples of translations.txt, each a row of one of the tables above.
TEST(Translation, GivesTheExamplesResults) {
    std::ifstream in(std::string(ZELT_SOURCE_DIR) + "/tests/jet_translate/translations.txt");
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        if (++n, line.starts_with("--")) continue;
        const size_t arrow = line.find(" => ");
        std::vector<std::string> jet = fields(line.substr(0, arrow)), f = fields(line.substr(arrow + 4));
        for (std::string& j : jet)
            for (size_t p; (p = j.find("\\n")) != std::string::npos;) j.replace(p, 2, "\n");
        f.resize(3);
        SCOPED_TRACE("translations.txt:" + std::to_string(n));
        if (!f[0].starts_with("erro ")) {
            for (const std::string& j : jet) check({j, f[0], f[1].empty() ? nullptr : f[1].c_str(), f[2].empty() ? nullptr : f[2].c_str()});
            continue;
        }
        const size_t space = f[0].find(' ', 5);
        for (const std::string& j : jet) check({j, std::stoi(f[0].substr(5, space - 5)), space == std::string::npos ? "" : f[0].substr(space + 1)});
    }
    EXPECT_GT(n, 80);
}

}  // namespace

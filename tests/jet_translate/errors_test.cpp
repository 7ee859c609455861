// Text that is not one statement of the dialect never reaches SQLite: each fault has its number
// and a description that says where.
#include <gtest/gtest.h>

#include "statements.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"
#include "zelt/jet/translator.hpp"

namespace {

using statements::repeated;
using zelt::jet::translate;
namespace err = zelt::jet::err;

zelt::RuntimeError failure(const std::string& text) {
    try {
        translate(text);
    } catch (const zelt::RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "accepted: " << text;
    return zelt::RuntimeError(0, "");
}

TEST(SecondStatement, IsRefusedAfterEveryKindOfStatement) {
    const std::string statements[] = {
        statements::animalSelection({}),
        statements::clientSelection({}),
        statements::clientsByMonth("2024"),
        statements::clientInsertion("05/12/2026 19:16:50"),
        "DELETE * FROM Animais WHERE Codigo=15;",
        "SELECT @@Identity",
        statements::listing({}),
    };
    for (const std::string& s : statements) {
        for (const char* tail : {" DROP TABLE Clientes", "; DROP TABLE Clientes", " ; SELECT 1", ";;"}) {
            const zelt::RuntimeError e = failure(s + tail);
            EXPECT_EQ(e.number(), err::Syntax) << s + tail;
            EXPECT_TRUE(e.description().starts_with("Caracteres encontrados após o final da instrução SQL, perto de '"))
                << e.description();
        }
    }
    const zelt::RuntimeError e = failure("DELETE * FROM Animais WHERE Codigo=15; DROP TABLE Clientes");
    EXPECT_EQ(e.description(), "Caracteres encontrados após o final da instrução SQL, perto de 'DROP' (posição 40).");
}

TEST(SyntaxErrors, SayWhere) {
    const zelt::RuntimeError missingOperand = failure("SELECT Nome FROM Animais WHERE Codigo = ");
    EXPECT_EQ(missingOperand.number(), err::Syntax);
    EXPECT_EQ(missingOperand.description(), "Erro de sintaxe na instrução SQL, perto do fim do texto (posição 41).");

    // Positions count characters, not bytes.
    const zelt::RuntimeError afterAccent = failure("SELECT 'Fêmea' Nome FROM Animais");
    EXPECT_EQ(afterAccent.description(), "Erro de sintaxe na instrução SQL, perto de 'Nome' (posição 16).");

    const zelt::RuntimeError quote = failure("SELECT Nome FROM Animais WHERE Nome = 'Rex");
    EXPECT_EQ(quote.number(), err::Syntax);
    EXPECT_EQ(quote.description(),
              "Erro de sintaxe na cadeia de caracteres da instrução SQL, perto de ''Rex' (posição 39).");
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE Nome = \"Rex'").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE Nome = 'O'Brien'").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT [Animais.Nome FROM Animais").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE DataDeNascimento > #13/45/2020#").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE Codigo = 1,5 OR Codigo = 2").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE AND Animais.AnimalMorto = False").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE Codigo = 1 ORDER BY").number(), err::Syntax);
    EXPECT_EQ(failure("DROP TABLE Clientes").number(), err::Syntax);
    EXPECT_EQ(failure("").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Nome FROM Animais WHERE Codigo = 1 ` ").number(), err::Syntax);
    // SQLite would stop reading at a NUL.
    const std::string nul("SELECT Nome FROM Animais WHERE Nome = 'a\0b'", 44);
    EXPECT_EQ(failure(nul).description(), "Erro de sintaxe na instrução SQL, perto do fim do texto (posição 41).");
}

TEST(SyntaxErrors, NestingPastTheLimitIsRefusedWithoutExhaustingTheStack) {
    const std::string deep[] = {
        "SELECT " + repeated("(", 30000) + "1" + repeated(")", 30000) + " AS A FROM Animais",
        "SELECT Nome FROM Animais WHERE Codigo = " + repeated("-", 60000) + "1",
        "SELECT Nome FROM Animais WHERE " + repeated("NOT ", 60000) + "Codigo = 1",
        "SELECT " + repeated("Trim(", 30000) + "Nome" + repeated(")", 30000) + " FROM Animais",
        "SELECT " + repeated("IIF(Codigo = 1, 'a', ", 11) + "Nome" + repeated(")", 11) + " FROM Animais",
        "SELECT Nome FROM Animais WHERE Codigo" + repeated(" = 1", 60000),
        "SELECT Nome FROM " + repeated("(", 30000) + "Animais" + repeated(")", 30000),
        "UPDATE Animais SET Nome = 'a'" + repeated(" & 'a'", 100000),
        "DELETE * FROM Animais WHERE Codigo = 1" + repeated(" OR Codigo = 1", 100000),
    };
    for (const std::string& text : deep) {
        const zelt::RuntimeError e = failure(text);
        EXPECT_EQ(e.number(), err::Syntax) << text.substr(0, 60);
        EXPECT_TRUE(e.description().starts_with("A expressão está aninhada em níveis demais na instrução SQL, perto de '"))
            << e.description();
    }
    // The condition is a level, and so is each parenthesis.
    const auto parenthesized = [](int n) { return "SELECT Nome FROM Animais WHERE " + repeated("(", n) + "Codigo = 1" + repeated(")", n); };
    EXPECT_NO_THROW(translate(parenthesized(9)));
    EXPECT_EQ(failure(parenthesized(10)).description(),
              "A expressão está aninhada em níveis demais na instrução SQL, perto de 'Codigo' (posição 42).");

    std::string tables = "SELECT 1 FROM Animais";
    for (const char* t : {"Clientes", "EspeciesDeAnimais", "RacasDeAnimais", "MunicipiosIBGE", "ContasAReceber", "Empresa",
                          "OSParaBD", "Agendamentos", "ContratosPSA", "Exames", "FichasClinicas", "ItensDeVendas"})
        tables += std::string(" INNER JOIN ") + t + " ON 1 = 1";
    EXPECT_EQ(translate(tables).kind, zelt::jet::Translation::Kind::Select);
    const std::string tooComplex[] = {
        "SELECT 1 FROM Animais" + repeated(", Animais", 32),
        "SELECT 1 AS A" + repeated(" UNION ALL SELECT 1 AS A", 50),
        "SELECT Codigo" + repeated(", Codigo", 255) + " FROM Animais",
        "SELECT Codigo FROM Animais ORDER BY Codigo" + repeated(", Codigo", 255),
    };
    for (const std::string& text : tooComplex) {
        const zelt::RuntimeError e = failure(text);
        EXPECT_EQ(e.number(), err::Syntax) << text.substr(0, 60);
        EXPECT_TRUE(e.description().starts_with("Consulta muito complexa, perto de '")) << e.description();
    }
}

TEST(SyntaxErrors, AggregatesOnlyWhereSQLiteAndJetTakeThem) {
    const struct {
        const char* text;
        const char* description;
    } refused[] = {
        {"SELECT Nome FROM Animais WHERE Max(Codigo) > 1",
         "Não é possível ter função agregada na cláusula WHERE, perto de 'Max' (posição 32)."},
        {"SELECT Count(*) FROM Animais GROUP BY Sum(Codigo)",
         "Não é possível ter função agregada na cláusula GROUP BY, perto de 'Sum' (posição 39)."},
        {"SELECT Nome FROM Animais ORDER BY Count(*)",
         "Não é possível ter função agregada na cláusula ORDER BY, perto de 'Count' (posição 35)."},
        {"SELECT Sum(Max(Codigo)) FROM Animais", "Não é possível ter função agregada nesta expressão, perto de 'Max' (posição 12)."},
        {"UPDATE Animais SET Situacao = Max(Situacao)",
         "Não é possível ter função agregada nesta expressão, perto de 'Max' (posição 31)."},
    };
    for (const auto& r : refused) {
        const zelt::RuntimeError e = failure(r.text);
        EXPECT_EQ(e.number(), err::Syntax) << r.text;
        EXPECT_EQ(e.description(), r.description);
    }
    EXPECT_NO_THROW(translate("SELECT TOP 1 Count(*) AS N FROM Animais GROUP BY Cor ORDER BY Max(Codigo)"));
}

TEST(SyntaxErrors, FunctionsAreKnownByNameAndArity) {
    const zelt::RuntimeError unknown = failure("SELECT Soundex(Nome) FROM Animais");
    EXPECT_EQ(unknown.number(), err::Syntax);
    EXPECT_EQ(unknown.description(), "Função 'Soundex' não definida na expressão, perto de 'Soundex' (posição 8).");
    EXPECT_EQ(failure("SELECT IIF(Nome = 'a', 1) FROM Animais").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Switch(Nome = 'a', 1, 2) FROM Animais").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Mid(Nome) FROM Animais").number(), err::Syntax);
    EXPECT_EQ(failure("SELECT Sum(*) FROM Animais").number(), err::Syntax);
}

TEST(NameErrors, MissingTablesAndColumns) {
    const zelt::RuntimeError table = failure("SELECT Nome FROM Bichos");
    EXPECT_EQ(table.number(), err::MissingTable);
    EXPECT_EQ(table.description(), "A tabela 'Bichos' não existe.");

    const zelt::RuntimeError column = failure("SELECT Apelido FROM Animais");
    EXPECT_EQ(column.number(), err::MissingColumn);
    EXPECT_TRUE(column.description().starts_with("A coluna 'Apelido' não existe")) << column.description();

    EXPECT_EQ(failure("SELECT Animais.Apelido FROM Animais").number(), err::MissingColumn);
    // A table named by a column must be one the statement reads.
    EXPECT_EQ(failure("SELECT Clientes.Nome FROM Animais").number(), err::MissingColumn);
    EXPECT_EQ(failure("SELECT Nome FROM Animais ORDER BY Apelido").number(), err::MissingColumn);
    EXPECT_EQ(failure("DELETE * FROM Bichos").number(), err::MissingTable);
    EXPECT_EQ(failure("UPDATE Animais SET Apelido='x'").number(), err::MissingColumn);
    EXPECT_EQ(failure("SELECT Nome FROM Animais, Animais").number(), err::Syntax);

    // A bare name two tables hold is refused, not taken from either; the print list of the animals
    // sorted by DataDeNascimento is one.
    const std::string printList = "SELECT Animais.Codigo, Animais.Nome, Clientes.NomeOuRazaoSocial AS Cliente, "
                            "Format([Animais.DataDeNascimento],'DD/MM/YYYY') AS DataDeNascimento "
                            "FROM ((Animais INNER JOIN Clientes ON Animais.CodigoDoCliente = Clientes.Codigo) INNER "
                            "JOIN EspeciesDeAnimais ON Animais.CodigoDaEspecie = EspeciesDeAnimais.Codigo) INNER JOIN "
                            "RacasDeAnimais ON Animais.CodigoDaRaca = RacasDeAnimais.Codigo ORDER BY ";
    EXPECT_NO_THROW(translate(printList + "Cliente ASC;"));
    for (const std::string& text : {printList + "DataDeNascimento ASC;",
                                    std::string("SELECT Codigo FROM Animais INNER JOIN Clientes ON "
                                                "Animais.CodigoDoCliente = Clientes.Codigo"),
                                    std::string("SELECT Animais.Nome FROM Animais, Clientes WHERE Situacao = 1")}) {
        const zelt::RuntimeError ambiguous = failure(text);
        EXPECT_EQ(ambiguous.number(), err::Syntax);
        EXPECT_EQ(ambiguous.helpContext(), err::AmbiguousFieldHelpContext);
        EXPECT_TRUE(ambiguous.description().ends_with(
            "' poderia referir-se a mais de uma tabela listada na cláusula FROM da sua instrução SQL."))
            << ambiguous.description();
    }
    EXPECT_EQ(failure(printList + "DataDeNascimento ASC;").description(),
              "O campo especificado 'DataDeNascimento' poderia referir-se a mais de uma tabela listada na cláusula "
              "FROM da sua instrução SQL.");

    const std::string shape = statements::listing({});
    std::string wrongKey = shape;
    wrongKey.replace(wrongKey.find("TO CodigoDoClienteDeAnimais"), 27, "TO CodigoDoDono");
    EXPECT_EQ(failure(wrongKey).number(), err::MissingColumn);
}

TEST(Names, AreCaseInsensitiveAndTakeTheCataloguesSpelling) {
    const zelt::jet::Translation t = translate("select animais.NOME, [animais.cor], [Codigo] from ANIMAIS where situacao=1");
    EXPECT_EQ(t.query.sql, "SELECT \"Animais\".\"Nome\" AS \"Nome\", \"Animais\".\"Cor\" AS \"Cor\", "
                           "\"Animais\".\"Codigo\" AS \"Codigo\" FROM \"Animais\" WHERE \"Animais\".\"Situacao\" = 1");
}

TEST(Literals, QuotesDatesAndBooleans) {
    const zelt::jet::Translation t =
        translate("SELECT 'O''Brien' AS A, \"dito \"\"assim\"\" e 'aqui'\" AS B, True AS C, False AS D, Null AS E, "
                  "#12/31/1899# AS F, 1.5E2 AS G FROM Animais");
    EXPECT_EQ(t.query.sql, "SELECT 'O''Brien' AS \"A\", 'dito \"assim\" e ''aqui''' AS \"B\", -1 AS \"C\", 0 AS \"D\", "
                           "NULL AS \"E\", 1.0 AS \"F\", 1.5E2 AS \"G\" FROM \"Animais\"");
    EXPECT_EQ(t.query.columns[5].kind, zelt::jet::ValueKind::Date);
}

}  // namespace

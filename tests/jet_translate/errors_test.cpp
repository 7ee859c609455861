// Text that is not one statement of the dialect never reaches SQLite: each fault has its number
// and a description that says where.
#include <gtest/gtest.h>

#include "statements.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"
#include "zelt/jet/translator.hpp"

namespace {

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

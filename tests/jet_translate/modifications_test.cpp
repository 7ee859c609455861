// Insertions, alterations and deletions: values reach their columns in the columns' kinds.
#include <gtest/gtest.h>

#include "sqlite_check.hpp"
#include "statements.hpp"
#include "zelt/automation/date.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"
#include "zelt/jet/translator.hpp"

namespace {

using zelt::jet::Translation;
using zelt::jet::translate;

std::string modification(const std::string& text) {
    const Translation t = translate(text);
    EXPECT_EQ(t.kind, Translation::Kind::Modify);
    static const SqliteCheck sqlite;
    EXPECT_EQ(sqlite.prepare(t.query.sql), "") << t.query.sql;
    EXPECT_TRUE(t.query.columns.empty());
    return t.query.sql;
}

std::string serial(const char* regional) {
    std::string out = std::to_string(zelt::Date::parseRegional(regional)->serial());
    return out.substr(0, out.find('.') + 4);
}

int32_t errorOf(const std::string& text) {
    try {
        translate(text);
    } catch (const zelt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

TEST(Insertion, ClientWithAllItsColumns) {
    const std::string sql = modification(statements::clientInsertion("05/12/2026 19:16:50"));
    EXPECT_TRUE(sql.starts_with("INSERT INTO \"Clientes\" (\"TipoDeCliente\", \"ApelidoOuNomeFantasia\", ")) << sql;
    EXPECT_TRUE(contains(sql, "VALUES ('PF', 'Zé', 'Z000', 'José da Silva', ")) << sql;
    EXPECT_TRUE(contains(sql, "'SP', -1, 'C', ")) << sql;
    EXPECT_TRUE(contains(sql, "'obs', 15005000, '', 0, 0, 125000, ")) << sql;
    // The server time arrives as regional text and is stored as its serial.
    EXPECT_TRUE(contains(sql, ", 1, " + serial("05/12/2026 19:16:50"))) << sql;
    EXPECT_TRUE(sql.ends_with(", 'ana')")) << sql;
}

TEST(Insertion, AnimalInBothForms) {
    const std::string single = modification(statements::animalInsertion("15/03/2020", "05/12/2026 19:16:50"));
    EXPECT_TRUE(contains(single, "VALUES (7, 'Rex', 'M', 1, 2, 'Grande', 43905.0, 'Caramelo', 'RGA1', '985', -1, 0, "
                                 "'bravo', 1, " + serial("05/12/2026 19:16:50")))
        << single;
    const std::string unborn = modification(statements::animalInsertion("", "05/12/2026 19:16:50"));
    EXPECT_TRUE(contains(unborn, "'Grande', NULL, 'Caramelo'")) << unborn;

    const std::string grid = modification(statements::gridAnimalInsertion("4", "01/02/2021", "05/12/2026 19:16:50"));
    EXPECT_TRUE(grid.starts_with("INSERT INTO \"Animais\" (\"Nome\", \"Sexo\", \"CodigoDoCliente\", ")) << grid;
    EXPECT_TRUE(contains(grid, "VALUES ('Mia', 'F', 12, 4, 3, 'Pequeno', 'Branca', 44228.0, '', '', 0, 0, '', 1, "))
        << grid;
}

TEST(Insertion, AnEmptyGridCellBreaksTheStatement) {
    EXPECT_EQ(errorOf(statements::gridAnimalInsertion("", "", "05/12/2026 19:16:50")), zelt::jet::err::Syntax);
}

TEST(Insertion, ValuesMustMatchTheColumns) {
    EXPECT_EQ(errorOf("INSERT INTO Animais (Nome, Sexo) VALUES ('Rex')"), zelt::jet::err::Syntax);
    EXPECT_EQ(errorOf("INSERT INTO Animais (Nome) VALUES ('Rex', 'M')"), zelt::jet::err::Syntax);
    EXPECT_EQ(errorOf("INSERT INTO Animais (Apelido) VALUES ('Rex')"), zelt::jet::err::MissingColumn);
    EXPECT_EQ(errorOf("INSERT INTO Bichos (Nome) VALUES ('Rex')"), zelt::jet::err::MissingTable);
    EXPECT_EQ(errorOf("INSERT INTO Animais (Nome) VALUES (Apelido)"), zelt::jet::err::MissingColumn);
}

TEST(ValueConversion, DatesFromRegionalText) {
    EXPECT_EQ(modification("UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='04/12/2026';"),
              "UPDATE \"Empresa\" SET \"DataDeAtualizacaoDaCategoriaDaCurvaABC\" = 46360.0");
    EXPECT_EQ(modification("UPDATE Animais SET DataDeNascimento=Animais.RGA WHERE Codigo=3"),
              "UPDATE \"Animais\" SET \"DataDeNascimento\" = jet_cdate(\"Animais\".\"RGA\") WHERE \"Animais\".\"Codigo\" = 3");
    EXPECT_EQ(modification("UPDATE Animais SET DataDeNascimento=#03/15/2020#"),
              "UPDATE \"Animais\" SET \"DataDeNascimento\" = 43905.0");
}

TEST(ValueConversion, TextThatIsNoDateOrNumberIsATypeMismatch) {
    for (const char* text : {"UPDATE Empresa SET DataDeAtualizacaoDaCategoriaDaCurvaABC='31/02/2026'",
                             "UPDATE Animais SET DataDeNascimento='amanhã'", "UPDATE Animais SET DataDeNascimento=''",
                             "UPDATE Clientes SET LimiteDeCredito='muito'", "UPDATE Animais SET Situacao='x'",
                             "UPDATE Animais SET Pedigree='talvez'"}) {
        try {
            translate(text);
            ADD_FAILURE() << text;
        } catch (const zelt::RuntimeError& e) {
            EXPECT_EQ(e.number(), zelt::jet::err::TypeMismatch) << text;
            EXPECT_EQ(e.description(), "Tipo de dados incompatível na expressão de critério.");
        }
    }
    EXPECT_EQ(modification("UPDATE Clientes SET LimiteDeCredito='1.500,25', VIP='True', Situacao=-1"),
              "UPDATE \"Clientes\" SET \"LimiteDeCredito\" = 15002500, \"VIP\" = -1, \"Situacao\" = -1");
    EXPECT_EQ(modification("UPDATE Animais SET Pedigree=-1, AnimalMorto=0"),
              "UPDATE \"Animais\" SET \"Pedigree\" = -1, \"AnimalMorto\" = 0");
}

TEST(Alteration, AnimalAndClientTexts) {
    const std::string animal = modification(statements::animalAlteration("15/03/2020", "05/12/2026 19:16:50"));
    EXPECT_TRUE(animal.starts_with("UPDATE \"Animais\" SET \"Nome\" = 'Rex', \"Sexo\" = 'M', \"CodigoDoCliente\" = 7, "))
        << animal;
    EXPECT_TRUE(contains(animal, "\"DataDeNascimento\" = 43905.0, ")) << animal;
    EXPECT_TRUE(animal.ends_with("\"UsuarioDaAlteracao\" = 'ana' WHERE \"Animais\".\"Codigo\" = 15")) << animal;
    EXPECT_TRUE(contains(modification(statements::animalAlteration("", "05/12/2026 19:16:50")), "\"DataDeNascimento\" = NULL"));

    const std::string client = modification("UPDATE Clientes SET Situacao=4, DataEHoraDaAlteracao='05/12/2026 19:16:50', "
                                            "UsuarioDaAlteracao='ana' WHERE Codigo=8;");
    EXPECT_TRUE(client.starts_with("UPDATE \"Clientes\" SET \"Situacao\" = 4, \"DataEHoraDaAlteracao\" = " +
                                   serial("05/12/2026 19:16:50")))
        << client;
    EXPECT_TRUE(client.ends_with(", \"UsuarioDaAlteracao\" = 'ana' WHERE \"Clientes\".\"Codigo\" = 8")) << client;
    EXPECT_EQ(modification("UPDATE Clientes SET CategoriaDaCurvaABC='C';"),
              "UPDATE \"Clientes\" SET \"CategoriaDaCurvaABC\" = 'C'");
    EXPECT_EQ(modification("UPDATE Clientes SET CategoriaDaCurvaABC='A' WHERE Codigo=12;"),
              "UPDATE \"Clientes\" SET \"CategoriaDaCurvaABC\" = 'A' WHERE \"Clientes\".\"Codigo\" = 12");
}

TEST(Deletion, WithAndWithoutTheStar) {
    EXPECT_EQ(modification("DELETE * FROM Animais WHERE Codigo=15;"),
              "DELETE FROM \"Animais\" WHERE \"Animais\".\"Codigo\" = 15");
    EXPECT_EQ(modification("delete from animais where codigo = 15"),
              "DELETE FROM \"Animais\" WHERE \"Animais\".\"Codigo\" = 15");
}

}  // namespace

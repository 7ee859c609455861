// How the engine refuses what it must refuse, and the statements that give more than rows.
#include "engine_fixture.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;

TEST_F(EngineTest, DeletingAnAnimalThatExamsReferToIsRefused) {
    const auto a = addAnimal(addClient("Alberto"), "Rex");
    run("INSERT INTO Exames (CodigoDoAnimal) VALUES (" + std::to_string(a) + ")");
    const auto e = errorOf([&] { run("DELETE * FROM Animais WHERE Codigo=" + std::to_string(a) + ";"); });
    EXPECT_EQ(e.number(), -2147467259);
    EXPECT_EQ(e.helpContext(), 5003000);
    EXPECT_NE(e.description().find("'Exames'"), std::string::npos) << e.description();
    EXPECT_EQ(scalar("SELECT Count(*) FROM Animais").toInt32(), 1);

    const auto b = addAnimal(addClient("Bruno"), "Tom");
    EXPECT_EQ(run("DELETE * FROM Animais WHERE Codigo=" + std::to_string(b)), 1);
}

// Two workstations may both pass the lookup for a number before either writes it: the later
// writing is refused with the duplicate-key error. Blank and null numbers repeat freely.
TEST_F(EngineTest, ANonBlankCpfOrCnpjBelongsToOneClient) {
    const std::string add = "INSERT INTO Clientes (TipoDeCliente, CPFCNPJ) VALUES ('PF', ";
    const std::vector<std::pair<std::string, bool>> cases{
        {add + "'11144477735')", false},
        {add + "'11144477735')", true},
        {add + "'52998224725')", false},
        {"UPDATE Clientes SET CPFCNPJ = '11144477735' WHERE CPFCNPJ = '52998224725'", true},
        {add + "'')", false},
        {add + "'')", false},
        {add + "'   ')", false},
        {add + "'   ')", false},
        {add + "Null)", false},
        {add + "Null)", false},
    };
    for (const auto& [statement, refused] : cases) {
        if (!refused) {
            EXPECT_EQ(run(statement), 1) << statement;
            continue;
        }
        const auto e = errorOf([&] { run(statement); });
        EXPECT_EQ(e.number(), -2147467259) << statement;
        EXPECT_EQ(e.helpContext(), 5003022) << statement;
    }
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE CPFCNPJ = '11144477735'").toInt32(), 1);
}

TEST_F(EngineTest, ASecondStatementNeverReachesTheDatabase) {
    for (const char* tail : {"; DROP TABLE Exames", "; DELETE * FROM Exames", " DROP TABLE Exames"}) {
        for (const std::string head : {"SELECT Codigo FROM Clientes", "DELETE * FROM Clientes WHERE Codigo=1",
                                       "UPDATE Clientes SET Situacao=2 WHERE Codigo=1", "SELECT @@Identity"}) {
            const auto e = errorOf([&] { int64_t n; engine->execute(head + tail, n); });
            EXPECT_EQ(e.number(), jet::err::Syntax) << head + tail;
        }
    }
    EXPECT_EQ(scalar("SELECT Count(*) FROM Exames").toInt32(), 0);
}

// A minus before a minus, a quote inside a bracketed name, a line break inside a literal: each
// stays inside the token it belongs to, so a condition aimed at one client touches no other.
TEST_F(EngineTest, NoValueOrNameLeavesItsToken) {
    const auto ana = addClient("Ana");
    addClient("Bruno");
    EXPECT_EQ(run("UPDATE Clientes SET Observacao='x' WHERE -(-" + std::to_string(ana) +
                  ") = Codigo AND NomeOuRazaoSocial = 'a\n1=1 --'"), 0);
    EXPECT_EQ(run("UPDATE Clientes SET Observacao='y' WHERE -(-" + std::to_string(ana) + ") = Codigo"), 1);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE Observacao Is Null").toInt32(), 1);
    EXPECT_EQ(run("DELETE * FROM Clientes WHERE -(-" + std::to_string(ana) + ") = Codigo AND Observacao = 'z\n1=1 --'"), 0);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes").toInt32(), 2);

    auto rs = select("SELECT 1 AS [a\" , (SELECT sql FROM sqlite_master) AS \"b] FROM Empresa");
    ASSERT_EQ(rs->fieldCount(), 1);
    EXPECT_EQ(rs->fieldDef(0).name, "a\" , (SELECT sql FROM sqlite_master) AS \"b");
}

TEST_F(EngineTest, RollbackUndoesAndClosingRollsBackAnOpenTransaction) {
    engine->begin();
    addClient("Desfeito");
    engine->rollback();
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes").toInt32(), 0);
    engine->begin();
    addClient("Mantido");
    engine->commit();
    engine->begin();
    addClient("Esquecido");
    engine->close();
    engine = jet::openDatabase(databasePath);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes").toInt32(), 1);
}

TEST_F(EngineTest, AWriterWaitsForAnotherThenReportsBusy) {
    ZELT_SQLITE_ONLY("one writer at a time in a file; a server lets both write");
    auto other = jet::openDatabase(databasePath);
    other->begin();
    // The busy timeout makes this wait before giving up; it is what several workstations share.
    const auto e = errorOf([&] { engine->begin(); });
    EXPECT_EQ(e.number(), jet::err::ProviderFailure);
    EXPECT_EQ(e.helpContext(), jet::err::BusyHelpContext);
    other->rollback();
    engine->begin();
    engine->rollback();
}

}  // namespace
}  // namespace zelt

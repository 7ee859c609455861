// Comparison and ordering of Portuguese text, and the kinds values keep in their columns.
#include "engine_fixture.hpp"
#include "jet/engine/like_matching.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;

TEST_F(EngineTest, TextEqualityAndLikeIgnoreCase) {
    const auto c = addClient("JOÃO DA SILVA");
    addAnimal(c, "Rex");
    EXPECT_EQ(scalar("SELECT Count(*) FROM Animais WHERE Nome = 'rex'").toInt32(), 1);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Animais WHERE Nome <> 'REX'").toInt32(), 0);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE NomeOuRazaoSocial LIKE '%joão%'").toInt32(), 1);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE NomeOuRazaoSocial LIKE '%joao%'").toInt32(), 0);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE NomeOuRazaoSocial LIKE 'j_ão%'").toInt32(), 1);
}

// & and + as Jet has them: & writes numbers and dates in their regional text and gives Null only
// for Null & Null; + concatenates two texts (Null making Null) and adds a number and a numeric text.
// Between takes its bounds in either order.
TEST_F(EngineTest, OperatorsAndBetweenFollowJet) {
    const struct {
        const char* expression;
        const char* expected;  // the value as text, or "Null"
    } rows[] = {
        {"Null & Null", "Null"},
        {"'a' & Null", "a"},
        {"'x' & 1.5", "x1,5"},
        {"'x' & #12/25/2020 10:30:00#", "x25/12/2020 10:30:00"},
        {"'x' & #12/25/2020#", "x25/12/2020"},
        {"'x' & #10:30:00#", "x10:30:00"},
        {"'a' + 'b'", "ab"},
        {"'a' + Null + 'b'", "Null"},
        {"1 + '2'", "3"},
        {"'1,5' + 1", "2.5"},
        {"IIF(1 = 1, '1', 2) + '2' + 1", "13"},
        {"IIF(3 Between 5 And 1, 'sim', 'não')", "sim"},
        {"IIF(6 Between 5 And 1, 'sim', 'não')", "não"},
        {"IIF(3 Not Between 5 And Val('1'), 'sim', 'não')", "não"},
        {"IIF(#03/15/2020# Between #03/31/2020# And #03/01/2020#, 'sim', 'não')", "sim"},
        {"IIF('b' Between Trim('C') And 'a', 'sim', 'não')", "sim"},
        {"IIF(IsNull(3 Between Null And Val('5')), 'nulo', 'não')", "nulo"},
    };
    for (const auto& r : rows) {
        const Variant v = eval(r.expression);
        EXPECT_EQ(v.isNull() ? std::string("Null") : v.toText(), r.expected) << r.expression;
    }
    try {
        eval("'a' + 1");
        FAIL() << "a text that is no number was added";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), jet::err::TypeMismatch);
    }
}

TEST_F(EngineTest, OrderingPutsAccentedNamesBesideTheirBaseLetter) {
    for (const char* n : {"Bruno", "alberto", "Álvaro", "Zélia", "Alberto Filho", "ana"}) addClient(n);
    auto rs = select("SELECT NomeOuRazaoSocial FROM Clientes ORDER BY NomeOuRazaoSocial ASC");
    std::vector<std::string> names;
    for (int i = 0; i < rs->get_RecordCount(); ++i) names.push_back(rs->valueAt(i, 0).toText());
    EXPECT_EQ(names, (std::vector<std::string>{"alberto", "Alberto Filho", "Álvaro", "ana", "Bruno", "Zélia"}));
}

TEST(LikeMatching, WildcardsCountCharactersNotBytes) {
    using jet::engine::likeMatches;
    EXPECT_TRUE(likeMatches("%JOÃO%", "o joão da silva"));
    EXPECT_TRUE(likeMatches("_ão", "Mão"));
    EXPECT_FALSE(likeMatches("__ão", "Mão"));
    EXPECT_TRUE(likeMatches("a%b%c", "aXXbYYc"));
    EXPECT_FALSE(likeMatches("a%b%c", "aXXbYY"));
    EXPECT_TRUE(likeMatches("%", ""));
    EXPECT_FALSE(likeMatches("_", ""));
    EXPECT_TRUE(likeMatches("%rex", "REX"));
}

TEST_F(EngineTest, DatesWrittenAsLiteralsOrRegionalTextAreStoredAsDates) {
    const auto c = addClient("Alberto");
    const auto a = addAnimal(c, "Rex");
    const std::string where = " WHERE Codigo=" + std::to_string(a);
    run("UPDATE Animais SET DataDeNascimento='15/03/2020'" + where);
    EXPECT_EQ(scalar("SELECT DataDeNascimento FROM Animais" + where).toDate().serial(),
              Date::fromParts({2020, 3, 15})->serial());
    run("UPDATE Animais SET DataDeNascimento=#03/16/2020#" + where);
    EXPECT_EQ(scalar("SELECT Day(DataDeNascimento) FROM Animais" + where).toInt32(), 16);
    EXPECT_EQ(scalar("SELECT Count(*) FROM Animais WHERE DataDeNascimento Between #03/01/2020# And #03/31/2020#")
                  .toInt32(), 1);
    auto rs = select("SELECT DataEHoraDaInclusao FROM Animais" + where);
    EXPECT_EQ(rs->fieldDef(0).type, ado::adDate);
    EXPECT_EQ(rs->valueAt(0, 0).toDate().toRegionalText(), "05/12/2026 19:16:50");
    try {
        run("UPDATE Animais SET DataDeNascimento='não é data'" + where);
        FAIL() << "a text that names no date was stored";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), jet::err::TypeMismatch);
    }
    run("UPDATE Animais SET DataDeNascimento=Null" + where);
    EXPECT_TRUE(scalar("SELECT DataDeNascimento FROM Animais" + where).isNull());
}

TEST_F(EngineTest, MoneyNeverDrifts) {
    const auto c = addClient("Alberto");
    addClient("Bruno");
    const std::string where = " WHERE Codigo=" + std::to_string(c);
    run("UPDATE Clientes SET LimiteDeCredito=0.10, Credito=0.20" + where);
    auto rs = select("SELECT LimiteDeCredito, LimiteDeCredito + Credito AS Total FROM Clientes" + where);
    EXPECT_EQ(rs->fieldDef(0).type, ado::adCurrency);
    EXPECT_EQ(rs->valueAt(0, 0).toCurrency(), Currency::fromRaw(1000));
    EXPECT_EQ(rs->valueAt(0, 1).toCurrency(), Currency::fromRaw(3000));
    run("UPDATE Clientes SET LimiteDeCredito=0.20 WHERE LimiteDeCredito Is Null");
    EXPECT_EQ(scalar("SELECT Sum(LimiteDeCredito) FROM Clientes").toCurrency(), Currency::fromRaw(3000));
}

TEST_F(EngineTest, YesNoColumnsKeepBooleans) {
    const auto c = addClient("Alberto");
    const std::string where = " WHERE Codigo=" + std::to_string(c);
    run("UPDATE Clientes SET VIP=True, ClienteComDesconto=False" + where);
    auto rs = select("SELECT VIP, ClienteComDesconto, IIF(Clientes.VIP=True, 'Sim', 'Não') AS V FROM Clientes" + where);
    EXPECT_EQ(rs->fieldDef(0).type, ado::adBoolean);
    EXPECT_EQ(rs->valueAt(0, 0), Variant(true));
    EXPECT_EQ(rs->valueAt(0, 1), Variant(false));
    EXPECT_EQ(rs->valueAt(0, 2).toText(), "Sim");
}

TEST_F(EngineTest, TopAndIdentity) {
    const auto first = addClient("A");
    const auto second = addClient("B");
    EXPECT_EQ(second, first + 1);
    addClient("C");
    auto rs = select("SELECT TOP 2 Codigo FROM Clientes ORDER BY Codigo DESC");
    ASSERT_EQ(rs->get_RecordCount(), 2);
    EXPECT_EQ(rs->valueAt(0, 0).toInt32(), first + 2);
    EXPECT_EQ(rs->fieldDef(0).type, ado::adInteger);
}

// A column whose kind only its values tell takes the type of its first value that is not Null.
TEST_F(EngineTest, AColumnOfNoKnownKindIsTypedByItsFirstValue) {
    const auto first = addClient("A");
    addClient("B");
    addClient("C");
    const std::string second = std::to_string(first + 1), third = std::to_string(first + 2);
    auto rs = select("SELECT Codigo, Switch(Codigo = " + second + ", Codigo, Codigo = " + third +
                     ", NomeOuRazaoSocial) AS Misto, Null AS Nada FROM Clientes ORDER BY Codigo");
    ASSERT_EQ(rs->get_RecordCount(), 3);
    EXPECT_EQ(rs->fieldDef(1).type, ado::adInteger);
    EXPECT_EQ(rs->fieldDef(2).type, ado::adVariant);
    EXPECT_TRUE(rs->valueAt(0, 1).isNull());
    EXPECT_EQ(rs->valueAt(1, 1).toInt32(), first + 1);
    EXPECT_EQ(rs->valueAt(2, 1).toText(), "C");
    EXPECT_EQ(rs->valueAt(2, 0).toInt32(), first + 2);
}

}  // namespace
}  // namespace zelt

// LIKE's wildcards, and the kinds values keep in their columns (comparison and ordering of text, and
// Yes/No, are examples under dialect/).
#include "engine_fixture.hpp"
#include "jet/engine/like_matching.hpp"
#include <cstdint>
#include <tuple>

#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;

// Wildcards count characters, not bytes; a bracket list's range follows the Portuguese collation,
// case-insensitive, accents apart.
TEST(LikeMatching, WildcardsCountCharactersNotBytes) {
    using jet::engine::likeMatches;
    for (const auto& [pattern, value, matches] : std::vector<std::tuple<const char*, const char*, bool>>{
             {"%JOÃO%", "o joão da silva", true}, {"_ão", "Mão", true}, {"__ão", "Mão", false}, {"a%b%c", "aXXbYYc", true},
             {"a%b%c", "aXXbYY", false}, {"%", "", true}, {"_", "", false}, {"%rex", "REX", true},
             {"[abc]x", "Bx", true},   {"[abc]x", "dx", false},  {"[a-c]%", "Bruno", true},
             {"[a-c]%", "Álvaro", true}, {"[a-c]%", "Davi", false}, {"[!a-c]%", "Davi", true},
             {"[!a-c]%", "Ana", false}, {"[é]", "É", true},       {"[é]", "e", false},
             {"100[%]", "100%", true}, {"100[%]", "1000", false}, {"a[_]b", "a_b", true},
             {"a[_]b", "axb", false},  {"[[]x]", "[x]", true},   {"a[]b", "ab", true},
             {"a[b", "a[b", true},     {"%[0-9]", "casa 7", true}, {"%[0-9]", "casa", false},
         })
        EXPECT_EQ(likeMatches(pattern, value), matches) << pattern << " ~ " << value;
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
    EXPECT_EQ(errorOf([&] { run("UPDATE Animais SET DataDeNascimento='não é data'" + where); }).number(), jet::err::TypeMismatch);
    run("UPDATE Animais SET DataDeNascimento=Null" + where);
    EXPECT_TRUE(scalar("SELECT DataDeNascimento FROM Animais" + where).isNull());
}

// A statement's first value, and what Jet gives.
struct Row {
    std::string statement;
    Variant expected;
};

// Money is Jet's Currency: ten-thousandths in a 64-bit integer, so nothing drifts, the ends of the
// range survive, texts are read without a double between, and what does not fit is the overflow.
TEST_F(EngineTest, MoneyIsExact) {
    const auto c = addClient("Alberto");
    addClient("Bruno");
    const std::string where = " WHERE Codigo=" + std::to_string(c), from = " FROM Clientes" + where;
    for (int i = 0; i < 10; ++i)
        run("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento) VALUES (" + std::to_string(c) + ", '0,10')");
    run("UPDATE Clientes SET LimiteDeCredito = 0.1 + 0.2, Credito = 1.23456, ValorDaUltimaCompra = 922337203685477.5807, "
        "PercentualUnicoDeDescontos = '-922.337.203.685.477,5808', PercentualDeDescontoEmOutros = -5");
    const Currency largest = Currency::fromRaw(INT64_MAX), smallest = Currency::fromRaw(INT64_MIN);
    for (const Row& r : std::vector<Row>{
             {"SELECT Sum(ValorDoDocumento) FROM ContasAReceber", Currency::fromRaw(10000)},
             {"SELECT Sum(ValorDoDocumento) = 1 FROM ContasAReceber", true},
             {"SELECT LimiteDeCredito" + from, Currency::fromRaw(3000)},
             {"SELECT LimiteDeCredito = 0.3" + from, true},
             {"SELECT Credito" + from, Currency::fromRaw(12346)},
             {"SELECT Count(*) FROM Clientes WHERE Credito = 1.2346", 2},
             {"SELECT ValorDaUltimaCompra" + from, largest},
             {"SELECT PercentualUnicoDeDescontos" + from, smallest},
             {"SELECT Format(ValorDaUltimaCompra, '#,##0.0000')" + from, "922.337.203.685.477,5807"},
             {"SELECT Count(*) FROM Clientes WHERE ValorDaUltimaCompra Between 0 And 922337203685477.5806", 0},
             {"SELECT Count(*) FROM Clientes WHERE PercentualDeDescontoEmOutros < -4.99999", 2},
             {"SELECT Credito * 2" + from, Currency::fromRaw(24692)},
             {"SELECT Credito / 2" + from, 0.6173},
             {"SELECT LimiteDeCredito - Credito - 1" + from, Currency::fromRaw(-19346)},
             {"SELECT IIF(IsNull(LimiteDeCredito), 0, LimiteDeCredito + True)" + from, Currency::fromRaw(-7000)},
         })
        EXPECT_EQ(scalar(r.statement), r.expected) << r.statement;
    EXPECT_EQ(select("SELECT Sum(ValorDoDocumento) AS S FROM ContasAReceber")->fieldDef(0).type, ado::adCurrency);
    for (int i = 0; i < 2; ++i)
        run("INSERT INTO ContasAReceber (CodigoDoCliente, ValorDoDocumento) VALUES (0, 922337203685477)");
    for (const std::string& statement : {
             std::string("UPDATE Clientes SET LimiteDeCredito = 922337203685477.5808"),
             std::string("UPDATE Clientes SET LimiteDeCredito = '-922.337.203.685.477,5809'"),
             "UPDATE Clientes SET LimiteDeCredito = ValorDaUltimaCompra + 0.0001" + where,
             "SELECT ValorDaUltimaCompra + 1" + from,
             std::string("SELECT Sum(ValorDoDocumento) FROM ContasAReceber"),
         })
        EXPECT_EQ(errorOf([&] { int64_t n; engine->execute(statement, n); }).number(), err::Overflow) << statement;
    EXPECT_EQ(scalar("SELECT LimiteDeCredito" + from), Variant(Currency::fromRaw(3000)));  // nothing stored
}

TEST_F(EngineTest, NowIsTheLocalClock) {
    const double before = Date::now().serial();
    EXPECT_NEAR(scalar("SELECT NOW AS DataHoraDoServidor FROM Empresa").toDate().serial(), before, 2.0 / 86400);
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

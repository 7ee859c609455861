// LIKE's wildcards, the kinds values keep in their columns, the unique CPF/CNPJ and the writers' lock
// (what one statement gives is an example under dialect/).
#include "engine_fixture.hpp"
#include "jet/engine/like_matching.hpp"
#include <cstdint>
#include <tuple>

#include "zelt/automation/error.hpp"
#include "zelt/jet/errors.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;
using testing_support::errorOf;

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

// Two workstations may both pass the lookup for a number before either writes it: the later
// writing is refused with the duplicate-key error. Blank and null numbers repeat freely.
TEST_F(EngineTest, ANonBlankCpfOrCnpjBelongsToOneClient) {
    const std::string add = "INSERT INTO Clientes (TipoDeCliente, CPFCNPJ) VALUES ('PF', ";
    for (const auto& [statement, refused] : std::vector<std::pair<std::string, bool>>{
             {add + "'11144477735')", false}, {add + "'11144477735')", true}, {add + "'52998224725')", false},
             {"UPDATE Clientes SET CPFCNPJ = '11144477735' WHERE CPFCNPJ = '52998224725'", true}, {add + "'')", false},
             {add + "'')", false}, {add + "'   ')", false}, {add + "'   ')", false}, {add + "Null)", false}, {add + "Null)", false}}) {
        if (!refused) {
            EXPECT_EQ(run(statement), 1) << statement;
            continue;
        }
        const auto e = errorOf([&] { run(statement); });
        EXPECT_EQ(std::pair(e.number(), e.helpContext()), std::pair(-2147467259, 5003022)) << statement;
    }
    EXPECT_EQ(scalar("SELECT Count(*) FROM Clientes WHERE CPFCNPJ = '11144477735'").toInt32(), 1);
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

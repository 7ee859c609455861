// The Jet function library through SQL, with the results VBA gives.
#include "engine_fixture.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;

TEST_F(EngineTest, ValReadsLeadingDigitsSkippingBlanks) {
    EXPECT_DOUBLE_EQ(eval("Val('  1615 198th Street N.E.')").toDouble(), 1615198.0);
    EXPECT_DOUBLE_EQ(eval("Val('0525')").toDouble(), 525.0);
    EXPECT_DOUBLE_EQ(eval("Val('abc')").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(eval("Val(Mid('3101', 3, 2) & Mid('3101', 1, 2))").toDouble(), 131.0);
}

TEST_F(EngineTest, FormatPlacesTheRegionalSeparators) {
    EXPECT_EQ(eval("Format(5459.4,'##,##0.00')").toText(), "5.459,40");
    EXPECT_EQ(eval("Format(0,'#,##0.00')").toText(), "0,00");
    EXPECT_EQ(eval("Format(1234567.891,'#,##0.00')").toText(), "1.234.567,89");
    EXPECT_EQ(eval("Format(7,'0000')").toText(), "0007");
}

TEST_F(EngineTest, FormatReadsNumericTextAsItsNumber) {
    EXPECT_EQ(eval("Format('01234567890','000\\.000\\.000\\-00')").toText(), "012.345.678-90");
    EXPECT_EQ(eval("Format('11222333000181','00\\.000\\.000\\/0000-00')").toText(), "11.222.333/0001-81");
    EXPECT_EQ(eval("Format('01310100','00000-000')").toText(), "01310-100");
    EXPECT_EQ(eval("Format('3101','00/00')").toText(), "31/01");
    EXPECT_EQ(eval("Format('sem número','00000-000')").toText(), "sem número");
    EXPECT_TRUE(eval("Format(Null,'00000-000')").isNull());
}

TEST_F(EngineTest, FormatWithDatePatterns) {
    EXPECT_EQ(eval("Format(#12/05/2026 19:16:50#,'DD/MM/YYYY HH:MM:SS')").toText(), "05/12/2026 19:16:50");
    EXPECT_EQ(eval("Format(#03/15/2020#,'DD/MM/YYYY')").toText(), "15/03/2020");
    EXPECT_EQ(eval("Format('15/03/2020','DD/MM/YYYY')").toText(), "15/03/2020");
    const auto c = addClient("Alberto");
    const auto a = addAnimal(c, "Rex");
    EXPECT_EQ(scalar("SELECT Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') FROM Animais WHERE Codigo=" +
                     std::to_string(a)).toText(),
              "05/12/2026 19:16:50");
}

TEST_F(EngineTest, TextFunctions) {
    EXPECT_EQ(eval("Mid('Araçatuba', 4, 3)").toText(), "çat");
    EXPECT_EQ(eval("Mid('Araçatuba', 5)").toText(), "atuba");
    EXPECT_EQ(eval("Mid('abc', 10, 2)").toText(), "");
    EXPECT_EQ(eval("Trim('  São Paulo  ')").toText(), "São Paulo");
    EXPECT_TRUE(eval("Trim(Null)").isNull());
}

TEST_F(EngineTest, DateParts) {
    EXPECT_EQ(eval("Day(#12/05/2026 19:16:50#)").toInt32(), 5);
    EXPECT_EQ(eval("Month(#12/05/2026 19:16:50#)").toInt32(), 12);
    EXPECT_EQ(eval("Year(#12/05/2026 19:16:50#)").toInt32(), 2026);
    EXPECT_TRUE(eval("Day(Null)").isNull());
}

TEST_F(EngineTest, NowIsTheLocalClock) {
    const double before = Date::now().serial();
    const double serverTime = scalar("SELECT NOW AS DataHoraDoServidor FROM Empresa").toDate().serial();
    EXPECT_NEAR(serverTime, before, 2.0 / 86400);
}

TEST_F(EngineTest, ConditionalsAndNulls) {
    EXPECT_EQ(eval("IIF(1=1, 'sim', 'não')").toText(), "sim");
    EXPECT_EQ(eval("IIF(IsNull(Null), 'nulo', 'valor')").toText(), "nulo");
    EXPECT_EQ(eval("IIF(IsNull('x'), 'nulo', 'valor')").toText(), "valor");
    EXPECT_EQ(eval("SWITCH(1=2, 'a', 2=2, 'b')").toText(), "b");
    EXPECT_TRUE(eval("SWITCH(1=2, 'a', 3=2, 'b')").isNull());
    EXPECT_EQ(eval("'a' & Null & 'b'").toText(), "ab");
    EXPECT_EQ(eval("'Código ' & 12").toText(), "Código 12");
    EXPECT_TRUE(eval("'a' + Null").isNull());
}

}  // namespace
}  // namespace zelt

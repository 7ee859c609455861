// The Jet function library through SQL, with the results VBA gives.
#include "engine_fixture.hpp"
#include "zelt/automation/error.hpp"

namespace zelt {
namespace {

using testing_support::EngineTest;

// An expression evaluated on the company's row, and what VBA gives.
struct Row {
    std::string expression;
    Variant expected;
};

TEST_F(EngineTest, ValReadsNumbersAsVbaDoes) {
    for (const Row& r : std::vector<Row>{
             {"Val('  1615 198th Street N.E.')", 1615198.0},
             {"Val('0525')", 525.0},
             {"Val('abc')", 0.0},
             {"Val(Mid('3101', 3, 2) & Mid('3101', 1, 2))", 131.0},
             {"Val('\t1\n2 3x')", 123.0},
             {"Val('&HFF')", 255.0},
             {"Val('&O17')", 15.0},
             {"Val('&HFFFF')", -1.0},  // four hex digits are an Integer
             {"Val('&H10000')", 65536.0},
             {"Val('1e3')", 1000.0},
             {"Val('1.5e-2')", 0.015},
             {"Val('2D2')", 200.0},
             {"Val('7 euros')", 7.0},
         })
        EXPECT_EQ(eval(r.expression), r.expected) << r.expression;
}

TEST_F(EngineTest, FormatPlacesTheRegionalSeparators) {
    for (const Row& r : std::vector<Row>{
             {"Format(5459.4,'##,##0.00')", "5.459,40"},
             {"Format(0,'#,##0.00')", "0,00"},
             {"Format(1234567.891,'#,##0.00')", "1.234.567,89"},
             {"Format(2.675,'0.00')", "2,68"},
             {"Format(7,'0000')", "0007"},
             {"Format(1234.5,'Currency')", "R$ 1.234,50"},
             {"Format(-1234.5,'currency')", "-R$ 1.234,50"},
             {"Format(1234.5,'Fixed')", "1234,50"},
             {"Format(1234.5,'Standard')", "1.234,50"},
             {"Format(1234.5,'Percent')", "123450,00%"},
             {"Format(1234.5,'General Number')", "1234,5"},
             {"Format(True,'Yes/No')", "Sim"},
             {"Format(0,'Yes/No')", "Não"},
             {"Format(1=1,'True/False')", "Verdadeiro"},
             {"Format(False,'On/Off')", "Desativado"},
             {"Format('texto','Currency')", "texto"},
         })
        EXPECT_EQ(eval(r.expression), r.expected) << r.expression;
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
    for (const Row& r : std::vector<Row>{
             {"Format(#12/05/2026 19:16:50#,'DD/MM/YYYY HH:MM:SS')", "05/12/2026 19:16:50"},
             {"Format(#03/15/2020#,'DD/MM/YYYY')", "15/03/2020"},
             {"Format('15/03/2020','DD/MM/YYYY')", "15/03/2020"},
             {"Format(#12/05/2026 19:16:50#,'ddd dddd, d mmm mmmm')", "sáb sábado, 5 dez dezembro"},
             {"Format(#03/02/2026#,'dddd mmmm')", "segunda-feira março"},
             {"Format(#12/05/2026 19:16:50#,'Long Date')", "sábado, 5 de dezembro de 2026"},
             {"Format(#12/05/2026 19:16:50#,'Medium Date')", "05-dez-26"},
             {"Format(#12/05/2026 19:16:50#,'Short Date')", "05/12/2026"},
             {"Format(#12/05/2026 19:16:50#,'Long Time')", "19:16:50"},
             {"Format(#12/05/2026 19:16:50#,'Short Time')", "19:16"},
             {"Format(#12/05/2026#,'General Date')", "05/12/2026"},
         })
        EXPECT_EQ(eval(r.expression), r.expected) << r.expression;
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

// A division by zero is VBA's error 11, and 0 / 0 its overflow; neither is Null.
TEST_F(EngineTest, DivisionByZeroIsAnError) {
    for (const auto& [expression, number] : std::vector<std::pair<std::string, int32_t>>{
             {"1 / 0", err::DivisionByZero}, {"0 / 0", err::Overflow}, {"Val('&H100000000')", err::Overflow}}) {
        try {
            eval(expression);
            ADD_FAILURE() << expression;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), number) << expression;
        }
    }
    EXPECT_EQ(eval("7 / 2"), Variant(3.5));
    EXPECT_TRUE(eval("Null / 0").isNull());
}

}  // namespace
}  // namespace zelt

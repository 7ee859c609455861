#include <gtest/gtest.h>

#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/automation/variant.hpp"

using namespace zelt;

namespace {
int32_t errorOf(auto&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}
}  // namespace

TEST(Currency, RoundsHalfToEvenAndPrintsWithThePointAsked) {
    EXPECT_EQ(Currency::fromDouble(0.00015).raw(), 2);
    EXPECT_EQ(Currency::fromDouble(0.00025).raw(), 2);
    EXPECT_EQ(Currency::fromDouble(-0.00035).raw(), -4);
    EXPECT_EQ(Currency::fromDouble(1.23456).raw(), 12346);
    EXPECT_EQ((Currency::fromDouble(0.1) + Currency::fromDouble(0.2)), Currency::fromDouble(0.3));
    EXPECT_EQ(Currency::fromDouble(12.5).toString('.'), "12.5");
    EXPECT_EQ(Currency::fromDouble(12.5).toString(','), "12,5");
    EXPECT_EQ(Currency::fromDouble(-0.0001).toString(), "-0.0001");
    EXPECT_EQ(Currency::fromInt(100).toString(), "100");
    EXPECT_EQ(errorOf([] { Currency::fromDouble(1e300); }), err::Overflow);
    // A text is read digit by digit, never through a double.
    EXPECT_EQ(Variant("-922.337.203.685.477,5808").toCurrency().raw(), INT64_MIN);
    EXPECT_EQ(Variant("0,00005").toCurrency().raw(), 0);
    EXPECT_EQ(errorOf([] { Variant("922337203685477.5808").toCurrency(); }), err::Overflow);
}

TEST(Date, RegionalTextBothWays) {
    EXPECT_FALSE(Date::parseRegional("31/02/2024"));
    EXPECT_FALSE(Date::parseRegional("29/02/2023"));
    ASSERT_TRUE(Date::parseRegional("29/02/2024"));
    EXPECT_EQ(Date::parseRegional("29/02/2024")->toRegionalText(), "29/02/2024");
    EXPECT_EQ(Date().toRegionalText(), "00:00:00");
    EXPECT_EQ(Date::parseRegional("05/12/2026 19:16:50")->toRegionalText(), "05/12/2026 19:16:50");
    EXPECT_EQ(Date::parseRegional("14:30")->toRegionalText(), "14:30:00");
    EXPECT_EQ(Date::parseMonthFirst("03/01/2024 23:59:59")->toRegionalText(), "01/03/2024 23:59:59");
    EXPECT_DOUBLE_EQ(Date::parseRegional("31/12/1899")->serial(), 1.0);
    const Date now = Date::now();
    EXPECT_EQ(Date::parseRegional(now.toRegionalText())->toRegionalText(), now.toRegionalText());
    const Date d = *Date::parseRegional("05/03/2024 07:08:09");
    EXPECT_EQ(d.format("dd/mm/yyyy hh:mm:ss"), "05/03/2024 07:08:09");
    EXPECT_EQ(d.format("MM/DD/YYYY"), "03/05/2024");
    EXPECT_EQ(d.format("DD/MM/YYYY HH:MM:SS"), "05/03/2024 07:08:09");
    EXPECT_EQ(d.weekday(), 3);  // a Tuesday
}

TEST(Variant, IsGivenAndIsNumericForWhatTheComponentPasses) {
    EXPECT_FALSE(Variant().isGiven());
    EXPECT_FALSE(Variant::null().isGiven());
    EXPECT_FALSE(Variant("").isGiven());
    EXPECT_FALSE(Variant(0.0).isGiven());
    EXPECT_FALSE(Variant(int16_t{0}).isGiven());
    EXPECT_TRUE(Variant("0").isGiven());
    EXPECT_TRUE(Variant("Rex").isGiven());
    EXPECT_TRUE(Variant(15.0).isGiven());
    EXPECT_TRUE(isNumeric(Variant("15")));
    EXPECT_TRUE(isNumeric(Variant(15.0)));
    EXPECT_TRUE(isNumeric(Variant("12,5")));
    EXPECT_TRUE(isNumeric(Variant("12.5")));
    EXPECT_TRUE(isNumeric(Variant("1.234,56")));
    EXPECT_FALSE(isNumeric(Variant("Rex")));
    EXPECT_FALSE(isNumeric(Variant("")));
    EXPECT_FALSE(isNumeric(Variant("1e")));
    EXPECT_FALSE(isNumeric(Variant::null()));
    EXPECT_DOUBLE_EQ(Variant("1.234,56").toDouble(), 1234.56);
    EXPECT_DOUBLE_EQ(Variant("1.234.567").toDouble(), 1234567.0);
}

TEST(Variant, ConversionsFollowTheRunTime) {
    EXPECT_EQ(Variant(15.0).toText(), "15");
    EXPECT_EQ(Variant(12.5).toText(), "12.5");
    EXPECT_EQ(Variant(true).toText(), "True");
    EXPECT_EQ(Variant(2.5).toInt16(), 2);
    EXPECT_EQ(Variant(3.5).toInt16(), 4);
    EXPECT_EQ(errorOf([] { Variant(40000.0).toInt16(); }), err::Overflow);
    EXPECT_EQ(errorOf([] { Variant(3e9).toInt32(); }), err::Overflow);
    EXPECT_EQ(errorOf([] { Variant("abc").toDouble(); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { Variant::null().toText(); }), InvalidUseOfNull);
    EXPECT_EQ(errorOf([] { Variant("31/02/2024").toDate(); }), err::TypeMismatch);
}

TEST(Regional, PortugueseOrderingCaseInsensitive) {
    EXPECT_EQ(regional::compareText("ana", "Ana"), 0);
    EXPECT_LT(regional::compareText("Alberto", "Álvaro"), 0);
    EXPECT_LT(regional::compareText("Álvaro", "Amanda"), 0);
    EXPECT_LT(regional::sortKey("Alberto"), regional::sortKey("Álvaro"));
    EXPECT_EQ(regional::foldCase("JOÃO"), "joão");
    EXPECT_EQ(regional::toUpper("sim"), "SIM");
}

TEST(Regional, FormatAndVal) {
    EXPECT_EQ(regional::formatNumber(5459.4, "##,##0.00"), "5.459,40");
    EXPECT_EQ(regional::formatNumber(0, "#,##0.00"), "0,00");
    EXPECT_EQ(regional::formatNumber(1234567.891, "#,##0.00"), "1.234.567,89");
    EXPECT_EQ(regional::formatNumber(1234567890, "000\\.000\\.000\\-00"), "012.345.678-90");
    EXPECT_EQ(regional::formatNumber(95000000000106.0, "00\\.000\\.000\\/0000-00"), "95.000.000/0001-06");
    EXPECT_EQ(regional::formatNumber(1234567, "00000-000"), "01234-567");
    EXPECT_EQ(regional::formatNumber(3112, "00/00"), "31/12");
    EXPECT_EQ(regional::formatNumber(525, "0000"), "0525");
    EXPECT_DOUBLE_EQ(regional::val("  1615 198th Street N.E."), 1615198.0);
    EXPECT_DOUBLE_EQ(regional::val("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(regional::val(""), 0.0);
    EXPECT_DOUBLE_EQ(regional::val("0525"), 525.0);
}

// The conversions give VBA's and the Brazilian regional forms, and give them alike whatever the
// process locale, including one whose decimal separator is the comma (a presentation tier that
// called setlocale(LC_ALL, "")). Late binding reaches members by name (any case), by slot and as the
// default member, with VBA's errors for what does not fit.
#include <gtest/gtest.h>

#include <charconv>
#include <functional>

#include "support/erro_de.hpp"
#include "support/locale_com_virgula.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/regional.hpp"
#include "zelt/automation/variant.hpp"

using namespace zelt;
using testing_support::errorOf;

namespace {

std::string text(bool b) { return b ? "true" : "false"; }
std::string text(std::integral auto n) { return std::to_string(n); }
std::string text(double d) {  // the shortest text that reads back as d, whatever the locale
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, d).ptr);
}
std::string text(const std::string& s) { return s; }

using V = Variant;
// 1 or 0 for each value, by whether `test` holds.
std::string each(std::initializer_list<V> values, const std::function<bool(const V&)>& test) {
    std::string out;
    for (const V& v : values) out += std::string(out.empty() ? "" : " ") + (test(v) ? "1" : "0");
    return out;
}
std::string text(const Variant& v) { return v.toText(); }
std::string text(const std::optional<Date>& d) { return d ? d->toRegionalText() : "no date"; }

// Each row: what the conversion gives as text ("error N" for a run-time error), and the call.
struct Row {
    const char* expected;
    std::function<std::string()> run;
};
#define ROW(expected, expression) Row{expected, [] { return text(expression); }}

const std::vector<Row> rows = {
    // Currency rounds half to even, adds exactly, prints with the point asked.
    ROW("2", Currency::fromDouble(0.00015).raw()), ROW("2", Currency::fromDouble(0.00025).raw()),
    ROW("-4", Currency::fromDouble(-0.00035).raw()), ROW("12346", Currency::fromDouble(1.23456).raw()),
    ROW("true", Currency::fromDouble(0.1) + Currency::fromDouble(0.2) == Currency::fromDouble(0.3)),
    ROW("12.5", Currency::fromDouble(12.5).toString('.')), ROW("12,5", Currency::fromDouble(12.5).toString(',')),
    ROW("-0.0001", Currency::fromDouble(-0.0001).toString()), ROW("100", Currency::fromInt(100).toString()),
    ROW("error 6", Currency::fromDouble(1e300).raw()),
    // A text is read digit by digit, never through a double.
    ROW("-9223372036854775808", V("-922.337.203.685.477,5808").toCurrency().raw()), ROW("0", V("0,00005").toCurrency().raw()),
    ROW("error 6", V("922337203685477.5808").toCurrency().raw()), ROW("1234.5", V(Currency::fromDouble(1234.5))),
    // Dates from and to regional text.
    ROW("no date", Date::parseRegional("31/02/2024")), ROW("no date", Date::parseRegional("29/02/2023")),
    ROW("29/02/2024", Date::parseRegional("29/02/2024")), ROW("00:00:00", Date().toRegionalText()),
    ROW("05/12/2026 19:16:50", Date::parseRegional("05/12/2026 19:16:50")), ROW("14:30:00", Date::parseRegional("14:30")),
    ROW("01/03/2024 23:59:59", Date::parseMonthFirst("03/01/2024 23:59:59")), ROW("1", Date::parseRegional("31/12/1899")->serial()),
    ROW("true", [] { const Date n = Date::now(); return Date::parseRegional(n.toRegionalText())->toRegionalText() == n.toRegionalText(); }()),
    ROW("05/03/2024 07:08:09", Date::parseRegional("05/03/2024 07:08:09")->format("dd/mm/yyyy hh:mm:ss")),
    ROW("03/05/2024", Date::parseRegional("05/03/2024 07:08:09")->format("MM/DD/YYYY")),
    ROW("05/03/2024 07:08:09", Date::parseRegional("05/03/2024 07:08:09")->format("DD/MM/YYYY HH:MM:SS")),
    ROW("3", Date::parseRegional("05/03/2024")->weekday()),  // a Tuesday
    // What the component counts as given, and as numeric (1 for each that is).
    ROW("0 0 0 0 0 1 1 1", each({V(), V::null(), V(""), V(0.0), V(int16_t{0}), V("0"), V("Rex"), V(15.0)}, &V::isGiven)),
    ROW("1 1 1 1 1 0 0 0 0", each({V("15"), V(15.0), V("12,5"), V("12.5"), V("1.234,56"), V("Rex"), V(""), V("1e"), V::null()},
                                 [](const V& v) { return isNumeric(v); })),
    // Conversions as the run time makes them.
    ROW("1234.56", V("1.234,56").toDouble()), ROW("1234567", V("1.234.567").toDouble()), ROW("12.5", V("12.5").toDouble()),
    ROW("15", V(15.0)), ROW("12.5", V(12.5)), ROW("True", V(true)), ROW("2", V(2.5).toInt16()), ROW("4", V(3.5).toInt16()),
    ROW("error 6", V(40000.0).toInt16()), ROW("error 6", V(3e9).toInt32()), ROW("error 13", V("abc").toDouble()),
    ROW("error 94", Variant::null().toText()), ROW("error 13", V("31/02/2024").toDate().serial()),
    // Portuguese order without regard to case; Format and Val as VBA has them in Brazil.
    ROW("0", regional::compareText("ana", "Ana")), ROW("true", regional::compareText("Alberto", "Álvaro") < 0),
    ROW("true", regional::compareText("Álvaro", "Amanda") < 0), ROW("true", regional::sortKey("Alberto") < regional::sortKey("Álvaro")),
    ROW("joão", regional::foldCase("JOÃO")), ROW("SIM", regional::toUpper("sim")),
    ROW("1.234.567,89", regional::formatNumber(1234567.891, "#,##0.00")), ROW("12.5", regional::val("12.5")),
    ROW("12.75", regional::val(" 12.75 kg")), ROW("0", regional::val("")),
};

void walk() {
    for (const Row& r : rows) {
        std::string got;
        try {
            got = r.run();
        } catch (const RuntimeError& e) {
            got = "error " + std::to_string(e.number());
        }
        EXPECT_EQ(got, r.expected) << "row " << &r - rows.data();
    }
}

TEST(Conversions, GiveTheRunTimesForms) { walk(); }

TEST(Conversions, AreTheSameUnderALocaleWithTheDecimalComma) {
    const testing_support::LocaleComVirgula locale;
    if (!locale.ativo()) GTEST_SKIP() << "no locale with a decimal comma on this machine";
    walk();
}

class Cachorro : public Dispatchable {
public:
    std::string nome;
    const DispatchTable& table() const override {
        static const DispatchTable t("_Cachorro", {
            Member{"Nome", InvokeKind::PropertyPut, {{"Nome", VarType::String}}, VarType::Empty,
                   [](Object& o, std::span<Variant> a) { static_cast<Cachorro&>(o).nome = a[0].toText(); return Variant(); }},
            Member{"Nome", InvokeKind::PropertyGet, {}, VarType::String,
                   [](Object& o, std::span<Variant>) { return Variant(static_cast<Cachorro&>(o).nome); }, true},
            Member{"Latir", InvokeKind::Method, {{"vezes", VarType::I2}, {"eco", VarType::String, true, true}}, VarType::I2,
                   [](Object&, std::span<Variant> a) {
                       a[1] = Variant(std::string(static_cast<size_t>(a[0].toInt16()), 'a'));
                       return Variant(a[0].toInt16());
                   }},
        });
        return t;
    }
};

TEST(Dispatch, ByNameAndBySlotReachTheSameMembers) {
    auto c = make<Cachorro>();
    putProperty(*c, "nome", Variant("Rex"));
    EXPECT_EQ(getProperty(*c, "NOME").toText(), "Rex");
    EXPECT_EQ(callDefault(*c, {}).toText(), "Rex");
    Variant args[] = {Variant("Bidu")};
    c->table().invokeSlot(*c, 0, args);
    EXPECT_EQ(c->nome, "Bidu");
    std::vector<Variant> latir{Variant(3.0), Variant()};
    EXPECT_EQ(callByNameRef(*c, "Latir", latir).toInt16(), 3);
    EXPECT_EQ(latir[1].toText(), "aaa");
    EXPECT_EQ(callByName(*c, "Latir", {Variant("2")}).toInt16(), 2);  // the optional by-reference argument omitted
    EXPECT_EQ(errorOf([&] { c->GetIDsOfNames("Miar"); }).number(), err::NoSuchMember);
    EXPECT_EQ(errorOf([&] { callByName(*c, "Latir", {}); }).number(), err::ArgumentNotOptional);
    EXPECT_EQ(errorOf([&] { callByName(*c, "Latir", {Variant(1.0), Variant(), Variant()}); }).number(),
              err::WrongArgumentCount);
    EXPECT_EQ(errorOf([&] { callByName(*c, "Latir", {Variant(40000.0)}); }).number(), err::Overflow);
}

}  // namespace

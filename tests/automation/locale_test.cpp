// The conversions give the Brazilian regional forms whatever the process locale, including one
// whose decimal separator is the comma (a presentation tier that called setlocale(LC_ALL, "")).
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "zelt/automation/regional.hpp"
#include "zelt/automation/variant.hpp"

using namespace zelt;

namespace {

// Switches the process to pt_BR.UTF-8, compiling the locale into a temporary folder when the
// machine has its sources but not the compiled locale.
class LocaleBrasileiro : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::setlocale(LC_ALL, "pt_BR.UTF-8")) {
            pasta_ = std::filesystem::temp_directory_path() / ("zelt-locale-" + std::to_string(::getpid()));
            std::filesystem::create_directories(pasta_);
            const std::string comando = "localedef -i pt_BR -f UTF-8 '" + (pasta_ / "pt_BR.UTF-8").string() + "' >/dev/null 2>&1";
            if (std::system(comando.c_str()) == 0) {
                ::setenv("LOCPATH", pasta_.c_str(), 1);
                std::setlocale(LC_ALL, "pt_BR.UTF-8");
            }
        }
        if (std::string(std::localeconv()->decimal_point) != ",")
            GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    void TearDown() override {
        std::setlocale(LC_ALL, "C");
        ::unsetenv("LOCPATH");
        if (!pasta_.empty()) std::filesystem::remove_all(pasta_);
    }
    std::filesystem::path pasta_;
};

TEST_F(LocaleBrasileiro, NumbersAndMoneyKeepTheirForms) {
    EXPECT_EQ(Currency::fromDouble(12.5).toString('.'), "12.5");
    EXPECT_EQ(Currency::fromDouble(12.5).toString(','), "12,5");
    EXPECT_EQ(Currency::fromDouble(0.00015).raw(), 2);
    EXPECT_EQ(Variant(12.5).toText(), "12.5");
    EXPECT_EQ(Variant(Currency::fromDouble(1234.5)).toText(), "1234.5");
    EXPECT_DOUBLE_EQ(Variant("12.5").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Variant("1.234,56").toDouble(), 1234.56);
    EXPECT_TRUE(isNumeric(Variant("12.5")));
    EXPECT_DOUBLE_EQ(regional::val(" 12.75 kg"), 12.75);
    EXPECT_EQ(regional::formatNumber(5459.4, "##,##0.00"), "5.459,40");
    EXPECT_EQ(Date::parseRegional("05/12/2026 19:16:50")->toRegionalText(), "05/12/2026 19:16:50");
}

}  // namespace

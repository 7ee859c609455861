// The text-treatment component: texts safe between single quotes, and phonetic keys under which
// the spellings of one Brazilian name meet.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/texttreatment.hpp"

using namespace zelt;
using texttreatment::montarSoundex;
using texttreatment::tratarString;

namespace {

TEST(TratarString, ASingleQuoteBecomesTheTypographicApostrophe) {
    EXPECT_EQ(tratarString("O'Brien"), "O\u2019Brien");
    EXPECT_EQ(tratarString("''; DROP TABLE Clientes; --"), "\u2019\u2019; DROP TABLE Clientes; --");
    EXPECT_EQ(tratarString("O\u2019Brien"), "O\u2019Brien");
}

TEST(TratarString, ControlCharactersGoAndNothingIsTrimmed) {
    EXPECT_EQ(tratarString(std::string("  a\0b\tc\x7f\x1b  ", 12)), "  abc  ");
    EXPECT_EQ(tratarString("linha 1\r\nlinha 2"), "linha 1linha 2");
    EXPECT_EQ(tratarString("\xc2\x85x"), "x");  // C1 control NEL
    EXPECT_EQ(tratarString(""), "");
}

TEST(TratarString, LineBreaksStayOnlyForMultilineTexts) {
    EXPECT_EQ(tratarString("a\r\nb\nc\rd", true), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(tratarString("a\r\x01\nb", true), "a\r\nb");
    EXPECT_EQ(tratarString("a\tb\n", true), "ab\r\n");
}

TEST(TratarString, InvalidUtf8BecomesTheReplacementCharacter) {
    EXPECT_EQ(tratarString("a\xff" "b"), "a\uFFFD" "b");
    EXPECT_EQ(tratarString("\xc3"), "\uFFFD");
    EXPECT_EQ(tratarString("Conceição"), "Conceição");
}

TEST(MontarSoundex, SpellingsOfOneNameShareTheirKey) {
    const std::vector<std::vector<std::string>> grupos{
        {"Luiz", "Luis", "Luís", "LUÍS", "luiz"},
        {"Thiago", "Tiago", "THIAGO"},
        {"Sousa", "Souza", "SOUZA"},
        {"Felipe", "Phelipe", "FELIPE"},
        {"Mattos", "Matos"},
        {"Anna", "Ana", "Ána"},
        {"Jefferson", "Jeferson", "Geferson"},
        {"Conceição", "Conceissão"},
        {"Maria da Silva", "Maria Silva", "MARIA  DA  SILVA"},
    };
    for (const auto& grupo : grupos) {
        for (const auto& nome : grupo) EXPECT_EQ(montarSoundex(nome), montarSoundex(grupo.front())) << nome;
    }
    EXPECT_EQ(montarSoundex("Luís Thiago de Souza"), "LUIS TIAGO SOUZA");
    EXPECT_EQ(montarSoundex("Mattos"), "MATOS");
}

TEST(MontarSoundex, DifferentNamesKeepDifferentKeys) {
    EXPECT_NE(montarSoundex("Maria"), montarSoundex("Mario"));
    EXPECT_NE(montarSoundex("Ana"), montarSoundex("Anita"));
    EXPECT_NE(montarSoundex("Paulo"), montarSoundex("Paula"));
}

TEST(MontarSoundex, TextsWithoutLettersHaveNoKeyAndLongNamesFitTheColumn) {
    EXPECT_EQ(montarSoundex(""), "");
    EXPECT_EQ(montarSoundex("123 - 456"), "");
    EXPECT_EQ(montarSoundex("da"), "DA");  // a name made only of a particle keeps it
    std::string longo;
    for (int i = 0; i < 100; ++i) longo += "Bartolomeu ";
    EXPECT_LE(montarSoundex(longo).size(), 100u);
}

class ComponenteDeTratamento : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("zelt-tratamento-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        setenv("ZELT_REGISTRY", (dir_ / "registry.json").string().c_str(), 1);
        texttreatment::DllRegisterServer();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(ComponenteDeTratamento, CallersReachItByProgIdAndName) {
    auto t = CreateObject("ZELT_N_TrataDados.clsTratamento");
    EXPECT_EQ(callByName(*t, "TratarString", {Variant("d'Ávila\n")}).toText(), "d\u2019Ávila");
    EXPECT_EQ(callByName(*t, "TratarString", {Variant("a\nb"), Variant(true)}).toText(), "a\r\nb");
    EXPECT_EQ(callByName(*t, "MontarSoundex", {Variant("Phelipe Souza")}).toText(), montarSoundex("Felipe Sousa"));
    texttreatment::DllUnregisterServer();
    EXPECT_THROW(CreateObject("ZELT_N_TrataDados.clsTratamento"), RuntimeError);
}

}  // namespace

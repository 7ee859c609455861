// ZELT_N_TrataDados.clsTratamento as the business classes reach it: created by ProgID, called by name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/texttreatment.hpp"

using namespace zelt;

namespace {

class Tratamento : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(texttreatment::DllRegisterServer(), 0);
        objeto_ = CreateObject("ZELT_N_TrataDados.clsTratamento");
    }
    std::string tratar(const std::string& texto) { return callByName(*objeto_, "TratarString", {Variant(texto)}).toText(); }
    std::string tratarLinhas(const std::string& texto) {
        return callByName(*objeto_, "TratarString", {Variant(texto), Variant(true)}).toText();
    }
    std::string soundex(const std::string& texto) { return callByName(*objeto_, "MontarSoundex", {Variant(texto)}).toText(); }

    Ref<Object> objeto_;
};

TEST_F(Tratamento, NoSingleQuoteLeavesWhateverTheInput) {
    EXPECT_EQ(tratar("O'Brien"), "O\u2019Brien");
    EXPECT_EQ(tratar("''; DELETE * FROM Clientes; --"), "\u2019\u2019; DELETE * FROM Clientes; --");
    EXPECT_EQ(tratar(std::string("a\0'b", 4)), "a\u2019b");
    EXPECT_EQ(tratar("\xC0'\xFF"), "\uFFFD\u2019\uFFFD");  // invalid UTF-8 cannot hide a quote
    for (int c = 0; c < 256; ++c) {
        const std::string texto = "x" + std::string(1, static_cast<char>(c)) + "'";
        EXPECT_EQ(tratar(texto).find('\''), std::string::npos) << c;
    }
}

TEST_F(Tratamento, ControlCharactersGoLineBreaksStayOnlyWhenAsked) {
    EXPECT_EQ(tratar("Rua A\tnº 5\r\nfundos\x7F"), "Rua Anº 5fundos");
    EXPECT_EQ(tratarLinhas("linha 1\r\nlinha 2\nlinha 3\rfim\t"), "linha 1\r\nlinha 2\r\nlinha 3\r\nfim");
    EXPECT_EQ(tratar("  com espaços  "), "  com espaços  ");  // the callers' rules trim themselves
    EXPECT_EQ(tratar(""), "");
    EXPECT_EQ(tratar("São João \"do\" Açaí"), "São João \"do\" Açaí");
}

TEST_F(Tratamento, SoundexJoinsSpellingsOfTheSameName) {
    const std::pair<const char*, const char*> mesmos[] = {
        {"Luiz", "Luis"}, {"Luis", "Luís"}, {"Thiago", "Tiago"}, {"Sousa", "Souza"}, {"Felipe", "Phelipe"},
        {"LUÍS", "luiz"}, {"José da Silva", "Jose Silva"}, {"Conceição", "Conseissão"}, {"Mattos", "Matos"},
        {"Anna", "Ana"}, {"Jefferson", "Geferson"}, {"MARIA  DA  SILVA", "Maria Silva"},
    };
    for (const auto& [a, b] : mesmos) {
        EXPECT_EQ(soundex(a), soundex(b)) << a << " / " << b;
        EXPECT_FALSE(soundex(a).empty()) << a;
    }
    const std::pair<const char*, const char*> diferentes[] = {{"Maria", "Mario"}, {"Luis", "Lucas"}, {"Ana", "Ane"}};
    for (const auto& [a, b] : diferentes) EXPECT_NE(soundex(a), soundex(b)) << a << " / " << b;
    EXPECT_EQ(soundex("Luiz"), "LUIS");
    EXPECT_EQ(soundex("123 !?"), "");
    EXPECT_EQ(soundex("D'Ávila").find('\''), std::string::npos);
    EXPECT_EQ(soundex("Luís Thiago de Souza"), "LUIS TIAGO SOUZA");
    EXPECT_EQ(soundex("da"), "DA");  // a name made only of a particle keeps it
    EXPECT_EQ(soundex("Ana H. Souza"), "ANA SOUZA");  // a silent word leaves no empty key between
}

TEST_F(Tratamento, AKeyFitsTheKeyColumnWhateverTheNameLength) {
    std::string longo;
    for (int i = 0; i < 100; ++i) longo += "Bartolomeu ";
    const std::string chave = soundex(longo);
    EXPECT_LE(chave.size(), 100u);
    EXPECT_NE(chave.back(), ' ');
}

}  // namespace

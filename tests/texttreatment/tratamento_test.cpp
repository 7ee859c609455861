// ZELT_N_TrataDados.clsTratamento as the business classes reach it: created by ProgID, called by name.
#include <gtest/gtest.h>

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
    std::string chamar(const char* membro, std::vector<Variant> args) { return callByName(*objeto_, membro, args).toText(); }
    std::string tratar(const std::string& texto) { return chamar("TratarString", {Variant(texto)}); }
    std::string soundex(const std::string& texto) { return chamar("MontarSoundex", {Variant(texto)}); }

    Ref<Object> objeto_;
};

TEST_F(Tratamento, TratarStringLeavesNoQuoteAndNoControlCharacter) {
    const std::vector<std::pair<std::string, std::string>> casos{
        {"O'Brien", "O\u2019Brien"},
        {"''; DELETE * FROM Clientes; --", "\u2019\u2019; DELETE * FROM Clientes; --"},
        {std::string("a\0'b", 4), "a\u2019b"},
        {"\xC0'\xFF", "\uFFFD\u2019\uFFFD"},  // invalid UTF-8 cannot hide a quote
        {"Rua A\tnº 5\r\nfundos\x7F", "Rua Anº 5fundos"},
        {"  com espaços  ", "  com espaços  "},  // the callers' rules trim themselves
        {"", ""},
        {"São João \"do\" Açaí", "São João \"do\" Açaí"}};
    for (const auto& [texto, esperado] : casos) EXPECT_EQ(tratar(texto), esperado) << texto;
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(tratar("x" + std::string(1, static_cast<char>(c)) + "'").find('\''), std::string::npos) << c;
    // Line breaks stay only when asked, all as CR LF.
    EXPECT_EQ(chamar("TratarString", {Variant("linha 1\r\nlinha 2\nlinha 3\rfim\t"), Variant(true)}),
              "linha 1\r\nlinha 2\r\nlinha 3\r\nfim");
}

TEST_F(Tratamento, SoundexJoinsSpellingsOfTheSameName) {
    const std::pair<const char*, const char*> mesmos[] = {
        {"Luiz", "Luis"}, {"Luis", "Luís"}, {"Thiago", "Tiago"}, {"Sousa", "Souza"}, {"Felipe", "Phelipe"},
        {"LUÍS", "luiz"}, {"José da Silva", "Jose Silva"}, {"Conceição", "Conseissão"}, {"Mattos", "Matos"},
        {"Anna", "Ana"}, {"Jefferson", "Geferson"}, {"MARIA  DA  SILVA", "Maria Silva"}};
    for (const auto& [a, b] : mesmos) {
        EXPECT_EQ(soundex(a), soundex(b)) << a << " / " << b;
        EXPECT_FALSE(soundex(a).empty()) << a;
    }
    for (const auto& [a, b] : {std::pair{"Maria", "Mario"}, std::pair{"Luis", "Lucas"}, std::pair{"Ana", "Ane"}})
        EXPECT_NE(soundex(a), soundex(b)) << a << " / " << b;
    const std::vector<std::pair<std::string, std::string>> chaves{
        {"Luiz", "LUIS"}, {"123 !?", ""}, {"Luís Thiago de Souza", "LUIS TIAGO SOUZA"},
        {"da", "DA"},                  // a name made only of a particle keeps it
        {"Ana H. Souza", "ANA SOUZA"}};  // a silent word leaves no empty key between
    for (const auto& [nome, chave] : chaves) EXPECT_EQ(soundex(nome), chave) << nome;
    EXPECT_EQ(soundex("D'Ávila").find('\''), std::string::npos);
    // A key fits the key column whatever the name's length.
    std::string longo;
    for (int i = 0; i < 100; ++i) longo += "Bartolomeu ";
    EXPECT_LE(soundex(longo).size(), 100u);
    EXPECT_NE(soundex(longo).back(), ' ');
}

}  // namespace

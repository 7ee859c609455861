// ZELT_N_TrataDados.clsTratamento as the business classes reach it: created by ProgID, called by name.
#include <gtest/gtest.h>

#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/texttreatment.hpp"

using namespace zelt;

namespace {

std::string chamar(const char* membro, std::vector<Variant> args) {
    static const Ref<Object> objeto = (texttreatment::DllRegisterServer(), CreateObject("ZELT_N_TrataDados.clsTratamento"));
    return callByName(*objeto, membro, args).toText();
}
std::string soundex(const std::string& texto) { return chamar("MontarSoundex", {Variant(texto)}); }

TEST(Tratamento, TratarStringLeavesNoQuoteAndNoControlCharacter) {
    const struct { std::string texto, esperado; bool quebras = false; } casos[] = {
        {"O'Brien", "O\u2019Brien"}, {"", ""},
        {"''; DELETE * FROM Clientes; --", "\u2019\u2019; DELETE * FROM Clientes; --"},
        {std::string("a\0'b", 4), "a\u2019b"}, {"\xC0'\xFF", "\uFFFD\u2019\uFFFD"},  // invalid UTF-8 cannot hide a quote
        {"Rua A\tnº 5\r\nfundos\x7F", "Rua Anº 5fundos"}, {"São João \"do\" Açaí", "São João \"do\" Açaí"},
        {"  com espaços  ", "  com espaços  "},  // the callers' rules trim themselves
        {"linha 1\r\nlinha 2\nlinha 3\rfim\t", "linha 1\r\nlinha 2\r\nlinha 3\r\nfim", true}};  // only when asked, all CR LF
    for (const auto& c : casos)  // line breaks go unless asked for
        EXPECT_EQ(chamar("TratarString", c.quebras ? std::vector{Variant(c.texto), Variant(true)} : std::vector{Variant(c.texto)}), c.esperado);
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(chamar("TratarString", {Variant("x" + std::string(1, static_cast<char>(c)) + "'")}).find('\''), std::string::npos) << c;
}

TEST(Tratamento, SoundexJoinsSpellingsOfTheSameName) {
    const std::pair<const char*, const char*> mesmos[] = {
        {"Luiz", "Luis"}, {"Luis", "Luís"}, {"Thiago", "Tiago"}, {"Sousa", "Souza"}, {"Felipe", "Phelipe"},
        {"LUÍS", "luiz"}, {"José da Silva", "Jose Silva"}, {"Conceição", "Conseissão"}, {"Mattos", "Matos"},
        {"Anna", "Ana"}, {"Jefferson", "Geferson"}, {"MARIA  DA  SILVA", "Maria Silva"}};
    for (const auto& [a, b] : mesmos) EXPECT_TRUE(soundex(a) == soundex(b) && !soundex(a).empty()) << a << " / " << b;
    for (const auto& [a, b] : {std::pair{"Maria", "Mario"}, std::pair{"Luis", "Lucas"}, std::pair{"Ana", "Ane"}}) EXPECT_NE(soundex(a), soundex(b));
    // A name made only of a particle keeps it; a silent word leaves no empty key between; no quote survives.
    const std::pair<std::string, std::string> chaves[] = {{"Luiz", "LUIS"}, {"123 !?", ""}, {"Luís Thiago de Souza", "LUIS TIAGO SOUZA"},
                                                          {"da", "DA"}, {"Ana H. Souza", "ANA SOUZA"}, {"D'Ávila", "DAVILA"}};
    for (const auto& [nome, chave] : chaves) EXPECT_EQ(soundex(nome), chave) << nome;
    // A key fits the key column whatever the name's length.
    std::string longo;
    for (int i = 0; i < 100; ++i) longo += "Bartolomeu ";
    EXPECT_TRUE(soundex(longo).size() <= 100 && soundex(longo).back() != ' ') << soundex(longo);
}

}  // namespace

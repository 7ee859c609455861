// The document checks as pure functions, and their agreement with an independent implementation.
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>

#include "clientanim/clients/documentos.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::clientanim::documentos {
namespace {

using Verificacao = bool (*)(std::string_view, int16_t&);

bool correto(Verificacao f, std::string_view numero) {
    int16_t ponto = 0;
    return f(numero, ponto);
}

TEST(Documentos, VerdictsOfTheChecks) {
    struct Caso { Verificacao f; std::string numero; bool correto; };
    std::vector<Caso> casos{
        {cpfCorreto, "10203040570", true}, {cpfCorreto, "52998224725", true}, {cpfCorreto, "10203040571", false},
        {cpfCorreto, "10203040560", false}, {cpfCorreto, "10203040507", false},  // check digits exchanged
        {cpfCorreto, "102030405a0", false}, {cpfCorreto, "1020304057b", false},  // a letter in the check digits
        {cnpjCorreto, "95000000000106", true}, {cnpjCorreto, "11222333000181", true},
        {cnpjCorreto, "95000000000107", false}, {cnpjCorreto, "00000000000000", false},
        {cnpjCorreto, "95a00000000106", true},   // a letter counts as zero: in place of a zero, same digits
        {cnpjCorreto, "a5000000000106", false},  // in place of the 9: the digits disagree
        {cnpjCorreto, " 9500000000010", false},  // untrimmed: read shifted by one, the space as 0
        {emailCorreto, "ana@exemplo.com", true}, {emailCorreto, "ana@exemplo.com.br", true},
        {emailCorreto, "Ana_Souza-1@Exemplo.org", true}, {emailCorreto, "ana.souza@x.br", true},
        {emailCorreto, "anaexemplo.com", true}, {emailCorreto, "a@b@exemplo.net", true},  // "@" is not counted
        {emailCorreto, "ana@x.br", false},  // the only point has two characters after it
        {emailCorreto, "ana@exemplo.COM", false}, {emailCorreto, "ana@exemplo.info", false},
        {emailCorreto, "ana@exemplo.co", false}, {emailCorreto, "anã@exemplo.com", false},
        {emailCorreto, "ana souza@exemplo.com", false}, {emailCorreto, "ana+1@exemplo.com", false}};
    for (char d = '0'; d <= '9'; ++d) {
        casos.push_back({cpfCorreto, std::string(11, d), true});
        if (d != '0') casos.push_back({cnpjCorreto, std::string(14, d), false});
    }
    for (const Caso& k : casos) EXPECT_EQ(correto(k.f, k.numero), k.correto) << k.numero;
}

TEST(Documentos, MaskFillsDigitsFromTheRight) {
    const std::vector<std::tuple<std::string, std::string_view, std::string>> casos{
        {"95000000000106", MascaraDoCNPJ, "95.000.000/0001-06"}, {"203040570", MascaraDoCPF, "002.030.405-70"},
        {"910203040570", MascaraDoCPF, "9102.030.405-70"}, {"102.030.405-70", MascaraDoCPF, "102.030.405-70"}, {"1020304057a", MascaraDoCPF, "1020304057a"}};
    for (const auto& [numero, mascara, esperado] : casos) EXPECT_EQ(mascarar(numero, mascara), esperado) << numero;
}

// Numbers with the verdict of an independent implementation (tests/scripts/cpf_cnpj_crosscheck.sh),
// one "number verdict" a line, 1 for valid: the checks must agree on every one.
TEST(ConferenciaExterna, AgreesWithAnIndependentImplementation) {
    const char* arquivo = std::getenv("ZELT_DOCUMENTOS");
    if (!arquivo) GTEST_SKIP() << "ZELT_DOCUMENTOS not set";
    std::ifstream in(arquivo);
    ASSERT_TRUE(in) << arquivo;
    int contagem[2][2] = {{0, 0}, {0, 0}};  // [cnpj][valid]
    std::string numero;
    int veredito = 0;
    while (in >> numero >> veredito) {
        if (numero.size() != 11 && numero.size() != 14) ADD_FAILURE() << "unexpected line: " << numero;
        const bool cnpj = numero.size() == 14;
        ++contagem[cnpj][veredito != 0];
        EXPECT_EQ(correto(cnpj ? cnpjCorreto : cpfCorreto, numero), veredito != 0) << numero;
    }
    EXPECT_TRUE(in.eof()) << "unreadable line after " << numero;
    for (const auto& c : contagem) EXPECT_TRUE(c[0] > 0 && c[1] > 0);
}

}  // namespace
}  // namespace zelt::clientanim::documentos

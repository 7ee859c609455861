// The document checks as pure functions, and their agreement with an independent implementation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "clientanim/clients/documentos.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::clientanim::documentos {
namespace {

bool cpf(std::string_view c) {
    int16_t p = 0;
    return cpfCorreto(c, p);
}
bool cnpj(std::string_view c) {
    int16_t p = 0;
    return cnpjCorreto(c, p);
}
bool email(std::string_view e) {
    int16_t p = 0;
    return emailCorreto(e, p);
}

TEST(Cpf, WorkedExampleAndWrongDigits) {
    EXPECT_TRUE(cpf("10203040570"));
    EXPECT_FALSE(cpf("10203040571"));
    EXPECT_FALSE(cpf("10203040560"));
    EXPECT_FALSE(cpf("10203040507"));  // check digits exchanged
    EXPECT_TRUE(cpf("52998224725"));
}

TEST(Cpf, ElevenEqualDigitsPass) {
    for (char d = '0'; d <= '9'; ++d) EXPECT_TRUE(cpf(std::string(11, d))) << d;
}

TEST(Cpf, NonDigitAmongTheFirstNineIsTypeMismatchAtPointThree) {
    int16_t ponto = 0;
    try {
        cpfCorreto("1020304a570", ponto);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
        EXPECT_EQ(ponto, 3);
    }
    EXPECT_THROW(cpf(" 1020304057"), RuntimeError);  // a leading space is read as the first character
}

TEST(Cpf, LetterInTheCheckDigitsIsSimplyIncorrect) {
    int16_t ponto = 0;
    EXPECT_FALSE(cpfCorreto("102030405a0", ponto));
    EXPECT_FALSE(cpfCorreto("1020304057b", ponto));
    EXPECT_EQ(ponto, 5);
}

TEST(Cnpj, WorkedExampleZerosAndEqualDigits) {
    EXPECT_TRUE(cnpj("95000000000106"));
    EXPECT_TRUE(cnpj("11222333000181"));
    EXPECT_FALSE(cnpj("95000000000107"));
    EXPECT_FALSE(cnpj("00000000000000"));
    for (char d = '1'; d <= '9'; ++d) EXPECT_FALSE(cnpj(std::string(14, d))) << d;
}

TEST(Cnpj, ALetterCountsAsZero) {
    EXPECT_TRUE(cnpj("95a00000000106"));   // in place of a zero: same digits
    EXPECT_FALSE(cnpj("a5000000000106"));  // in place of the 9: the digits disagree
    EXPECT_FALSE(cnpj(" 9500000000010"));  // untrimmed: read shifted by one, the space as 0
}

TEST(Email, Rules) {
    EXPECT_TRUE(email("ana@exemplo.com"));
    EXPECT_TRUE(email("ana@exemplo.com.br"));
    EXPECT_TRUE(email("Ana_Souza-1@Exemplo.org"));
    EXPECT_FALSE(email("ana@x.br"));       // the only point has two characters after it
    EXPECT_TRUE(email("ana.souza@x.br"));  // a point before "@" with three or more after it
    EXPECT_FALSE(email("ana@exemplo.COM"));
    EXPECT_FALSE(email("ana@exemplo.info"));
    EXPECT_FALSE(email("ana@exemplo.co"));
    EXPECT_FALSE(email("anã@exemplo.com"));
    EXPECT_FALSE(email("ana souza@exemplo.com"));
    EXPECT_FALSE(email("ana+1@exemplo.com"));
    EXPECT_TRUE(email("anaexemplo.com"));  // "@" is not counted
    EXPECT_TRUE(email("a@b@exemplo.net"));
}

TEST(Mascara, DigitsFillFromTheRight) {
    EXPECT_EQ(mascarar("10203040570", MascaraDoCPF), "102.030.405-70");
    EXPECT_EQ(mascarar("95000000000106", MascaraDoCNPJ), "95.000.000/0001-06");
    EXPECT_EQ(mascarar("203040570", MascaraDoCPF), "002.030.405-70");
    EXPECT_EQ(mascarar("910203040570", MascaraDoCPF), "9102.030.405-70");
    EXPECT_EQ(mascarar("102.030.405-70", MascaraDoCPF), "102.030.405-70");
    EXPECT_EQ(mascarar("1020304057a", MascaraDoCPF), "1020304057a");
}

// Numbers with the verdict of an independent implementation (tests/scripts/cpf_cnpj_crosscheck.sh),
// one "number verdict" a line, 1 for valid: the checks must agree on every one.
TEST(ConferenciaExterna, AgreesWithAnIndependentImplementation) {
    const char* arquivo = std::getenv("ZELT_DOCUMENTOS");
    if (!arquivo) GTEST_SKIP() << "ZELT_DOCUMENTOS not set";
    std::ifstream in(arquivo);
    ASSERT_TRUE(in) << arquivo;
    int cpfs[2] = {0, 0}, cnpjs[2] = {0, 0};
    std::string numero;
    int veredito = 0;
    while (in >> numero >> veredito) {
        if (numero.size() == 11) {
            ++cpfs[veredito != 0];
            EXPECT_EQ(cpf(numero), veredito != 0) << numero;
        } else if (numero.size() == 14) {
            ++cnpjs[veredito != 0];
            EXPECT_EQ(cnpj(numero), veredito != 0) << numero;
        } else {
            ADD_FAILURE() << "unexpected line: " << numero;
        }
    }
    EXPECT_TRUE(in.eof()) << "unreadable line after " << numero;
    for (int v = 0; v < 2; ++v) {
        EXPECT_GT(cpfs[v], 0) << v;
        EXPECT_GT(cnpjs[v], 0) << v;
    }
}

}  // namespace
}  // namespace zelt::clientanim::documentos

#include "clientanim/clients/documentos.hpp"

#include <algorithm>
#include <array>
#include <vector>

#include "zelt/automation/error.hpp"

namespace zelt::clientanim::documentos {

namespace {

// Positions are the caller's characters, not bytes: a multi-byte character is one position.
std::vector<char32_t> caracteres(std::string_view t) {
    std::vector<char32_t> r;
    for (size_t i = 0; i < t.size();) {
        const auto b = static_cast<unsigned char>(t[i]);
        const size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
        char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
        for (size_t k = 1; k < n && i + k < t.size(); ++k) c = (c << 6) | (static_cast<unsigned char>(t[i + k]) & 0x3F);
        r.push_back(c);
        i += n;
    }
    return r;
}

bool digito(char32_t c) { return c >= U'0' && c <= U'9'; }

int digitoVerificador(int soma) {
    const int r = soma % 11;
    return r < 2 ? 0 : 11 - r;
}

// Weights from `inicial` down to 2, then again from 9.
int somaPonderadaDoCNPJ(const std::vector<char32_t>& c, size_t posicoes, int inicial) {
    int soma = 0, peso = inicial;
    for (size_t p = 0; p < posicoes; ++p) {
        const int valor = p < c.size() && digito(c[p]) ? static_cast<int>(c[p] - U'0') : 0;
        soma += peso * valor;
        peso = peso > 2 ? peso - 1 : 9;
    }
    return soma;
}

}  // namespace

bool cpfCorreto(std::string_view cpf, int16_t& ponto) {
    ponto = 1;
    const auto c = caracteres(cpf);
    ponto = 2;
    std::vector<int> b;
    ponto = 3;
    for (size_t p = 0; p < 9; ++p) {
        if (p >= c.size() || !digito(c[p])) throwError(err::TypeMismatch);
        b.push_back(static_cast<int>(c[p] - U'0'));
    }
    int soma = 0;
    for (size_t p = 0; p < 9; ++p) soma += b[p] * static_cast<int>(10 - p);
    const int d1 = digitoVerificador(soma);
    b.push_back(d1);
    ponto = 4;
    soma = 0;
    for (size_t p = 0; p < 10; ++p) soma += b[p] * static_cast<int>(11 - p);
    const int d2 = digitoVerificador(soma);
    ponto = 5;
    if (c.size() < 2) return false;
    return c[c.size() - 2] == static_cast<char32_t>(U'0' + d1) && c[c.size() - 1] == static_cast<char32_t>(U'0' + d2);
}

bool cnpjCorreto(std::string_view cnpj, int16_t& ponto) {
    ponto = 1;
    const auto c = caracteres(cnpj);
    ponto = 2;
    ponto = 3;
    const int soma1 = somaPonderadaDoCNPJ(c, 12, 5);
    ponto = 4;
    const int d1 = digitoVerificador(soma1);
    ponto = 5;
    const int soma2 = somaPonderadaDoCNPJ(c, 13, 6);
    ponto = 6;
    const int d2 = digitoVerificador(soma2);
    ponto = 7;
    auto valor = [&](size_t p) { return p < c.size() && digito(c[p]) ? static_cast<int>(c[p] - U'0') : 0; };
    return cnpj != "00000000000000" && valor(12) == d1 && valor(13) == d2;
}

bool emailCorreto(std::string_view email, int16_t& ponto) {
    ponto = 1;
    bool pontoComSufixo = false;
    for (size_t i = 0; i < email.size(); ++i)
        if (email[i] == '.' && email.size() - i - 1 >= 3) pontoComSufixo = true;
    if (!pontoComSufixo) return false;
    static constexpr std::array<std::string_view, 6> finais{".net", ".com", ".edu", ".mil", ".gov", ".org"};
    const bool finalAceito = email.ends_with(".br") ||
                             std::any_of(finais.begin(), finais.end(), [&](auto f) { return email.ends_with(f); });
    if (!finalAceito) return false;
    ponto = 2;
    return std::all_of(email.begin(), email.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c == '_' || c == '-' || c == '.' || c == '@' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') ||
               (c >= 'A' && c <= 'Z');
    });
}

std::string mascarar(std::string_view numero, std::string_view mascara) {
    if (numero.empty() || !std::all_of(numero.begin(), numero.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(numero);
    // Right to left: each zero takes the next digit from the right; literals are copied.
    std::string r;
    size_t restantes = numero.size();
    for (size_t i = mascara.size(); i-- > 0;) {
        const bool literal = i > 0 && mascara[i - 1] == '\\';
        if (literal) {
            r.push_back(mascara[i]);
            --i;
        } else if (mascara[i] == '0') {
            r.push_back(restantes > 0 ? numero[--restantes] : '0');
        } else {
            r.push_back(mascara[i]);
        }
    }
    std::reverse(r.begin(), r.end());
    return std::string(numero.substr(0, restantes)) + r;
}

}  // namespace zelt::clientanim::documentos

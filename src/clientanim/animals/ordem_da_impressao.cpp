#include "clientanim/animals/ordem_da_impressao.hpp"

#include <set>
#include <sstream>
#include <vector>

#include "clientanim/animals/colunas_da_selecao.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::clientanim::animais {

namespace {

bool caractereDeNome(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The qualified column a column text reads (its first Table.Column) and its alias, when it has one.
void nomesDaColuna(std::string_view texto, std::set<std::string>& nomes) {
    for (size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != '.' || i == 0) continue;
        size_t a = i, b = i + 1;
        while (a > 0 && caractereDeNome(texto[a - 1])) --a;
        while (b < texto.size() && caractereDeNome(texto[b])) ++b;
        if (a < i && b > i + 1) {
            nomes.insert(regional::foldCase(texto.substr(a, b - a)));
            break;
        }
    }
    if (const size_t as = texto.find(" AS "); as != std::string_view::npos) {
        size_t b = as + 4;
        while (b < texto.size() && caractereDeNome(texto[b])) ++b;
        nomes.insert(regional::foldCase(texto.substr(as + 4, b - as - 4)));
    }
}

const std::set<std::string>& nomesAceitos() {
    static const std::set<std::string> nomes = [] {
        std::set<std::string> n;
        for (std::string_view coluna : colunasDaImpressao()) nomesDaColuna(coluna, n);
        return n;
    }();
    return nomes;
}

bool termoValido(std::string_view termo, bool ultimo) {
    std::istringstream palavras{std::string(termo)};
    std::vector<std::string> p;
    for (std::string w; palavras >> w;) p.push_back(regional::foldCase(w));
    if (p.empty() || p.size() > 2 || !nomesAceitos().count(p[0])) return false;
    return p.size() == 1 || (!ultimo && (p[1] == "asc" || p[1] == "desc"));
}

}  // namespace

void verificarOrdemDaImpressao(const std::string& ordem) {
    bool valida = true;
    size_t inicio = 0;
    while (valida) {
        const size_t virgula = ordem.find(',', inicio);
        const bool ultimo = virgula == std::string::npos;
        valida = termoValido(std::string_view(ordem).substr(inicio, ultimo ? std::string::npos : virgula - inicio), ultimo);
        if (ultimo) break;
        inicio = virgula + 1;
    }
    if (!valida)
        throwError(err::InvalidProcedureCall,
                   "O argumento lstrOrdemDoCampoParaSelecao recebeu '" + ordem +
                       "'; a ordem aceita é uma lista, separada por vírgulas, de colunas da seleção (como "
                       "Animais.Nome ou Cliente), cada uma seguida de ASC ou DESC, exceto a última.");
}

}  // namespace zelt::clientanim::animais

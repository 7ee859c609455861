#include "clientanim/animals/condicoes_dos_animais.hpp"

#include <algorithm>

#include "zelt/automation/error.hpp"
#include "zelt/automation/variant.hpp"

namespace zelt::clientanim::animais {

std::string situacaoDosAnimais(int16_t filtro) {
    switch (filtro) {
        case 0: return "   (Animais.Situacao=1 OR Animais.Situacao=2) ";
        case 1: return "   Animais.Situacao=1 ";
        case 2: return "   Animais.Situacao=2 ";
        default:
            throwError(err::InvalidProcedureCall,
                       "O argumento lintSituacaoParaFiltro recebeu " + std::to_string(filtro) +
                           "; os valores aceitos são 0 (todas as situações), 1 (ativos) e 2 (inativos).");
    }
}

std::string animalVivoOuMorto(int16_t opcao) {
    switch (opcao) {
        case 1: return "   Animais.AnimalMorto = False ";
        case 2: return "   Animais.AnimalMorto = True ";
        case 3: return "(Animais.AnimalMorto = False  OR Animais.AnimalMorto = True) ";
        default:
            throwError(err::InvalidProcedureCall,
                       "O argumento lintAnimalVivoOuMorto recebeu " + std::to_string(opcao) +
                           "; os valores aceitos são 1 (vivos), 2 (mortos) e 3 (ambos).");
    }
}

std::string dataMesPrimeiro(const std::string& texto, std::string_view padrao) {
    return Variant(texto).toDate().format(padrao);
}

std::string digitosDaData(const std::string& texto, size_t inicio) {
    const std::string d = inicio <= texto.size() ? texto.substr(inicio - 1, 2) : std::string();
    if (d.empty() || !std::all_of(d.begin(), d.end(), [](unsigned char c) { return c >= '0' && c <= '9'; }))
        throwError(err::TypeMismatch);
    return d;
}

}  // namespace zelt::clientanim::animais

#include "zelt/automation/error.hpp"

namespace zelt {

std::string standardDescription(int32_t number) {
    switch (number) {
        case err::InvalidProcedureCall: return "Chamada de procedimento ou argumento inválido";
        case err::Overflow: return "Estouro";
        case err::OutOfMemory: return "Memória insuficiente";
        case err::SubscriptOutOfRange: return "Subscrito fora do intervalo";
        case err::DivisionByZero: return "Divisão por zero";
        case err::TypeMismatch: return "Tipos incompatíveis";
        case err::ObjectVariableNotSet: return "Variável de objeto ou variável do bloco With não definida";
        case InvalidUseOfNull: return "Uso inválido de Null";
        case err::ObjectRequired: return "Objeto necessário";
        case err::CannotCreateObject: return "O componente ActiveX não pode criar o objeto";
        case err::NoSuchMember: return "O objeto não dá suporte para esta propriedade ou método";
        case err::ArgumentNotOptional: return "Argumento não opcional";
        case err::WrongArgumentCount: return "Número de argumentos incorreto ou atribuição de propriedade inválida";
        default: return "Erro definido pelo aplicativo ou pelo objeto";
    }
}

void throwError(int32_t number, std::string description, int32_t helpContext) {
    throw RuntimeError(number, std::move(description), helpContext);
}

void throwError(int32_t number) { throw RuntimeError(number, standardDescription(number)); }

}  // namespace zelt

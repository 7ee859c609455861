#include "ado/errors.hpp"

#include "zelt/ado/types.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::ado {

void raise(int32_t number) {
    const char* d = "Erro do ADO.";
    switch (number) {
        case err::BofOrEof: d = "O BOF ou o EOF é True ou o registro atual foi excluído. A operação solicitada requer um registro atual."; break;
        case err::ItemNotFound: d = "O item não pode ser encontrado na coleção correspondente ao nome ou ao ordinal solicitado."; break;
        case err::BadArguments: d = "Os argumentos são do tipo errado, estão fora do intervalo aceitável ou estão em conflito."; break;
        case err::ObjectClosed: d = "A operação não é permitida quando o objeto está fechado."; break;
        case err::ObjectOpen: d = "A operação não é permitida quando o objeto está aberto."; break;
        case err::NotAllowedInContext: d = "A operação não é permitida neste contexto: já existe uma transação aberta nesta conexão."; break;
        case err::ConnectionInvalid: d = "A conexão não pode ser usada para executar esta operação. Ela está fechada ou é inválida neste contexto."; break;
        case NoTransaction: d = "Nenhuma transação está ativa."; break;
    }
    throwError(number, d);
}

const char* typeName(DataType t) {
    switch (t) {
        case adEmpty: return "adEmpty";
        case adSmallInt: return "adSmallInt";
        case adInteger: return "adInteger";
        case adDouble: return "adDouble";
        case adCurrency: return "adCurrency";
        case adDate: return "adDate";
        case adBoolean: return "adBoolean";
        case adVariant: return "adVariant";
        case adUnsignedTinyInt: return "adUnsignedTinyInt";
        case adBigInt: return "adBigInt";
        case adChapter: return "adChapter";
        case adVarWChar: return "adVarWChar";
        case adLongVarWChar: return "adLongVarWChar";
    }
    return "adVariant";
}

}  // namespace zelt::ado

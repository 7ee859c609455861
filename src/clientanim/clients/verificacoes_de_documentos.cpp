// The class's own checks of the kept CPF or CNPJ and of an address: each has its own error
// handler, so a failure leaves its location in the error state and answers "incorrect".
#include "clientanim/clients/documentos.hpp"
#include "clientanim/frame/operacao.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim {

namespace {
int16_t verificar(Operacao& op, bool (*correto)(std::string_view, int16_t&), const std::string& texto) {
    return op.executar([&] {
        int16_t ponto = 0;
        struct Acompanhar {
            Operacao& op;
            int16_t& ponto;
            ~Acompanhar() { op.ponto(ponto); }
        } acompanhar{op, ponto};
        return correto(texto, ponto) ? Concluido : Erro;
    });
}
}  // namespace

int16_t clsClientes::ValidarCPF() {
    Operacao op(*this, "ValidarCPF");
    return verificar(op, documentos::cpfCorreto, texto(clientes::Texto::CPFCNPJ));
}

int16_t clsClientes::ValidarCNPJ() {
    Operacao op(*this, "ValidarCNPJ");
    return verificar(op, documentos::cnpjCorreto, texto(clientes::Texto::CPFCNPJ));
}

int16_t clsClientes::ValidarEMail(const std::string& lstrEMail) {
    Operacao op(*this, "ValidarEMail");
    return verificar(op, documentos::emailCorreto, lstrEMail);
}

}  // namespace zelt::clientanim

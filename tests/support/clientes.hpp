#pragma once
// The component's fixture with what the client tests share: a client object with the user, and a
// valid person.
#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "support/cadastro.hpp"
#include "zelt/clientanim/clsClientes.hpp"

namespace zelt::clientanim::teste {

using namespace zelt::testing_support;

class Ambiente : public testing_support::Cadastro {
protected:
    Ref<clsClientes> novoCliente() {
        auto c = make<clsClientes>();
        c->putref_DadosDoUsuario(usuario_);
        return c;
    }

    // A person that passes every rule.
    Ref<clsClientes> pessoaValida(const std::string& cpf = "10203040570") {
        auto c = novoCliente();
        c->put_TipoDeCliente("PF");
        c->put_ApelidoOuNomeFantasia("Zeca");
        c->put_NomeOuRazaoSocial("José Carlos da Silva");
        c->put_Sexo("M");
        c->put_DataDeNascimento("3112");
        c->put_AnoDeNascimento("1980");
        c->put_CPFCNPJ(cpf);
        c->put_CEP("01310100");
        c->put_Cidade("São Paulo");
        c->put_CodigoIBGEDoMunicipio("3550308");
        c->put_UF("SP");
        c->put_Situacao(1);
        return c;
    }
};

}  // namespace zelt::clientanim::teste

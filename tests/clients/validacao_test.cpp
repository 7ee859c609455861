// ValidarDados and ValidarDadoEspecifico on the real database: every rule in its order.
#include <functional>

#include "support/clientes.hpp"

namespace zelt::clientanim::teste {
namespace {

class Validacao : public Ambiente {
protected:
    int16_t validar(clsClientes& c, int16_t operacao = 1) { return c.ValidarDados(operacao, refConexao(), nullptr); }
};

const std::string ForaDoLimite = "Digite o valor do desconto menor ou igual a 100,00%.";
const std::string Aniversario = "Selecione o dia e o mês de aniversário do cliente.";
const std::string SeteDigitos = "Digite o código IBGE do município com 7 (sete) dígitos (números).";
const std::string DigiteOIBGE = "Digite o código IBGE do município.";
const std::string Email = "O formato da conta de email não esta correto. Verifique pontuação.";
const std::string CpfIncorreto = "CPF incorreto. Por favor verifique.";
const std::string CnpjIncorreto = "CNPJ incorreto. Por favor verifique.";
const std::vector<std::string> Servicos{"Clinicos", "CirurgiaSimples", "CirurgiaMedia", "CirurgiaComplexa",
                                        "BanhosTosasEEsteticas", "Hospedagens", "Adestramentos", "Outros"};

// A user whose permitted document is code 11, which makes the document and the municipality mandatory.
void exigir11(clsClientes& c, Variant codigo = Variant("11")) {
    auto u = make<DadosDoUsuarioEmMemoria>();
    u->definir("NomeDeUsuario", Variant("maria"));
    u->definir("CodigoDoDocumentoComEmissaoPermitida", codigo);
    c.putref_DadosDoUsuario(u);
}

// Each row sets properties of a valid person; a refusal names its field and message, and writes no error.
TEST_F(Validacao, EachRuleWithItsMessageAndField) {
    using V = Variant;
    using Valores = std::vector<std::pair<std::string, Variant>>;
    struct Caso { const char* nome; Valores valores; const char* campo = ""; std::string mensagem = ""; std::function<void(clsClientes&)> extra = nullptr; };
    const auto pj = [](Valores v) {
        v.insert(v.begin(), {{"TipoDeCliente", V("PJ")}, {"CPFCNPJ", V("95000000000106")}});
        return v;
    };
    const std::string hoje = Date::today().format("ddmm"), ano = Date::today().format("yyyy"), proximo = std::to_string(Date::today().year() + 1);
    const std::vector<Caso> casos{
        {"pessoa valida", {}}, {"empresa valida", pj({})},
        {"nome fantasia", pj({{"ApelidoOuNomeFantasia", V("")}}), "ApelidoOuNomeFantasia", "Digite o nome fantasia do cliente."},
        {"razao social", pj({{"NomeOuRazaoSocial", V(" ")}}), "NomeOuRazaoSocial", "Digite a razão social do cliente."},
        {"data inexistente", {{"DataDeNascimento", V("3102")}, {"AnoDeNascimento", V("2000")}}, "DataDeNascimento",
         "A data informada: '31/02/2000' não existe."},
        {"data futura", {{"DataDeNascimento", V("0101")}, {"AnoDeNascimento", V(proximo)}}, "DataDeNascimento",
         "A data de nascimento não pode ser maior que a data de hoje."},
        {"ano de dois caracteres", {{"DataDeNascimento", V("3102")}, {"AnoDeNascimento", V("20")}}},
        {"nascido hoje", {{"DataDeNascimento", V(hoje)}, {"AnoDeNascimento", V(ano)}}},
        {"cpf incompleto", {{"CPFCNPJ", V("1020304057")}}, "CPFCNPJ", "CPF incompleto."},
        {"cpf incorreto", {{"CPFCNPJ", V("10203040571")}}, "CPFCNPJ", CpfIncorreto},
        {"cpf de doze digitos", {{"CPFCNPJ", V("102030405701")}}}, {"cpf com pontos e hifen", {{"CPFCNPJ", V("102.030.405-70")}}},
        {"cpf em branco", {{"CPFCNPJ", V("")}}},
        {"cnpj exigido", pj({{"CPFCNPJ", V(" ")}}), "CPFCNPJ", "Digite o CNPJ.", [](clsClientes& c) { exigir11(c); }},
        {"cnpj incompleto", pj({{"CPFCNPJ", V("9500000000010")}}), "CPFCNPJ", "CNPJ incompleto."},
        {"cnpj incorreto", pj({{"CPFCNPJ", V("95000000000107")}}), "CPFCNPJ", CnpjIncorreto},
        // The type is compared exactly: not a person, so no sex, birthday or CPF rules.
        {"nem pessoa nem empresa", {{"TipoDeCliente", V("pf")}, {"Sexo", V("")}, {"DataDeNascimento", V("1")}, {"CPFCNPJ", V("12")}}},
        {"ibge curto", {{"CodigoIBGEDoMunicipio", V("355030")}}, "CodigoIBGEDoMunicipio", SeteDigitos},
        {"ibge inexistente", {{"CodigoIBGEDoMunicipio", V("9999999")}}, "CodigoIBGEDoMunicipio",
         "O código IBGE '9999999' não pode ser incluído porque não existe na tabela de 'MunicipiosIBGE'.\r\n\r\n"
         "Se deseja utilizar, faça antes a inclusão deste código IBGE do município na tabela 'MunicipiosIBGE'."},
        {"ibge em branco", {{"CodigoIBGEDoMunicipio", V("")}}},
        {"11 numerico", {{"CodigoIBGEDoMunicipio", V("")}}, "CodigoIBGEDoMunicipio", DigiteOIBGE,
         [](clsClientes& c) { exigir11(c, Variant(int16_t(11))); }},
        {"e-mail nao e Email", {{"TipoDeCanalDeComunicacao1", V("E-mail")}, {"CanalDeComunicacao1", V("x")}}},
        {"email em branco", {{"TipoDeCanalDeComunicacao2", V("EMAIL")}, {"CanalDeComunicacao2", V("  ")}}},
        {"email aparado", {{"TipoDeCanalDeComunicacao4", V("Email")}, {"CanalDeComunicacao4", V(" ana@exemplo.com.br ")}}},
        {"desconto unico", {{"ClienteComDesconto", V(true)}, {"DescontoUnico", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromRaw(1000001))}},
         "PercentualUnicoDeDescontos", ForaDoLimite},
        {"desconto unico sem desconto", {{"DescontoUnico", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromRaw(1000001))}}},
        // A single discount leaves the services' unchecked, and the other way round.
        {"desconto de 100", {{"ClienteComDesconto", V(true)}, {"DescontoUnico", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromInt(100))},
                             {"PercentualDeDescontoEmOutros", V(Currency::fromInt(500))}}},
        {"desconto por servico de 100", {{"ClienteComDesconto", V(true)}, {"PercentualUnicoDeDescontos", V(Currency::fromInt(500))}}, "", "",
         [](clsClientes& c) { for (const auto& s : Servicos) putProperty(c, "PercentualDeDescontoEm" + s, Variant(Currency::fromInt(100))); }},
        {"situacao nunca atribuida", {{"Situacao", V(int16_t{0})}}}};
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        auto c = pessoaValida();
        for (const auto& [nome, valor] : caso.valores) putProperty(*c, nome, valor);
        if (caso.extra) caso.extra(*c);
        EXPECT_EQ(validar(*c), *caso.campo ? 2 : 0) << c->get_DescricaoDaFalha();
        EXPECT_EQ(c->get_NomeDoCampoValidado(), caso.campo);
        EXPECT_EQ(c->get_DescricaoDaFalha(), caso.mensagem);
        EXPECT_EQ(c->get_NumeroDoErro(), 0);
    }
}

// A record that breaks every rule: correcting one failure at a time walks the rules in their order.
TEST_F(Validacao, RulesRunInTheirOrder) {
    auto c = novoCliente();
    exigir11(*c);
    std::vector<std::pair<std::string, Variant>> valores{
        {"TipoDeCliente", Variant("PF")}, {"DataDeNascimento", Variant("31")}, {"CEP", Variant("123")}, {"EndCobCEP", Variant("4567")},
        {"TipoDeCanalDeComunicacao1", Variant("Email")}, {"TipoDeCanalDeComunicacao2", Variant("EMAIL")},
        {"TipoDeCanalDeComunicacao3", Variant("meu email")}, {"TipoDeCanalDeComunicacao4", Variant("eMaIl")},
        {"DescontoUnico", Variant(true)}, {"ClienteComDesconto", Variant(true)},
        {"PercentualUnicoDeDescontos", Variant(Currency::fromInt(101))}, {"Situacao", Variant(int16_t{-1})}};
    // Each step: the field refused, its message, and the value that corrects it (of the field itself unless named).
    struct Passo { std::string campo, mensagem; Variant correcao; std::string propriedade = ""; };
    std::vector<Passo> passos{
        {"ApelidoOuNomeFantasia", "Digite o apelido do cliente ou nome que ele é mais conhecido.", Variant("Zeca")},
        {"NomeOuRazaoSocial", "Digite o nome completo do cliente.", Variant("José")},
        {"Sexo", "Selecione o sexo do cliente.", Variant("M")}, {"DataDeNascimento", Aniversario, Variant("3112")},
        {"CPFCNPJ", "Digite o CPF.", Variant("10203040570")}, {"CEP", "CEP incompleto.", Variant("01310100")},
        {"EndCobCEP", "CEP incompleto.", Variant("")}, {"CodigoIBGEDoMunicipio", DigiteOIBGE, Variant("3550308")}};
    for (const char* n : {"1", "2", "3", "4"}) {
        valores.push_back({std::string("CanalDeComunicacao") + n, Variant("sem ponto")});
        passos.push_back({std::string("CanalDeComunicacao") + n, Email, Variant("a@exemplo.com")});
    }
    passos.push_back({"PercentualUnicoDeDescontos", ForaDoLimite, Variant(false), "DescontoUnico"});
    // Exactly 100 passes; negatives are not tested.
    for (const auto& s : Servicos) {
        valores.push_back({"PercentualDeDescontoEm" + s, Variant(Currency::fromInt(101))});
        passos.push_back({"PercentualDeDescontoEm" + s, ForaDoLimite, Variant(s == "Clinicos" ? Currency::fromInt(100) : Currency::fromRaw(-10000))});
    }
    passos.push_back({"Situacao", "Informe a situação do cliente.", Variant(int16_t{1})});
    for (const auto& [nome, valor] : valores) putProperty(*c, nome, valor);
    for (const Passo& passo : passos) {
        SCOPED_TRACE(passo.campo);
        ASSERT_EQ(validar(*c), 2);
        EXPECT_EQ(c->get_NomeDoCampoValidado(), passo.campo);
        EXPECT_EQ(c->get_DescricaoDaFalha(), passo.mensagem);
        putProperty(*c, passo.propriedade.empty() ? passo.campo : passo.propriedade, passo.correcao);
    }
    EXPECT_EQ(validar(*c), 0);
    // Passing leaves the last failure in place.
    EXPECT_EQ(c->get_NomeDoCampoValidado(), "Situacao");
    EXPECT_EQ(c->get_DescricaoDaFalha(), "Informe a situação do cliente.");
}

// A number already held by another client, for each kind of client and form of number.
TEST_F(Validacao, DuplicateMessages) {
    auto gravar = [&](std::string tipo, std::string numero) {
        return Variant(inserirCliente("Nome", {{"TipoDeCliente", "'" + tipo + "'"}, {"ApelidoOuNomeFantasia", "'Apelido'"}, {"CPFCNPJ", "'" + numero + "'"}})).toText();
    };
    const std::string comPontos = gravar("PF", "102.030.405-70");
    const std::string curto = gravar("XX", "123");

    auto p = pessoaValida("102.030.405-70");  // fourteen characters: no check digits, only the lookup
    EXPECT_EQ(validar(*p), 2);
    EXPECT_EQ(p->get_DescricaoDaFalha(),
              "Não é possível salvar o CPF '102.030.405-70', pois ele já foi informado para o cliente:\r\n\r\n"
              "Código.: " + comPontos + "\r\nApelido: Apelido\r\nNome...: Nome\r\n\r\n"
              "Informe um outro número de CPF e tente novamente.");

    // A client that is neither person nor company gets the company's message; missing digits are zeros.
    auto x = pessoaValida("123");
    x->put_TipoDeCliente("XX");
    EXPECT_EQ(validar(*x), 2);
    EXPECT_EQ(x->get_DescricaoDaFalha(),
              "Não é possível salvar o CNPJ '00.000.000/0001-23', pois ele já foi informado para a empresa:\r\n\r\n"
              "Código.......: " + curto + "\r\nNome fantasia: Apelido\r\nRazão social.: Nome\r\n\r\n"
              "Informe um outro número de CNPJ e tente novamente.");
    // In an alteration of that very client the number is its own, also when another row holds it too, as in a file
    // that held the number twice before its unique index could be made; another client's number is refused.
    x->put_Codigo(Variant(curto).toDouble());
    EXPECT_EQ(validar(*x, 2), 0);
    ASSERT_TRUE(zelt::testing_support::runDirectly(caminhoDoBanco(), "DROP INDEX \"ux_Clientes_CPFCNPJ\""));
    gravar("PF", "123");
    EXPECT_EQ(validar(*x, 2), 0);
    x->put_Codigo(Variant(comPontos).toDouble());
    EXPECT_EQ(validar(*x, 2), 2);
}

// Each call on a valid person as the row adjusts it: the result, and the error, refusal and field it leaves.
TEST_F(Validacao, ResultOfEachCall) {
    const Ref<Object> semExecute = make<DadosDoUsuarioEmMemoria>();  // a connection without Execute: error 438
    const Ref<Object> conexao = refConexao();
    struct Caso { const char* nome; std::function<int16_t(clsClientes&)> chamar; int16_t resultado; int32_t numero = 0;
                  std::string local = "", falha = "", campo = ""; };
    const std::vector<Caso> casos{
        // A letter among the first nine characters of the CPF is the check's own error, kept beside the refusal.
        {"letra no cpf", [&](clsClientes& c) { c.put_CPFCNPJ("1020a040570"); return validar(c); }, 2, 13, "ValidarCPF, Ponto: 3",
         CpfIncorreto, "CPFCNPJ"},
        {"sem usuario", [&](clsClientes& c) { c.putref_DadosDoUsuario(nullptr); return validar(c); }, 1, 91, "ValidarDados, Ponto: 5"},
        {"regra antes do usuario",
         [&](clsClientes& c) { c.putref_DadosDoUsuario(nullptr); c.put_NomeOuRazaoSocial(""); return validar(c); }, 2, 0, "",
         "Digite o nome completo do cliente.", "NomeOuRazaoSocial"},
        {"sem consultas nenhuma conexao",
         [](clsClientes& c) { c.put_CPFCNPJ(""); c.put_CodigoIBGEDoMunicipio(""); return c.ValidarDados(1, nullptr, nullptr); }, 0},
        {"exclusao e outras nada validam",
         [](clsClientes& c) { c.put_Sexo(""); c.put_Situacao(-1); return c.ValidarDados(3, nullptr, nullptr) + c.ValidarDados(7, nullptr, nullptr); }, 0},
        {"falha do banco", [&](clsClientes& c) { c.put_CPFCNPJ(""); return c.ValidarDados(1, semExecute, nullptr); }, 1, 438,
         "ValidarDados, Ponto: 8"},
        {"a consulta do documento falha antes", [&](clsClientes& c) { return c.ValidarDados(2, semExecute, nullptr); }, 1, 438,
         "ValidarDados, Ponto: 5"},
        {"falha do banco no dado especifico",
         [&](clsClientes& c) { return c.ValidarDadoEspecifico(2, semExecute, nullptr, Variant()); }, 1, 438,
         "ValidarDadoEspecifico, Ponto: 2"},
        // The specific check looks at the municipality code alone, with or without "11", and needs no user.
        {"dado especifico so o ibge",
         [&](clsClientes& c) { c.put_Sexo(""); c.put_CodigoIBGEDoMunicipio(""); return c.ValidarDadoEspecifico(2, conexao, nullptr, Variant("CPFCNPJ")); },
         2, 0, "", DigiteOIBGE, "CodigoIBGEDoMunicipio"},
        {"dado especifico curto", [&](clsClientes& c) { c.put_CodigoIBGEDoMunicipio(" 355030"); return c.ValidarDadoEspecifico(1, conexao, nullptr, Variant()); },
         2, 0, "", SeteDigitos, "CodigoIBGEDoMunicipio"},
        {"dado especifico sem usuario",
         [&](clsClientes& c) { c.putref_DadosDoUsuario(nullptr); return c.ValidarDadoEspecifico(2, conexao, nullptr, Variant("3550308")); }, 0},
        {"dado especifico na exclusao",
         [](clsClientes& c) { c.put_CodigoIBGEDoMunicipio(""); return c.ValidarDadoEspecifico(3, nullptr, nullptr, Variant()); }, 0}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        auto c = pessoaValida();
        EXPECT_EQ(k.chamar(*c), k.resultado);
        EXPECT_EQ(c->get_NumeroDoErro(), k.numero);
        EXPECT_EQ(c->get_LocalDoErro(), k.local.empty() ? "" : "ZELT_N_ClientAnim, clsClientes, " + k.local);
        EXPECT_EQ(c->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(c->get_NomeDoCampoValidado(), k.campo);
    }
}

}  // namespace
}  // namespace zelt::clientanim::teste

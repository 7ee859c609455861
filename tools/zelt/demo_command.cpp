// zelt demo: the typical request through the component — a new client with a grid of two animals,
// then the register as a tree, then one page of the client list.
#include <iostream>
#include <random>

#include <CLI/CLI.hpp>

#include "commands.hpp"
#include "demo_animais.hpp"
#include "demo_comum.hpp"
#include "registrar_bibliotecas.hpp"
#include "clientanim/frame/objetos_do_chamador.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/registry.hpp"

using namespace zelt;

namespace {

// A valid CPF: nine random digits and their two check digits.
std::string cpfAleatorio() {
    std::random_device rd;
    std::mt19937 gen(rd());
    std::uniform_int_distribution<int> d(0, 9);
    std::string c;
    for (int i = 0; i < 9; ++i) c += static_cast<char>('0' + d(gen));
    for (int n = 9; n <= 10; ++n) {
        int soma = 0;
        for (int i = 0; i < n; ++i) soma += (c[static_cast<size_t>(i)] - '0') * (n + 1 - i);
        const int r = soma % 11;
        c += static_cast<char>('0' + (r < 2 ? 0 : 11 - r));
    }
    return c;
}

// A breed of the reference data by species and breed name: "codigoDaEspecie", "codigoDaRaca".
std::pair<std::string, std::string> racaDe(ado::Connection& conexao, const std::string& especie, const std::string& raca) {
    auto rs = conexao.Execute(
        "SELECT EspeciesDeAnimais.Codigo AS E, RacasDeAnimais.Codigo AS R FROM EspeciesDeAnimais INNER JOIN "
        "RacasDeAnimais ON RacasDeAnimais.CodigoDaEspecieDeAnimal = EspeciesDeAnimais.Codigo WHERE "
        "EspeciesDeAnimais.Nome = '" + especie + "' AND RacasDeAnimais.Nome = '" + raca + "'");
    if (!rs || rs->get_EOF()) return {"1", "1"};
    return {(*rs)("E").toText(), (*rs)("R").toText()};
}

[[noreturn]] void falhar(Object& obj, const char* oQue, const Variant& resultado) {
    relatarFalha(obj, oQue, resultado);
    std::exit(1);
}

// The text followed by blanks up to `largura` characters (not bytes: the names have accents).
std::string coluna(const std::string& texto, size_t largura) {
    size_t caracteres = 0;
    for (const char c : texto) caracteres += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return texto + std::string(caracteres < largura ? largura - caracteres : 1, ' ');
}

std::string quantosClientes(int32_t n) { return std::to_string(n) + (n == 1 ? " cliente" : " clientes"); }

int demo() {
    if (!registrarBibliotecas("zelt demo")) return 1;

    auto usuario = make<clientanim::DadosDoUsuarioEmMemoria>();
    usuario->definir("NomeDeUsuario", Variant("demo"));
    usuario->definir("Administrador", Variant(true));
    usuario->definir("CodigoDoDocumentoComEmissaoPermitida", Variant("00"));

    std::pair<std::string, std::string> cao, gato;
    {
        auto dados = CreateObject("ZELT_I_ADO.clsObjetosDeDados");
        if (callByName(*dados, "AbrirConexao").toInt16() != 0) {
            std::cerr << "Não foi possível abrir o banco de dados: " << getProperty(*dados, "DescricaoDaFalha").toText()
                      << getProperty(*dados, "DescricaoDoErro").toText() << "\n";
            return 1;
        }
        auto conexao = refCast<ado::Connection>(getProperty(*dados, "ReferenciaDeConexao").toObject());
        cao = racaDe(*conexao, "Canina", "Labrador Retriever");
        gato = racaDe(*conexao, "Felina", "Siamês");
    }

    // The grid a form would fill: row 0 is the heading.
    std::vector<std::string> cabecalho(17, "");
    cabecalho[2] = "Nome";
    std::vector<std::string> rex(17, ""), mia(17, "");
    rex[2] = "Rex", rex[3] = cao.first, rex[5] = cao.second, rex[7] = "M", rex[8] = "Grande", rex[9] = "Caramelo";
    rex[10] = "15/03/2020", rex[13] = "Sim", rex[14] = "Não", rex[16] = "1";
    mia[2] = "Mia", mia[3] = gato.first, mia[5] = gato.second, mia[7] = "F", mia[8] = "Pequeno", mia[9] = "Tricolor";
    mia[10] = "", mia[13] = "Não", mia[14] = "Não", mia[16] = "1";
    auto grade = make<clientanim::GradeEmMemoria>(std::vector<std::vector<std::string>>{cabecalho, rex, mia});

    auto clientes = CreateObject("ZELT_N_ClientAnim.clsClientes");
    putRefProperty(*clientes, "DadosDoUsuario", usuario);
    const std::pair<const char*, const char*> dadosDoCliente[] = {
        {"TipoDeCliente", "PF"}, {"ApelidoOuNomeFantasia", "Mari"}, {"NomeOuRazaoSocial", "Maria da Conceição"},
        {"Sexo", "F"}, {"DataDeNascimento", "2505"}, {"AnoDeNascimento", "1988"}, {"CEP", "01310100"},
        {"TipoDeLogradouro", "Avenida"}, {"Logradouro", "Paulista"}, {"Numero", "1000"}, {"Bairro", "Bela Vista"},
        {"Cidade", "São Paulo"}, {"UF", "SP"}, {"CodigoIBGEDoMunicipio", "3550308"},
        {"TipoDeCanalDeComunicacao1", "Email"}, {"CanalDeComunicacao1", "maria@exemplo.com.br"},
        {"TipoDeCanalDeComunicacao2", "Celular"}, {"CanalDeComunicacao2", "(11) 98765-4321"},
    };
    for (const auto& [nome, valor] : dadosDoCliente) putProperty(*clientes, nome, Variant(valor));
    putProperty(*clientes, "CPFCNPJ", Variant(cpfAleatorio()));
    putProperty(*clientes, "Situacao", Variant(int16_t{1}));
    putRefProperty(*clientes, "GradeDeAnimais", grade);
    putProperty(*clientes, "AdicionarClienteEAnimalNaMesmaOperacao", Variant(true));

    Variant resultado = callByName(*clientes, "Adicionar");
    for (int tentativa = 0; resultado.toInt16() == 2 && tentativa < 5; ++tentativa) {  // a CPF already taken
        putProperty(*clientes, "CPFCNPJ", Variant(cpfAleatorio()));
        resultado = callByName(*clientes, "Adicionar");
    }
    if (resultado.toInt16() != 0) falhar(*clientes, "clsClientes.Adicionar", resultado);
    std::cout << "Cliente incluído (clsClientes.Adicionar): código " << getProperty(*clientes, "CodigoGerado").toText()
              << ", em " << getProperty(*clientes, "DataHoraDaAtualizacao").toText() << ", com 2 animais.\n\n";
    if (!demonstrarAnimais(usuario, getProperty(*clientes, "CodigoGerado").toDouble(), cao)) return 1;

    auto listagem = CreateObject("ZELT_N_ClientAnim.clsClientAnim");
    putRefProperty(*listagem, "DadosDoUsuario", usuario);
    resultado = callByName(*listagem, "Selecionar", {Variant(int16_t{2}), Variant(int16_t{0}), Variant(int16_t{0}), Variant(), Variant()});
    if (resultado.toInt16() != 0) falhar(*listagem, "clsClientAnim.Selecionar", resultado);
    auto arvore = refCast<ado::Recordset>(getProperty(*listagem, "ResultadoDaSelecaoEmRecordset").toObject());
    std::cout << "Clientes e seus animais (clsClientAnim.Selecionar): " << quantosClientes(arvore->get_RecordCount()) << "\n";
    for (arvore->MoveFirst(); !arvore->get_EOF(); arvore->MoveNext()) {
        std::cout << "  " << coluna(campo(*arvore, "CodigoDoCliente"), 4)
                  << coluna(campo(*arvore, "NomeOuRazaoSocialDoCliente") + " (" +
                                campo(*arvore, "ApelidoOuNomeFantasiaDoCliente") + ")", 36)
                  << campo(*arvore, "NomeDaSituacaoDoCliente") << "\n";
        auto animais = refCast<ado::Recordset>((*arvore)("Animais").toObject());
        if (!animais || animais->get_RecordCount() == 0) {
            std::cout << "        (nenhum animal)\n";
            continue;
        }
        for (animais->MoveFirst(); !animais->get_EOF(); animais->MoveNext())
            std::cout << "        " << coluna(campo(*animais, "NomeDoAnimal"), 10)
                      << coluna(campo(*animais, "NomeDaEspecieDoAnimal") + ", " + campo(*animais, "NomeDaRacaDoAnimal"), 30)
                      << campo(*animais, "NomeDaSituacaoDoAnimal") << "\n";
    }

    auto lista = CreateObject("ZELT_N_ClientAnim.clsClientes");
    putRefProperty(*lista, "DadosDoUsuario", usuario);
    resultado = callByName(*lista, "Selecionar", {Variant(int16_t{1}), Variant(int16_t{5}), Variant(int16_t{0}), Variant()});
    if (resultado.toInt16() != 0) falhar(*lista, "clsClientes.Selecionar", resultado);
    std::vector<Variant> args{Variant(int16_t{5}), Variant()};
    resultado = callByNameRef(*lista, "PaginarResultadoDaSelecaoEmRecordset", args);
    if (resultado.toInt16() != 0) falhar(*lista, "clsClientes.PaginarResultadoDaSelecaoEmRecordset", resultado);
    auto pagina = refCast<ado::Recordset>(args[1].toObject());
    auto todos = refCast<ado::Recordset>(getProperty(*lista, "ResultadoDaSelecaoEmRecordset").toObject());
    std::cout << "\nLista de clientes (clsClientes.Selecionar, 5 por página): página 1 de " << todos->get_PageCount()
              << ", " << quantosClientes(todos->get_RecordCount()) << "\n";
    for (pagina->MoveFirst(); !pagina->get_EOF(); pagina->MoveNext())
        std::cout << "  " << coluna(campo(*pagina, "CodigoDoCliente"), 4)
                  << coluna(campo(*pagina, "NomeOuRazaoSocial"), 24) << coluna("CPF " + campo(*pagina, "CPFCNPJ"), 20)
                  << campo(*pagina, "NomeDaSituacao") << "\n      " << campo(*pagina, "EnderecoCompletoComCEP")
                  << "\n      " << campo(*pagina, "TiposECanaisDeComunicacao") << "\n";
    return 0;
}

}  // namespace

void addDemoCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("demo", "Add a client with two animals through the component and list the register");
    static std::string banco;
    cmd->add_option("--db", banco, "database file (default: $ZELT_DATABASE or the user's data directory)");
    cmd->callback([] {
        if (!banco.empty()) setenv("ZELT_DATABASE", banco.c_str(), 1);
        std::exit(demo());
    });
}

#pragma once
// clsAnimais: the animal register (validation, insertion, alteration, deletion and the animal lists).
#include <string>

#include "clientanim/animals/registro_do_animal.hpp"
#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/objeto_de_negocio.hpp"
#include "zelt/automation/date.hpp"

namespace zelt::clientanim {

class clsAnimais : public ObjetoDeNegocio {
public:
    clsAnimais();  // creates the text-treatment object; its failure fails the creation

    // 0 done (or only validated), 1 error, 2 a field refused, 3 refused (connection or references).
    int16_t Adicionar();
    int16_t Alterar();
    int16_t Excluir();

    // The animal search. Status 0 to 2 and living/dead 1 to 3 are accepted; any other value is
    // refused (result 1) before the statement is sent.
    int16_t Selecionar(int16_t lenuTipoDeLista, int16_t lintTamanhoDaPagina, int16_t lintSituacaoParaFiltro,
                       const Variant& lvarCodigoOuNomeParaFiltro, int16_t lintAnimalVivoOuMorto = 0,
                       double ldouCodigoDoCliente = 0, const std::string& lstrDataInicial = {},
                       const std::string& lstrDataFinal = {},
                       int16_t lintListaCompletaDeAnimaisAniversariantesOuPorDataDeInclusao = 0);
    int16_t SelecionarParaComboBoxFiltradoPorCliente(double ldouCodigoDoRegistroQueSeraExibidoEmUmaAlteracao = 0,
                                                     int16_t lintAnimalVivoOuMorto = 0);
    // The rows go to ResultadoDaSelecaoEmRecordset. The order text goes into ORDER BY unchanged and
    // is followed by ASC ("Clientes.NomeOuRazaoSocial", "Animais.Nome DESC, Year(Animais.DataDeNascimento)").
    int16_t SelecionarParaImpressaoEExportacao(int16_t lintTipoDeRetorno, uint8_t lbytOpcaoSelecionada = 0,
                                               const std::string& lstrOrdemDoCampoParaSelecao = {},
                                               const std::string& lstrDataInicial = {},
                                               const std::string& lstrDataFinal = {});
    int16_t PaginarResultadoDaSelecaoEmRecordset(int16_t lintNumeroDeItensPorPagina, Variant& lobjPaginaDoRecordset);
    // lobjConexao: an open ado::Connection, needed for a deletion (3) only.
    int16_t ValidarDados(int16_t lintOperacao, Ref<Object> lobjConexao, Ref<Object> lrstRecordsetParaValidacoes);
    // The names of the client's living, active animals in one line: "Mia, Rex e Tom".
    int16_t SelecionarAnimaisEmUmUnicoRegistro(double ldouCodigoDoCliente, std::string& lstrListaDeAnimaisEmUmaLinha);

    std::string get_NomeDoCampoValidado() const { return nomeDoCampoValidado_; }
    void put_Situacao(int16_t v) { registro_.situacao = v; }
    int16_t get_Situacao() const { return registro_.situacao; }
    void put_AdicionarClienteEAnimalNaMesmaOperacao(bool v) { somenteValidar_ = v; }
    void put_CodigoDoCliente(double v) { registro_.codigoDoCliente = v; }
    // No operation assigns it: it reads 0, as in clsClientes.
    double get_NumeroTotalDeRegistros() const { return numeroTotalDeRegistros_; }

    void put_Codigo(double v) { registro_.codigo = v; }
    void put_Nome(std::string v) { registro_.nome = tratar(v); }
    void put_Sexo(std::string v) { registro_.sexo = tratar(v); }
    void put_DataDeNascimento(std::string v) { registro_.dataDeNascimento = tratar(v); }
    void put_CodigoDaEspecie(double v) { registro_.codigoDaEspecie = v; }
    void put_CodigoDaRaca(double v) { registro_.codigoDaRaca = v; }
    void put_Porte(std::string v) { registro_.porte = tratar(v); }
    void put_Cor(std::string v) { registro_.cor = tratar(v); }
    void put_RGA(std::string v) { registro_.rga = tratar(v); }
    void put_Microchip(std::string v) { registro_.microchip = tratar(v); }
    void put_Pedigree(bool v) { registro_.pedigree = v; }
    void put_AnimalMorto(bool v) { registro_.animalMorto = v; }
    void put_Observacao(std::string v) { registro_.observacao = tratar(v); }

    // The server time of the last insertion or alteration, as regional text.
    std::string get_DataHoraDaAtualizacao() const { return dataHoraDaAtualizacao_.toRegionalText(); }
    double get_CodigoGerado() const { return codigoGerado_; }

    const RegistroDoAnimal& registro() const { return registro_; }
    // The member table of the class's dispatch interface, also for its type library.
    static const DispatchTable& tabela();
    const DispatchTable& table() const override { return tabela(); }

private:
    RegistroDoAnimal registro_;
    bool somenteValidar_ = false;
    double codigoGerado_ = 0;
    double numeroTotalDeRegistros_ = 0;
    Date dataHoraDaAtualizacao_;
};

inline constexpr const char* MensagemNenhumAnimal = "Nenhum animal encontrado com as especificações informadas.";

Ref<Object> criarClsAnimais();

}  // namespace zelt::clientanim

// clsAnimais as a late-bound caller sees it, its rules, and Adicionar, Alterar and Excluir on the real database.
#include <functional>

#include "ambiente.hpp"

namespace teste {
namespace {

using Escrita = Ambiente;

TEST_F(Escrita, SlotOrderAndCallsByName) {
    auto a = CreateObject("ZELT_N_ClientAnim.clsAnimais");
    const auto& t = refCast<clsAnimais>(a)->table();
    EXPECT_EQ(t.interfaceName(), "_clsAnimais");
    std::string nomes;
    for (const auto& m : t.slots())
        if (!nomes.ends_with(" " + m.name)) nomes += " " + m.name;
    EXPECT_EQ(nomes,
              " Adicionar Alterar Excluir Selecionar SelecionarParaComboBoxFiltradoPorCliente "
              "SelecionarParaImpressaoEExportacao PaginarResultadoDaSelecaoEmRecordset ValidarDados NomeDoCampoValidado "
              "Situacao AdicionarClienteEAnimalNaMesmaOperacao CodigoDoCliente ResultadoDaSelecaoEmRecordset "
              "NumeroTotalDeRegistros Codigo Nome Sexo DataDeNascimento CodigoDaEspecie CodigoDaRaca Porte Cor RGA "
              "Microchip Pedigree AnimalMorto Observacao DataHoraDaAtualizacao DadosDoUsuario CodigoGerado NumeroDoErro "
              "DescricaoDoErro LocalDoErro DescricaoDaFalha SelecionarAnimaisEmUmUnicoRegistro");
    EXPECT_EQ(t.slots()[9].kind, InvokeKind::PropertyPut);
    EXPECT_EQ(t.slots()[10].kind, InvokeKind::PropertyGet);

    const double dono = inserirCliente("Ana");
    putRefProperty(*a, "DadosDoUsuario", usuario_);
    for (const auto& [nome, valor] : std::vector<std::pair<const char*, Variant>>{
             {"CodigoDoCliente", Variant(dono)}, {"Nome", Variant("Rex")}, {"Sexo", Variant("M")},
             {"CodigoDaEspecie", Variant(especie_)}, {"CodigoDaRaca", Variant(raca_)}, {"Situacao", Variant(int16_t{1})}})
        putProperty(*a, nome, valor);
    ASSERT_EQ(callByName(*a, "Adicionar").toInt16(), 0) << getProperty(*a, "DescricaoDoErro").toText();
    EXPECT_GT(getProperty(*a, "CodigoGerado").toDouble(), 0);
    EXPECT_EQ(callByName(*a, "Selecionar", {Variant(int16_t{2}), Variant(int16_t{0}), Variant(int16_t{0}),
                                            Variant("Rex"), Variant(int16_t{3})}).toInt16(), 0);
    std::vector<Variant> args{Variant(dono), Variant("")};
    EXPECT_EQ(callByNameRef(*a, "SelecionarAnimaisEmUmUnicoRegistro", args).toInt16(), 0);
    EXPECT_EQ(args[1].toText(), "Rex");
    std::vector<Variant> pagina{Variant(int16_t{5}), Variant(Ref<Object>())};
    EXPECT_EQ(callByNameRef(*a, "PaginarResultadoDaSelecaoEmRecordset", pagina).toInt16(), 0);
    EXPECT_TRUE(refCast<ado::Recordset>(pagina[1].toObject()));
}

// Insertion and alteration alike; other operations check nothing and keep the last refusal.
TEST_F(Escrita, EachRuleInItsOrder) {
    const std::string Invalida = "Data de nascimento inválida.";
    const std::string amanha = Date(Date::today().serial() + 1).format("dd/mm/yyyy");
    struct Caso { const char* nome; std::function<void(clsAnimais&)> ajuste; const char* campo = ""; std::string mensagem = ""; };
    const std::vector<Caso> casos{
        {"valido", [](clsAnimais&) {}},
        {"nome antes de tudo", [](clsAnimais& a) { a.put_Nome("   "); a.put_CodigoDaEspecie(-1); a.put_Sexo(""); }, "Nome", "Digite o nome do animal."},
        {"especie antes da raca", [](clsAnimais& a) { a.put_CodigoDaEspecie(-1); a.put_CodigoDaRaca(-1); }, "CodigoDaEspecie", "Informe a espécie do animal."},
        {"raca", [](clsAnimais& a) { a.put_CodigoDaRaca(-1); }, "CodigoDaRaca", "Informe a raça do animal."},
        {"nunca escolhidas nao sao -1", [](clsAnimais& a) { a.put_CodigoDaEspecie(0); a.put_CodigoDaRaca(0); }},
        {"nascimento amanha", [&](clsAnimais& a) { a.put_DataDeNascimento(amanha); }, "DataDeNascimento", Invalida},
        {"dia inexistente", [](clsAnimais& a) { a.put_DataDeNascimento("31/02/2024"); }, "DataDeNascimento", Invalida},
        {"nao e data", [](clsAnimais& a) { a.put_DataDeNascimento("ontem"); }, "DataDeNascimento", Invalida},
        {"nascido hoje", [](clsAnimais& a) { a.put_DataDeNascimento(Date::today().format("dd/mm/yyyy")); }},
        {"29 de fevereiro", [](clsAnimais& a) { a.put_DataDeNascimento("29/02/2024"); }},
        {"nascimento em branco e Null", [](clsAnimais& a) { a.put_DataDeNascimento("  "); }},
        {"sexo antes da situacao", [](clsAnimais& a) { a.put_Sexo(" "); a.put_Situacao(-1); }, "Sexo", "Selecione o sexo do animal."},
        {"situacao", [](clsAnimais& a) { a.put_Situacao(-1); }, "Situacao", "Informe a situação do animal."}};
    for (const Caso& k : casos)
        for (int16_t operacao : {1, 2, 0, 4}) {
            SCOPED_TRACE(std::string(k.nome) + " " + std::to_string(operacao));
            auto a = animal(0, "Rex");
            k.ajuste(*a);
            const bool recusa = *k.campo && (operacao == 1 || operacao == 2);
            EXPECT_EQ(a->ValidarDados(operacao, nullptr, nullptr), recusa ? 2 : 0);
            EXPECT_EQ(a->ValidarDados(0, nullptr, nullptr), 0);
            EXPECT_EQ(a->get_NomeDoCampoValidado(), recusa ? k.campo : "");
            EXPECT_EQ(a->get_DescricaoDaFalha(), recusa ? k.mensagem : "");
        }
}

TEST_F(Escrita, InsertionAndAlterationStatements) {
    const double dono = inserirCliente("Ana");
    auto a = animal(dono, "Rex");
    for (const auto& [nome, valor] : std::vector<std::pair<const char*, Variant>>{
             {"Porte", Variant("Médio")}, {"DataDeNascimento", Variant("15/03/2020")}, {"Cor", Variant("Caramelo")},
             {"RGA", Variant("123")}, {"Microchip", Variant("98765")}, {"Pedigree", Variant(true)}, {"Observacao", Variant("Dócil")}})
        putProperty(*a, nome, valor);
    gravarOsTextos();
    ASSERT_EQ(a->Adicionar(), 0) << a->get_DescricaoDoErro();
    const double primeiro = a->get_CodigoGerado();
    const std::string inclusao = a->get_DataHoraDaAtualizacao();
    ASSERT_EQ(a->Adicionar(), 0);
    EXPECT_EQ(a->get_CodigoGerado(), primeiro + 1);
    EXPECT_EQ(contar("Animais WHERE UsuarioDaInclusao = 'maria' AND Codigo = " + Variant(primeiro).toText()), 1);
    a->put_Codigo(primeiro);
    a->put_DataDeNascimento("");
    a->put_Situacao(2);
    ASSERT_EQ(a->Alterar(), 0) << a->get_DescricaoDoErro();
    EXPECT_EQ(contar("Animais WHERE Situacao = 2 AND DataDeNascimento Is Null"), 1);
    const std::string d = Variant(dono).toText(), e = Variant(especie_).toText(), r = Variant(raca_).toText();
    const std::vector<std::string> esperados{
        " SELECT NOW AS DataHoraDoServidor ",
        "INSERT INTO Animais (CodigoDoCliente,Nome,Sexo,CodigoDaEspecie,CodigoDaRaca,Porte,DataDeNascimento,Cor,RGA,Microchip,"
        "Pedigree,AnimalMorto,Observacao,Situacao,DataEHoraDaInclusao,UsuarioDaInclusao) VALUES(" + d + ",'Rex','M'," + e + "," +
            r + ",'Médio','15/03/2020','Caramelo','123','98765',True,False,'Dócil',1, '" + inclusao + "','maria');",
        "SELECT @@Identity",
        "UPDATE Animais SET Nome='Rex',Sexo='M',CodigoDoCliente=" + d + ",CodigoDaEspecie=" + e + ",CodigoDaRaca=" + r +
            ",Porte='Médio',Cor='Caramelo',DataDeNascimento=Null,RGA='123',Microchip='98765',Pedigree=True,AnimalMorto=False,"
            "Observacao='Dócil',Situacao=2, DataEHoraDaAlteracao='" + a->get_DataHoraDaAtualizacao() +
            "', UsuarioDaAlteracao='maria' WHERE Codigo=" + Variant(primeiro).toText() + ";"};
    for (size_t i : {0, 1, 2}) EXPECT_EQ(gravacao().textos.at(i), esperados[i]);
    EXPECT_EQ(gravacao().textos.back(), esperados[3]);
}

// The flag only validates; a refused connection comes before validation; each failure names its point.
TEST_F(Escrita, FlagAndFailures) {
    const double dono = inserirCliente("Ana");
    struct Caso { const char* operacao; std::function<void(clsAnimais&)> ajuste; int16_t resultado; int32_t numero = 0; std::string local = "", falha = ""; };
    const std::vector<Caso> casos{
        {"Adicionar", [](clsAnimais& a) { a.put_AdicionarClienteEAnimalNaMesmaOperacao(true); }, 0},
        {"Alterar", [](clsAnimais& a) { a.put_AdicionarClienteEAnimalNaMesmaOperacao(true); }, 0},
        {"Adicionar", [](clsAnimais& a) { a.put_AdicionarClienteEAnimalNaMesmaOperacao(true); a.put_Nome(""); }, 2, 0, "",
         "Digite o nome do animal."},
        {"Alterar", [](clsAnimais& a) { a.put_Nome(""); }, 2, 0, "", "Digite o nome do animal."},
        {"Adicionar", [](clsAnimais& a) { a.putref_DadosDoUsuario(nullptr); }, 1, err::ObjectVariableNotSet, "clsAnimais, Adicionar, Ponto: 6"},
        {"Alterar", [](clsAnimais& a) { a.putref_DadosDoUsuario(nullptr); }, 1, err::ObjectVariableNotSet, "clsAnimais, Alterar, Ponto: 6"},
        {"Alterar", [](clsAnimais&) { gravacao().falharNoInicio("UPDATE", RuntimeError(-2147217900, "Erro de sintaxe.")); }, 1,
         -2147217900, "clsAnimais, Alterar, Ponto: 7"},
        {"Adicionar", [](clsAnimais& a) { gravacao().resultadoDaAbertura = 3; a.put_Nome(""); }, 3, 0, "",
         "O servidor de banco de dados não responde."},
        {"Alterar", [](clsAnimais&) { gravacao().resultadoDaAbertura = 1; }, 1, -2147467259, "ZELT_I_ADO, clsObjetosDeDados, AbrirConexao, Ponto: 2"}};
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.operacao) + " " + k.local + k.falha);
        gravarOsTextos();
        auto a = animal(dono, "Rex");
        k.ajuste(*a);
        EXPECT_EQ(callByName(*a, k.operacao).toInt16(), k.resultado);
        EXPECT_EQ(a->get_NumeroDoErro(), k.numero);
        EXPECT_EQ(a->get_LocalDoErro(), k.local.starts_with("cls") ? "ZELT_N_ClientAnim, " + k.local : k.local);
        EXPECT_EQ(a->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(a->get_CodigoGerado(), 0);
        if (k.resultado != 1) { EXPECT_TRUE(gravacao().textos.empty()); }
    }
    EXPECT_EQ(contar("Animais"), 0);
}

const std::string MensagemDoBanco =
    "O animal não pode ser excluído porque existe:\r\n\r\nregistros relacionados a ele\r\n\r\n"
    "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.";

// Eleven counts, then the deletion; a referring row, the engine's refusal or a failure leaves the animal.
TEST_F(Escrita, Exclusion) {
    const double codigo = inserirAnimal(inserirCliente("Ana"), "Rex");
    const std::string cod = Variant(codigo).toText();
    auto a = animal(0, "Rex");
    a->put_Codigo(codigo);
    const auto restantes = [&] { return contar("Animais WHERE Codigo = " + cod); };

    for (const char* tabela : {"Exames", "Vacinacoes"}) sql(std::string("INSERT INTO ") + tabela + " (CodigoDoAnimal) VALUES (" + cod + ")");
    gravarOsTextos();
    EXPECT_EQ(a->Excluir(), 3);
    const std::string anterior = a->get_DescricaoDaFalha();
    EXPECT_EQ(anterior, "O animal 'Rex' não pode ser excluído porque esta sendo utilizada na tabela de 'Exames'.\r\n\r\n"
                        "Se não deseja mais utilizar, altere a 'Situação' do animal para 'Inativo'.");
    EXPECT_EQ(gravacao().textos.size(), 3u) << "the counts stop at the first table with rows";
    for (const char* tabela : {"Exames", "Vacinacoes"}) sql(std::string("DELETE * FROM ") + tabela);

    struct Caso { const char* trecho; int32_t numero, contexto; int16_t resultado; std::string falha, local; };
    for (const Caso& k : std::vector<Caso>{
             // The provider's general failure with another help context keeps the previous message.
             {"DELETE", -2147467259, 5003218, 3, anterior, ""}, {"DELETE", -2147467259, 5003000, 3, MensagemDoBanco, ""},
             {"DELETE", -2147217865, 0, 1, MensagemDoBanco, "ZELT_N_ClientAnim, clsAnimais, Excluir, Ponto: 5"},
             {"FROM Medicacoes", -2147217865, 0, 1, MensagemDoBanco, "ZELT_N_ClientAnim, clsAnimais, ValidarDados, Ponto: 8"}}) {
        SCOPED_TRACE(k.local);
        gravarOsTextos();
        gravacao().falharNoTrecho(k.trecho, RuntimeError(k.numero, "Falha.", k.contexto));
        EXPECT_EQ(a->Excluir(), k.resultado);
        EXPECT_EQ(a->get_DescricaoDaFalha(), k.falha);
        EXPECT_EQ(a->get_NumeroDoErro(), k.resultado == 1 ? k.numero : 0);
        EXPECT_EQ(a->get_LocalDoErro(), k.local);
        EXPECT_EQ(restantes(), 1);
    }

    gravacao().antesDeExecutar = nullptr;
    // A table outside the eleven that the counts do not know, with the engine's foreign key.
    auto b = animal(0, "Rex");
    b->put_Codigo(codigo);
    ASSERT_TRUE(testing_support::runDirectly(caminhoDoBanco(),
        "CREATE TABLE \"Internacoes\" (\"Codigo\" INTEGER PRIMARY KEY, \"CodigoDoAnimal\" INTEGER REFERENCES "
        "\"Animais\" (\"Codigo\")); INSERT INTO \"Internacoes\" VALUES (1, " + cod + ");"));
    EXPECT_EQ(b->Excluir(), 3) << b->get_NumeroDoErro() << " " << b->get_DescricaoDoErro();
    EXPECT_EQ(b->get_DescricaoDaFalha(), MensagemDoBanco);
    EXPECT_EQ(b->get_NumeroDoErro(), 0) << "the error fields are not written on this path";
    EXPECT_EQ(restantes(), 1);
    ASSERT_TRUE(testing_support::runDirectly(caminhoDoBanco(), "DELETE FROM \"Internacoes\""));

    gravarOsTextos();
    EXPECT_EQ(a->Excluir(), 0) << a->get_DescricaoDoErro();
    std::vector<std::string> esperados;
    for (const char* tabela : {"Agendamentos", "ContratosPSA", "Exames", "FichasClinicas", "ItensDeVendas", "ItensDoOrcamento",
                               "Medicacoes", "Orcamentos", "Receitas", "ServicosEfetuados", "Vacinacoes"})
        esperados.push_back(std::string(" SELECT COUNT(*) AS NumeroDeRegistros FROM ") + tabela + " WHERE CodigoDoAnimal = " + cod);
    esperados.push_back("DELETE * FROM Animais WHERE Codigo=" + cod + ";");
    EXPECT_EQ(gravacao().textos, esperados);
    EXPECT_EQ(restantes(), 0);
    // An unknown or unset code deletes nothing and is no failure.
    EXPECT_EQ(a->Excluir(), 0);
    EXPECT_EQ(animal(0, "Tom")->Excluir(), 0);
}

}  // namespace
}  // namespace teste

#pragma once
// The client fixture (fresh database and registry) with what the selection tests add: rows
// inserted with Jet SQL, the columns of the last selection, a stand-in management component with
// a classification chosen by the test, and a data-access object whose engine fails on a chosen text.
#include <initializer_list>
#include <map>
#include <utility>

#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/valores_sql.hpp"
#include "clients/ambiente.hpp"

namespace zelt::clientanim::teste {

// ZELT_N_Gerencial.clsGerencial as the test sets it up: what it answers and what it was asked.
struct Gerencial {
    int16_t resultado = 0;
    std::vector<std::pair<Variant, Variant>> classificacao;  // Classificacao, CodigoDoCliente
    int criados = 0;
    std::vector<std::string> periodo;  // the two texts of the last request
};
inline Gerencial& gerencial() {
    static Gerencial g;
    return g;
}

class GerencialDeTeste : public Dispatchable {
public:
    GerencialDeTeste() { ++gerencial().criados; }
    const DispatchTable& table() const override {
        static const DispatchTable t(
            "_clsGerencial",
            {Member{"SelecionarCurvaABCporLucratividadeDeClientes", InvokeKind::Method,
                    {{"lstrDataFinal", VarType::String, false, true}, {"lstrDataInicial", VarType::String, false, true}},
                    VarType::I2,
                    [](Object&, std::span<Variant> a) {
                        gerencial().periodo = {a[0].toText(), a[1].toText()};
                        return Variant(gerencial().resultado);
                    }},
             Member{"ResultadoDaSelecaoEmRecordset", InvokeKind::PropertyGet, {}, VarType::Object,
                    [](Object&, std::span<Variant>) {
                        std::vector<std::vector<Variant>> linhas;
                        for (const auto& [classe, codigo] : gerencial().classificacao) linhas.push_back({classe, codigo});
                        return Variant(ado::Recordset::fromRows(
                            {{"Classificacao", ado::adVarWChar, 1}, {"CodigoDoCliente", ado::adVariant, 0}},
                            std::move(linhas)));
                    }}});
        return t;
    }
};

// The text on which the engine of the failing data-access object raises its error.
struct FalhaNoMotor {
    std::string trecho;
    RuntimeError erro{0, ""};
};
inline FalhaNoMotor& falhaNoMotor() {
    static FalhaNoMotor f;
    return f;
}

class MotorComFalha : public MotorGravador {
public:
    using MotorGravador::MotorGravador;
    Ref<ado::Recordset> execute(std::string_view text, int64_t& rows) override {
        if (!falhaNoMotor().trecho.empty() && text.find(falhaNoMotor().trecho) != std::string_view::npos)
            throw falhaNoMotor().erro;
        return MotorGravador::execute(text, rows);
    }
};

class DadosDeAcessoComFalha : public Dispatchable {
public:
    const DispatchTable& table() const override {
        auto ler = [](std::string nome, std::function<Variant(DadosDeAcessoComFalha&)> f) {
            return Member{std::move(nome), InvokeKind::PropertyGet, {}, VarType::Variant,
                          [f](Object& o, std::span<Variant>) { return f(static_cast<DadosDeAcessoComFalha&>(o)); }};
        };
        static const DispatchTable t(
            "_clsObjetosDeDados",
            {ler("AbrirConexao",
                 [](DadosDeAcessoComFalha& d) {
                     d.conexao_ = make<ado::Connection>(
                         std::make_unique<MotorComFalha>(jet::openDatabase(std::getenv("ZELT_DATABASE"))));
                     return Variant(int16_t(0));
                 }),
             ler("ReferenciaDeConexao", [](DadosDeAcessoComFalha& d) { return Variant(d.conexao_); }),
             ler("ReferenciaDeRecordset", [](DadosDeAcessoComFalha&) { return Variant(make<ado::Recordset>()); }),
             ler("FecharConexao", [](DadosDeAcessoComFalha& d) { d.conexao_.reset(); return Variant(int16_t(0)); })});
        return t;
    }

private:
    Ref<ado::Connection> conexao_;
};

class AmbienteDeSelecao : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        gerencial() = Gerencial{};
        falhaNoMotor() = FalhaNoMotor{};
    }

    // A person with the given name in both name columns, active, included on 01/03/2024; `colunas`
    // adds or replaces columns with Jet literals ("'0525'", "2", "'10/01/2024 08:00:00'"). Its code.
    double inserirCliente(const std::string& nome, std::initializer_list<std::pair<std::string, std::string>> colunas = {}) {
        std::map<std::string, std::string> valores{{"TipoDeCliente", "'PF'"},
                                                   {"ApelidoOuNomeFantasia", "'" + nome + "'"},
                                                   {"NomeOuRazaoSocial", "'" + nome + "'"},
                                                   {"Sexo", "'M'"},
                                                   {"Situacao", "1"},
                                                   {"DataEHoraDaInclusao", "'01/03/2024 10:00:00'"}};
        for (const auto& [coluna, valor] : colunas) valores[coluna] = valor;
        std::string nomes, literais;
        for (const auto& [coluna, valor] : valores) {
            nomes += (nomes.empty() ? "" : ", ") + coluna;
            literais += (literais.empty() ? "" : ", ") + valor;
        }
        conexaoDireta().Execute("INSERT INTO Clientes (" + nomes + ") VALUES (" + literais + ")");
        return valor("SELECT MAX(Codigo) FROM Clientes").toDouble();
    }

    double inserirAnimal(double codigoDoCliente, const std::string& nome, const std::string& microchip = "") {
        conexaoDireta().Execute(
            "INSERT INTO Animais (Nome, CodigoDoCliente, CodigoDaEspecie, CodigoDaRaca, Microchip, Situacao) VALUES ('" +
            nome + "', " + sql::numero(codigoDoCliente) + ", 1, 1, '" + microchip + "', 1)");
        return valor("SELECT MAX(Codigo) FROM Animais").toDouble();
    }

    // The column of the last selection, row by row in the recordset's order.
    static std::vector<std::string> coluna(clsClientes& c, const std::string& nome) {
        std::vector<std::string> valores;
        auto rs = c.get_ResultadoDaSelecaoEmRecordset();
        if (!rs) return valores;
        const int campo = rs->fieldIndex(nome);
        for (int i = 0; i < rs->get_RecordCount(); ++i) valores.push_back(rs->valueAt(i, campo).toText());
        return valores;
    }

    void usarGerencialDeTeste() {
        ClassInfo info{"ZELT_N_Gerencial.clsGerencial", "{3B7E1C42-55A0-4D8E-9F21-7A6C0B9D1E02}", "ZELT_TEST_Gerencial",
                       "Apartment", [] { return Ref<Object>(make<GerencialDeTeste>()); }};
        registry::offerClass(info);
        registry::registerProgId(info);
    }

    void falharNoTexto(std::string trecho, RuntimeError erro) {
        falhaNoMotor() = FalhaNoMotor{std::move(trecho), std::move(erro)};
        ClassInfo info{"ZELT_I_ADO.clsObjetosDeDados", "{0E5A9C31-2B7D-4F60-8A13-5C4D3E2F1A06}", "ZELT_TEST_Falha",
                       "Apartment", [] { return Ref<Object>(make<DadosDeAcessoComFalha>()); }};
        registry::offerClass(info);
        registry::registerProgId(info);
    }
};

}  // namespace zelt::clientanim::teste

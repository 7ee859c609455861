// Hostile values through every text property, every text or variant argument of every operation,
// and every grid cell: after each call the result is a known code, the schema is the same, no row
// the call had no business changing has changed, and the database passes its integrity check.
#include <libpq-fe.h>
#include <sqlite3.h>

#include <functional>

#include "clients/ambiente.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"
#include "zelt/jet/catalogue.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::clientanim::teste {
namespace {

const std::vector<std::string>& valoresHostis() {
    static const std::vector<std::string> v = {
        "'", "\"", "''", "O'Brien", "'; DROP TABLE Clientes; --", "Robert'); DELETE * FROM Animais; --",
        "x' OR '1'='1", "%", "_", "%_%", "--", ";", "#", "#01/01/2000#", "[", "]", "[Clientes.Codigo]",
        std::string("nul\0byte", 8), "\x01\x02\x1b[31m", "\xff\xfe\xfd", "\xc3", "15", "0", "-1",
        "10203040570", "31/02/2024", "99/99/9999", "1 OR 1=1", std::string(100 * 1024, 'A') + "'",
    };
    return v;
}

// What the database holds: its schema, and each table's rows.
struct Retrato {
    std::string esquema;
    std::map<std::string, std::string> tabelas;
};

// A SQLite file read directly, or a database on the test server.
class Banco {
public:
    explicit Banco(const std::string& caminho) : caminho_(caminho) {
        if (testing_support::onTestServer()) {
            pg_ = PQconnectdb(caminho.c_str());
            return;
        }
        sqlite3_open_v2(caminho.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
        // The check walks the text indexes in the engine's own order.
        sqlite3_create_collation(db_, "PTBR", SQLITE_UTF8, nullptr, [](void*, int na, const void* a, int nb, const void* b) {
            return regional::compareText(std::string_view(static_cast<const char*>(a), static_cast<size_t>(na)),
                                         std::string_view(static_cast<const char*>(b), static_cast<size_t>(nb)));
        });
    }
    ~Banco() {
        sqlite3_close(db_);
        PQfinish(pg_);
    }
    std::string consulta(const std::string& sql) {
        std::string out;
        if (pg_) {
            PGresult* r = PQexec(pg_, sql.c_str());
            if (PQresultStatus(r) != PGRES_TUPLES_OK) out = "erro: " + sql;
            for (int i = 0; i < PQntuples(r); ++i) {
                for (int c = 0; c < PQnfields(r); ++c) {
                    out += PQgetisnull(r, i, c) ? "<null>" : PQgetvalue(r, i, c);
                    out += '\x1f';
                }
                out += '\n';
            }
            PQclear(r);
            return out;
        }
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) return "erro: " + sql;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char* t = sqlite3_column_text(st, c);
                out += t ? reinterpret_cast<const char*>(t) : "<null>";
                out += '\x1f';
            }
            out += '\n';
        }
        sqlite3_finalize(st);
        return out;
    }
    // {"ok"} when the database is sound.
    std::string integridade() {
        if (!pg_) return consulta("PRAGMA integrity_check");
        std::string out;
        for (const std::string& linha : jet::checkIntegrity(caminho_)) out += linha + "\x1f\n";
        return out;
    }
    // The row of `tabela` with that code, column by column (empty when there is none).
    std::map<std::string, std::string> linha(const std::string& tabela, double codigo) {
        std::map<std::string, std::string> valores;
        const std::string sql = "SELECT * FROM \"" + tabela + "\" WHERE \"Codigo\" = " + Variant(codigo).toText();
        if (pg_) {
            PGresult* r = PQexec(pg_, sql.c_str());
            if (PQntuples(r) == 1)
                for (int c = 0; c < PQnfields(r); ++c)
                    valores[PQfname(r, c)] = PQgetisnull(r, 0, c) ? "<null>" : PQgetvalue(r, 0, c);
            PQclear(r);
            return valores;
        }
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char* t = sqlite3_column_text(st, c);
                valores[sqlite3_column_name(st, c)] = t ? reinterpret_cast<const char*>(t) : "<null>";
            }
        sqlite3_finalize(st);
        return valores;
    }
    Retrato retrato() {
        Retrato r;
        if (pg_) {
            r.esquema = consulta("SELECT table_name, column_name, data_type, collation_name FROM information_schema.columns "
                                 "WHERE table_schema = current_schema() ORDER BY 1, ordinal_position") +
                        consulta("SELECT indexname, indexdef FROM pg_indexes WHERE schemaname = current_schema() ORDER BY 1");
            for (const auto& t : jet::catalogue()) r.tabelas[t.name] = consulta("SELECT * FROM \"" + t.name + "\" ORDER BY ctid");
            return r;
        }
        r.esquema = consulta("SELECT type, name, sql FROM sqlite_master ORDER BY name");
        for (const auto& t : jet::catalogue()) r.tabelas[t.name] = consulta("SELECT * FROM \"" + t.name + "\" ORDER BY rowid");
        return r;
    }

private:
    std::string caminho_;
    sqlite3* db_ = nullptr;
    PGconn* pg_ = nullptr;
};

class EntradaHostil : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        // A client with an animal, so that alterations and deletions have a row to aim at.
        auto c = pessoaValida();
        ASSERT_EQ(c->Adicionar(), 0) << c->get_DescricaoDoErro() << c->get_DescricaoDaFalha();
        codigoDoCliente_ = c->get_CodigoGerado();
        especie_ = valor("SELECT Codigo FROM EspeciesDeAnimais WHERE Nome = 'Canina'").toText();
        raca_ = valor("SELECT Codigo FROM RacasDeAnimais WHERE CodigoDaEspecieDeAnimal = " + especie_).toText();
        conexaoDireta().Execute("INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, Situacao) VALUES (" +
                                Variant(codigoDoCliente_).toText() + ", 'Rex', 'M', " + especie_ + ", " + raca_ + ", 1)");
        conexaoDireta().Execute("INSERT INTO OSParaBD (Numero) VALUES (304)");
    }

    // Which tables an operation may change.
    static std::set<std::string> podeMudar(const std::string& operacao) {
        if (operacao == "Adicionar" || operacao == "Alterar" || operacao == "Excluir" || operacao == "AlterarCodigoIBGEDoMunicipio")
            return {"Clientes", "Animais"};
        if (operacao == "AtualizarCategoriaDaCurvaABC") return {"Clientes", "Empresa"};
        return {};
    }

    void verificarDepois(const Retrato& antes, const std::string& oQue, const std::string& operacao, const Variant& resultado) {
        const int16_t r = resultado.toInt16();
        EXPECT_TRUE(r >= 0 && r <= 3) << oQue << " devolveu " << r;
        Banco banco(caminhoDoBanco());
        const Retrato depois = banco.retrato();
        EXPECT_EQ(depois.esquema, antes.esquema) << oQue;
        const auto permitidas = podeMudar(operacao);
        for (const auto& [tabela, linhas] : antes.tabelas) {
            if (permitidas.count(tabela)) continue;
            EXPECT_EQ(depois.tabelas.at(tabela), linhas) << oQue << " mudou a tabela " << tabela;
        }
        EXPECT_EQ(banco.integridade(), "ok\x1f\n") << oQue;
    }

    void atacar(Object& obj, const std::string& classe) {
        const auto& tabela = dynamic_cast<Dispatchable&>(obj).table();
        for (const auto& hostil : valoresHostis()) {
            // Every text property takes the hostile value (treated on assignment).
            for (const auto& m : tabela.slots())
                if (m.kind == InvokeKind::PropertyPut && m.params.size() == 1 && m.params[0].type == VarType::String) {
                    try {
                        putProperty(obj, m.name, Variant(hostil));
                    } catch (const RuntimeError&) {
                        // A put may refuse; it must not be half-applied elsewhere.
                    }
                }
            for (size_t slot = 0; slot < tabela.slots().size(); ++slot) {
                const Member& m = tabela.slots()[slot];
                if (m.kind != InvokeKind::Method || m.name == "ValidarDados" || m.name == "ValidarDadoEspecifico") continue;
                std::vector<Variant> args;
                for (const auto& p : m.params) {
                    if (p.type == VarType::String || p.type == VarType::Variant) args.emplace_back(hostil);
                    else if (p.type == VarType::Object) args.emplace_back();
                    else if (p.name.find("Situacao") != std::string::npos || p.name.find("TipoDeLista") != std::string::npos) args.emplace_back(1.0);
                    else if (p.name.find("VivoOuMorto") != std::string::npos) args.emplace_back(3.0);
                    else if (p.name.find("Opcao") != std::string::npos) args.emplace_back(2.0);
                    else if (p.name.find("Aniversariantes") != std::string::npos) args.emplace_back(3.0);
                    else args.emplace_back(p.type == VarType::R8 ? Variant(codigoDoCliente_) : Variant(10.0));
                }
                Banco banco(caminhoDoBanco());
                const Retrato antes = banco.retrato();
                Variant resultado;
                const std::string oQue = classe + "." + m.name + " com " + hostil.substr(0, 40);
                ASSERT_NO_THROW(resultado = tabela.invokeSlot(obj, slot, args)) << oQue;
                verificarDepois(antes, oQue, m.name, resultado);
            }
        }
    }

    double codigoDoCliente_ = 0;
    std::string especie_, raca_;
};

TEST_F(EntradaHostil, Animais) {
    auto a = make<clsAnimais>();
    a->putref_DadosDoUsuario(usuario_);
    a->put_CodigoDoCliente(codigoDoCliente_);
    a->put_CodigoDaEspecie(Variant(especie_).toDouble());
    a->put_CodigoDaRaca(Variant(raca_).toDouble());
    a->put_Situacao(1);
    atacar(*a, "clsAnimais");
}

TEST_F(EntradaHostil, Clientes) {
    auto c = pessoaValida("52998224725");
    c->put_Codigo(codigoDoCliente_);
    atacar(*c, "clsClientes");
}

TEST_F(EntradaHostil, ClientesEAnimais) {
    auto l = make<clsClientAnim>();
    l->putref_DadosDoUsuario(usuario_);
    atacar(*l, "clsClientAnim");
}

// The user's name through every operation that writes it: stored under the text treatment's quote
// and control-character rule, it never changes any column but the operation's own.
TEST_F(EntradaHostil, NomesDeUsuario) {
    struct Caso { Variant nome; std::string gravado; };
    const std::vector<Caso> casos{
        {Variant("D'Ávila"), "D’Ávila"},
        {Variant("x', Situacao=1, LimiteDeCredito=99999, UsuarioDaAlteracao='ana"),
         "x’, Situacao=1, LimiteDeCredito=99999, UsuarioDaAlteracao=’ana"},
        {Variant("x', TipoDeCliente='PF', UsuarioDaInclusao='eu"), "x’, TipoDeCliente=’PF’, UsuarioDaInclusao=’eu"},
        {Variant("Robert'); DELETE * FROM Animais; --"), "Robert’); DELETE * FROM Animais; --"},
        {Variant(std::string("nul\0byte", 8)), "nulbyte"},
        {Variant("\x01\x1b[31m\x7f\xc2\x85!"), "[31m!"},
        {Variant("\xff\xc3"), "\uFFFD\uFFFD"},
        {Variant::null(), ""},
        {Variant(), ""},
    };
    // Which columns of the row an operation may change; every other one must read as before.
    auto conferir = [&](const std::map<std::string, std::string>& antes, const std::map<std::string, std::string>& depois,
                        std::set<std::string> proprias, const std::string& oQue) {
        ASSERT_EQ(antes.size(), depois.size()) << oQue;
        for (const auto& [coluna, valor] : antes) {
            if (!proprias.count(coluna)) {
                EXPECT_EQ(depois.at(coluna), valor) << oQue << ": " << coluna;
            }
        }
    };
    const std::set<std::string> alteracao{"DataEHoraDaAlteracao", "UsuarioDaAlteracao"};
    for (const auto& k : casos) {
        const std::string oQue = k.nome.isNull() ? "Null" : k.nome.toText().substr(0, 30);
        usuario_->definir("NomeDeUsuario", k.nome);
        Banco banco(caminhoDoBanco());

        auto c = pessoaValida("");
        c->put_TipoDeCliente("PJ");
        c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
        c->putref_GradeDeAnimais(make<GradeEmMemoria>(std::vector<std::vector<std::string>>{
            std::vector<std::string>(17), {"", "", "Rex", especie_, "", raca_, "", "M", "", "", "", "", "", "", "", "", "1"}}));
        ASSERT_EQ(c->Adicionar(), 0) << oQue << ": " << c->get_DescricaoDoErro();
        const double cliente = c->get_CodigoGerado();
        auto linha = banco.linha("Clientes", cliente);
        EXPECT_EQ(linha.at("UsuarioDaInclusao"), k.gravado) << oQue;
        EXPECT_EQ(linha.at("TipoDeCliente"), "PJ") << oQue;
        EXPECT_EQ(linha.at("Situacao"), "1") << oQue;
        EXPECT_EQ(valor("SELECT UsuarioDaInclusao FROM Animais WHERE CodigoDoCliente = " + Variant(cliente).toText()).toText(),
                  k.gravado) << oQue;

        c->put_Codigo(cliente);
        ASSERT_EQ(c->Alterar(), 0) << oQue << ": " << c->get_DescricaoDoErro();
        auto depois = banco.linha("Clientes", cliente);
        conferir(linha, depois, alteracao, "Alterar " + oQue);
        EXPECT_EQ(depois.at("UsuarioDaAlteracao"), k.gravado) << oQue;
        linha = depois;
        c->put_CodigoIBGEDoMunicipio("3304557");
        ASSERT_EQ(c->AlterarCodigoIBGEDoMunicipio().toInt16(), 0) << oQue << ": " << c->get_DescricaoDoErro();
        depois = banco.linha("Clientes", cliente);
        conferir(linha, depois, {"DataEHoraDaAlteracao", "UsuarioDaAlteracao", "CodigoIBGEDoMunicipio"}, "IBGE " + oQue);
        EXPECT_EQ(depois.at("UsuarioDaAlteracao"), k.gravado) << oQue;

        auto a = make<clsAnimais>();
        a->putref_DadosDoUsuario(usuario_);
        a->put_CodigoDoCliente(cliente);
        a->put_Nome("Mel");
        a->put_Sexo("F");
        a->put_CodigoDaEspecie(Variant(especie_).toDouble());
        a->put_CodigoDaRaca(Variant(raca_).toDouble());
        a->put_Situacao(1);
        ASSERT_EQ(a->Adicionar(), 0) << oQue << ": " << a->get_DescricaoDoErro();
        const double animal = a->get_CodigoGerado();
        const auto doAnimal = banco.linha("Animais", animal);
        EXPECT_EQ(doAnimal.at("UsuarioDaInclusao"), k.gravado) << oQue;
        a->put_Codigo(animal);
        ASSERT_EQ(a->Alterar(), 0) << oQue << ": " << a->get_DescricaoDoErro();
        conferir(doAnimal, banco.linha("Animais", animal), alteracao, "Alterar animal " + oQue);
        EXPECT_EQ(banco.linha("Animais", animal).at("UsuarioDaAlteracao"), k.gravado) << oQue;
        ASSERT_EQ(a->Excluir(), 0) << oQue << ": " << a->get_DescricaoDaFalha();
        EXPECT_TRUE(banco.linha("Animais", animal).empty()) << oQue;

        linha = banco.linha("Clientes", cliente);
        ASSERT_EQ(c->Excluir(), 0) << oQue << ": " << c->get_DescricaoDoErro();
        depois = banco.linha("Clientes", cliente);
        conferir(linha, depois, {"DataEHoraDaAlteracao", "UsuarioDaAlteracao", "Situacao"}, "Excluir " + oQue);
        EXPECT_EQ(depois.at("Situacao"), "4") << oQue;
        EXPECT_EQ(depois.at("UsuarioDaAlteracao"), k.gravado) << oQue;
    }
}

TEST_F(EntradaHostil, CelulasDaGrade) {
    for (const auto& hostil : valoresHostis()) {
        for (int coluna : {2, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) {
            std::vector<std::string> linha = {"", "", "Rex", especie_, "", raca_, "", "M", "", "", "", "", "", "", "", "", "1"};
            linha[static_cast<size_t>(coluna)] = hostil;
            auto grade = make<GradeEmMemoria>(std::vector<std::vector<std::string>>{std::vector<std::string>(17), linha});
            auto c = pessoaValida("");
            c->put_TipoDeCliente("PJ");
            c->putref_GradeDeAnimais(grade);
            c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
            const int clientesAntes = contar("Clientes"), animaisAntes = contar("Animais");
            Banco banco(caminhoDoBanco());
            const Retrato antes = banco.retrato();
            const int16_t r = c->Adicionar();
            verificarDepois(antes, "grade coluna " + std::to_string(coluna) + " com " + hostil.substr(0, 40), "Adicionar", Variant(r));
            // All or nothing: the client with its one animal, or neither.
            const int novosClientes = contar("Clientes") - clientesAntes, novosAnimais = contar("Animais") - animaisAntes;
            EXPECT_EQ(novosClientes, r == 0 ? 1 : 0) << coluna << " " << hostil.substr(0, 40);
            EXPECT_EQ(novosAnimais, r == 0 ? 1 : 0) << coluna << " " << hostil.substr(0, 40);
        }
    }
}

}  // namespace
}  // namespace zelt::clientanim::teste

// The component's operations against SQLite running hand-written equivalent SQL, in the same run
// on the same database. Each case runs twice: through the classes as a presentation tier calls
// them (every call opens its own connection), and as an application using SQLite directly would
// do the same work (its own connection per call, the SQL text prepared and run, the rows read
// into memory). Where a PostgreSQL server is named (server_database.hpp), every case runs again
// there, against hand-written SQL through libpq on one connection kept open. The tables at the
// end give the component's time over the raw time per case.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/objetos_do_chamador.hpp"
#include "raw_statements.hpp"
#include "registered_libraries.hpp"
#include "seeded_database.hpp"
#include "server_database.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/clientanim/clsAnimais.hpp"
#include "zelt/clientanim/clsClientAnim.hpp"
#include "zelt/clientanim/clsClientes.hpp"
#include "zelt/jet/engine.hpp"

using namespace zelt;
using namespace zelt::clientanim;

namespace {

// A name every seeded list contains, in ASCII so that SQLite's own LIKE finds the same rows.
constexpr const char* SearchedName = "Ferreira";
constexpr const char* Municipality = "3550308";

Ref<DadosDoUsuarioEmMemoria> administrator() {
    auto u = make<DadosDoUsuarioEmMemoria>();
    u->definir("NomeDeUsuario", Variant("bench"));
    u->definir("Administrador", Variant(true));
    u->definir("CodigoDoDocumentoComEmissaoPermitida", Variant("55"));
    return u;
}

// The databases the cases work on: the seeded file and its writable copy, or the same on the server.
struct Target {
    std::string seeded, writable;
};
Target& target() {
    static Target t;
    return t;
}

// The component's cases run on the server while one of these lives.
class OnServer {
public:
    explicit OnServer(const Target& server) : saved_(target()) {
        target() = server;
        setenv("ZELT_DATABASE", server.seeded.c_str(), 1);
    }
    ~OnServer() {
        target() = saved_;
        setenv("ZELT_DATABASE", saved_.seeded.c_str(), 1);
    }

private:
    Target saved_;
};

template <typename T>
Ref<T> withUser() {
    auto o = make<T>();
    o->putref_DadosDoUsuario(administrator());
    return o;
}

// ---- The CPF: its check digits, and a new valid one for every insertion ----

std::string cpfCheckDigits(const std::string& first9) {
    std::string digits = first9;
    for (int length = 9; length <= 10; ++length) {
        int sum = 0;
        for (int i = 0; i < length; ++i) sum += (digits[static_cast<size_t>(i)] - '0') * (length + 1 - i);
        const int rest = sum % 11;
        digits += static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
    }
    return digits.substr(9);
}

bool cpfValid(const std::string& cpf) { return cpf.size() == 11 && cpfCheckDigits(cpf.substr(0, 9)) == cpf.substr(9); }

std::string nextCpf() {
    static int64_t n = 0;
    const std::string first9 = std::to_string(123456789 + 7919 * ++n).substr(0, 9);
    return first9 + cpfCheckDigits(first9);
}

void fillValidPerson(clsClientes& c, const std::string& cpf) {
    c.put_TipoDeCliente("PF");
    c.put_ApelidoOuNomeFantasia("Zeca");
    c.put_NomeOuRazaoSocial("José Carlos da Silva");
    c.put_Sexo("M");
    c.put_DataDeNascimento("3112");
    c.put_AnoDeNascimento("1980");
    c.put_CPFCNPJ(cpf);
    c.put_CEP("01310100");
    c.put_Cidade("São Paulo");
    c.put_CodigoIBGEDoMunicipio(Municipality);
    c.put_UF("SP");
    c.put_Situacao(1);
}

// ---- Rows of a selection, to check that both sides return the same ----

void countRows(benchmark::State& state, double rows) { state.counters["rows"] = rows; }

void failUnless(benchmark::State& state, bool ok, const ObjetoDeNegocio& o) {
    if (!ok) state.SkipWithError((o.get_DescricaoDoErro() + " " + o.get_DescricaoDaFalha()).c_str());
}

// ---- The selections ----

// The rows a selection left for its caller.
double storedRows(const ObjetoDeNegocio& o) {
    auto rs = o.get_ResultadoDaSelecaoEmRecordset();
    return rs ? rs->get_RecordCount() : 0;
}

void ClientListComponent(benchmark::State& state) {
    auto c = withUser<clsClientes>();
    for (auto _ : state) failUnless(state, c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant()) == 0, *c);
    countRows(state, storedRows(*c));
}

template <typename Read>
void rawSelection(benchmark::State& state, Read read) {
    size_t rows = 0;
    for (auto _ : state) {
        sqlite3* db = bench::openRaw(bench::seededDatabase());
        rows = read(db);
        sqlite3_close(db);
    }
    countRows(state, static_cast<double>(rows));
}

void ClientListRaw(benchmark::State& state) {
    const std::string sql = bench::rawClientSelection(bench::SQLiteSql);
    rawSelection(state, [&](sqlite3* db) { return bench::materialize(db, sql).size(); });
}

void ClientNameSearchComponent(benchmark::State& state) {
    auto c = withUser<clsClientes>();
    for (auto _ : state)
        failUnless(state, c->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(SearchedName)) == 0, *c);
    countRows(state, storedRows(*c));
}

void ClientNameSearchRaw(benchmark::State& state) {
    const std::string sql = bench::rawClientNameSearch(bench::SQLiteSql, SearchedName);
    rawSelection(state, [&](sqlite3* db) { return bench::materialize(db, sql).size(); });
}

void AnimalListComponent(benchmark::State& state) {
    auto a = withUser<clsAnimais>();
    constexpr int16_t LivingOrDead = 3;
    for (auto _ : state) failUnless(state, a->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), LivingOrDead) == 0, *a);
    countRows(state, storedRows(*a));
}

void AnimalListRaw(benchmark::State& state) {
    const std::string sql = bench::rawAnimalSelection(bench::SQLiteSql);
    rawSelection(state, [&](sqlite3* db) { return bench::materialize(db, sql).size(); });
}

void ClientAnimalTreeComponent(benchmark::State& state) {
    auto t = withUser<clsClientAnim>();
    for (auto _ : state) failUnless(state, t->Selecionar(ListaCompleta, 0, TodasAsSituacoes, Variant(), Variant()) == 0, *t);
    auto rs = t->get_ResultadoDaSelecaoEmRecordset();
    countRows(state, rs ? rs->get_RecordCount() : 0);
}

void ClientAnimalTreeRaw(benchmark::State& state) {
    rawSelection(state, [](sqlite3* db) {
        return bench::rawRelatedListing(bench::SQLiteSql, [db](const std::string& sql) { return bench::materialize(db, sql); })
            .clients;
    });
}

// The same selections through libpq, on a connection kept open.
PGconn* serverConnection() {
    static const bench::Connection c = bench::connectRaw(bench::seededServerDatabase());
    return c.get();
}

template <typename Read>
void libpqSelection(benchmark::State& state, Read read) {
    size_t rows = 0;
    for (auto _ : state) rows = read(serverConnection());
    countRows(state, static_cast<double>(rows));
}

void ClientListLibpq(benchmark::State& state) {
    const std::string sql = bench::rawClientSelection(bench::PostgresSql);
    libpqSelection(state, [&](PGconn* c) { return bench::materialize(c, sql).size(); });
}

void ClientNameSearchLibpq(benchmark::State& state) {
    const std::string sql = bench::rawClientNameSearch(bench::PostgresSql, SearchedName);
    libpqSelection(state, [&](PGconn* c) { return bench::materialize(c, sql).size(); });
}

void AnimalListLibpq(benchmark::State& state) {
    const std::string sql = bench::rawAnimalSelection(bench::PostgresSql);
    libpqSelection(state, [&](PGconn* c) { return bench::materialize(c, sql).size(); });
}

void ClientAnimalTreeLibpq(benchmark::State& state) {
    libpqSelection(state, [](PGconn* c) {
        return bench::rawRelatedListing(bench::PostgresSql, [c](const std::string& sql) { return bench::materialize(c, sql); })
            .clients;
    });
}

// ---- The insertion of a client with two animals, on a copy of the seeded database ----

struct Breed {
    std::string species, breed;
};

const Breed& firstBreed() {
    static const Breed b = [] {
        sqlite3* db = bench::openRaw(bench::seededDatabase());
        const auto rows = bench::materialize(db, "SELECT CodigoDaEspecieDeAnimal, Codigo FROM RacasDeAnimais ORDER BY Codigo LIMIT 1");
        sqlite3_close(db);
        return Breed{rows.at(0).at(0).toText(), rows.at(0).at(1).toText()};
    }();
    return b;
}

std::filesystem::path& scratch() {
    static std::filesystem::path folder = bench::scratchFolder("zelt-clientanim-bench");
    return folder;
}

// The database the insertions write to, a copy of the seeded one made once per run, named by
// ZELT_DATABASE while they run.
class WritableCopy {
public:
    WritableCopy() { setenv("ZELT_DATABASE", target().writable.c_str(), 1); }
    ~WritableCopy() { setenv("ZELT_DATABASE", target().seeded.c_str(), 1); }
};

void AddClientWithTwoAnimalsComponent(benchmark::State& state) {
    WritableCopy copy;
    auto c = withUser<clsClientes>();
    fillValidPerson(*c, nextCpf());
    const Breed& b = firstBreed();
    auto animal = [&](const char* name) {
        return std::vector<std::string>{"x", "x", name, b.species, "x", b.breed, "x", "M", "Médio", "Caramelo",
                                        "10/05/2020", "RGA1", "CHIP1", "Sim", "Não", "Dócil", "1"};
    };
    c->put_AdicionarClienteEAnimalNaMesmaOperacao(true);
    c->putref_GradeDeAnimais(make<GradeEmMemoria>(
        std::vector<std::vector<std::string>>{std::vector<std::string>(17, "header"), animal("Rex"), animal("Mel")}));
    for (auto _ : state) {
        c->put_CPFCNPJ(nextCpf());
        failUnless(state, c->Adicionar() == 0, *c);
    }
}

// One statement prepared, its values bound, run to the end.
template <typename... Text>
void run(sqlite3* db, const char* sql, const Text&... values) {
    sqlite3_stmt* s = nullptr;
    bench::check(db, sqlite3_prepare_v2(db, sql, -1, &s, nullptr), sql);
    [[maybe_unused]] int i = 0;
    (bench::bindText(s, ++i, values), ...);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
    }
    sqlite3_finalize(s);
    bench::check(db, rc, sql);
}

// The validation's two lookups: the CPF not taken yet, the municipality known.
void rawValidation(sqlite3* db, const std::string& cpf) {
    if (!cpfValid(cpf)) throw std::runtime_error("invalid CPF " + cpf);
    run(db, "SELECT Codigo, ApelidoOuNomeFantasia, NomeOuRazaoSocial FROM Clientes WHERE CPFCNPJ = ?1", cpf);
    run(db, "SELECT COUNT(*) FROM MunicipiosIBGE WHERE CodigoIBGE = ?1", std::string(Municipality));
}

constexpr const char* RawClientInsertion =
    "INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, ApelidoOuNomeFantasiaSoundex, NomeOuRazaoSocial, "
    "NomeOuRazaoSocialSoundex, Sexo, DataDeNascimento, AnoDeNascimento, CPFCNPJ, RGIE, CEP, TipoDeLogradouro, "
    "Logradouro, Numero, Complemento, Bairro, Cidade, CodigoIBGEDoMunicipio, UF, VIP, CategoriaDaCurvaABC, EndCobCEP, "
    "EndCobTipoDeLogradouro, EndCobLogradouro, EndCobNumero, EndCobComplemento, EndCobBairro, EndCobCidade, EndCobUF, "
    "TipoDeCanalDeComunicacao1, CanalDeComunicacao1, TipoDeCanalDeComunicacao2, CanalDeComunicacao2, "
    "TipoDeCanalDeComunicacao3, CanalDeComunicacao3, TipoDeCanalDeComunicacao4, CanalDeComunicacao4, Profissao, "
    "Observacao, LimiteDeCredito, MotivoDaSituacao, ClienteComDesconto, DescontoUnico, PercentualUnicoDeDescontos, "
    "PercentualDeDescontoEmClinicos, PercentualDeDescontoEmCirurgiaSimples, PercentualDeDescontoEmCirurgiaMedia, "
    "PercentualDeDescontoEmCirurgiaComplexa, PercentualDeDescontoEmBanhosTosasEEsteticas, "
    "PercentualDeDescontoEmHospedagens, PercentualDeDescontoEmAdestramentos, PercentualDeDescontoEmOutros, Situacao, "
    "DataEHoraDaInclusao, UsuarioDaInclusao) VALUES ('PF', 'ZECA', 'Z200', 'JOSÉ CARLOS DA SILVA', 'J264', 'M', "
    "'3112', '1980', ?1, '', '01310100', '', '', '', '', '', 'SÃO PAULO', '3550308', 'SP', 0, '', '', '', '', '', '', "
    "'', '', '', '', '', '', '', '', '', '', '', '', '', 0, '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, "
    "julianday('now', 'localtime') - 2415018.5, 'bench')";

constexpr const char* RawAnimalInsertion =
    "INSERT INTO Animais (Nome, Sexo, CodigoDoCliente, CodigoDaEspecie, CodigoDaRaca, Porte, Cor, DataDeNascimento, "
    "RGA, Microchip, Pedigree, AnimalMorto, Observacao, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao) VALUES "
    "(?1, 'M', ?2, ?3, ?4, 'MÉDIO', 'CARAMELO', 43961, 'RGA1', 'CHIP1', -1, 0, 'DÓCIL', 1, "
    "julianday('now', 'localtime') - 2415018.5, 'bench')";

void AddClientWithTwoAnimalsRaw(benchmark::State& state) {
    WritableCopy copy;
    const Breed& b = firstBreed();
    for (auto _ : state) {
        const std::string cpf = nextCpf();
        sqlite3* db = bench::openRaw(target().writable);
        // The same checks and durability as the component's connections.
        run(db, "PRAGMA foreign_keys=ON");
        run(db, "PRAGMA synchronous=NORMAL");
        rawValidation(db, cpf);
        run(db, "BEGIN");
        run(db, RawClientInsertion, cpf);
        const std::string code = std::to_string(sqlite3_last_insert_rowid(db));
        run(db, RawAnimalInsertion, std::string("REX"), code, b.species, b.breed);
        run(db, RawAnimalInsertion, std::string("MEL"), code, b.species, b.breed);
        run(db, "COMMIT");
        sqlite3_close(db);
    }
}

// ---- The validation of a valid person, on a connection the caller holds open ----

void ValidatePersonComponent(benchmark::State& state) {
    auto c = withUser<clsClientes>();
    fillValidPerson(*c, nextCpf());
    Ref<Object> connection = make<ado::Connection>(jet::openDatabase(target().seeded));
    for (auto _ : state) failUnless(state, c->ValidarDados(1, connection, Ref<Object>()) == 0, *c);
}

void ValidatePersonRaw(benchmark::State& state) {
    const std::string cpf = nextCpf();
    sqlite3* db = bench::openRaw(bench::seededDatabase());
    for (auto _ : state) rawValidation(db, cpf);
    sqlite3_close(db);
}

// ---- The insertion and the validation through libpq ----

// The hand-written statements above as PostgreSQL spells them.
std::string forServer(std::string sql) {
    auto replace = [&](const std::string& from, const std::string& to) {
        for (size_t at; (at = sql.find(from)) != std::string::npos;) sql.replace(at, from.size(), to);
    };
    replace("julianday('now', 'localtime') - 2415018.5", "LOCALTIMESTAMP(0)");
    replace(" 43961,", " '2020-05-10',");
    for (const char* n : {"1", "2", "3", "4"}) replace(std::string("?") + n, std::string("$") + n);
    return bench::quotedSchemaNames(sql);
}

void libpqValidation(PGconn* c, const std::string& cpf) {
    static const std::string byCpf = forServer("SELECT Codigo, ApelidoOuNomeFantasia, NomeOuRazaoSocial FROM Clientes WHERE CPFCNPJ = ?1");
    static const std::string municipality = forServer("SELECT COUNT(*) FROM MunicipiosIBGE WHERE CodigoIBGE = ?1");
    if (!cpfValid(cpf)) throw std::runtime_error("invalid CPF " + cpf);
    bench::run(c, byCpf, {cpf});
    bench::run(c, municipality, {Municipality});
}

void AddClientWithTwoAnimalsLibpq(benchmark::State& state) {
    static const std::string client = forServer(RawClientInsertion) + " RETURNING \"Codigo\"";
    static const std::string animal = forServer(RawAnimalInsertion);
    const bench::Connection c = bench::connectRaw(target().writable);
    const Breed& b = firstBreed();
    for (auto _ : state) {
        const std::string cpf = nextCpf();
        libpqValidation(c.get(), cpf);
        bench::run(c.get(), "BEGIN");
        const bench::Result r = bench::run(c.get(), client, {cpf});
        const std::string code = PQgetvalue(r.get(), 0, 0);
        bench::run(c.get(), animal, {"REX", code, b.species, b.breed});
        bench::run(c.get(), animal, {"MEL", code, b.species, b.breed});
        bench::run(c.get(), "COMMIT");
    }
}

void ValidatePersonLibpq(benchmark::State& state) {
    const std::string cpf = nextCpf();
    for (auto _ : state) libpqValidation(serverConnection(), cpf);
}

// ---- The cases and the tables of ratios ----

struct Case {
    const char* name;
    void (*component)(benchmark::State&);
    void (*raw)(benchmark::State&);
    void (*libpq)(benchmark::State&);
    bool wholeRegister;  // reads every client or animal: a few iterations are plenty
};

const Case Cases[] = {
    {"clsClientes.Selecionar ListaCompleta", ClientListComponent, ClientListRaw, ClientListLibpq, true},
    {"clsClientes.Selecionar by name", ClientNameSearchComponent, ClientNameSearchRaw, ClientNameSearchLibpq, true},
    {"clsAnimais.Selecionar ListaCompleta", AnimalListComponent, AnimalListRaw, AnimalListLibpq, true},
    {"clsClientAnim.Selecionar ListaCompleta", ClientAnimalTreeComponent, ClientAnimalTreeRaw, ClientAnimalTreeLibpq, true},
    {"clsClientes.Adicionar with two animals", AddClientWithTwoAnimalsComponent, AddClientWithTwoAnimalsRaw,
     AddClientWithTwoAnimalsLibpq, false},
    {"clsClientes.ValidarDados (valid PF)", ValidatePersonComponent, ValidatePersonRaw, ValidatePersonLibpq, false},
};

struct Measure {
    double time = 0;  // CPU time per iteration, in the run's unit
    double realTime = 0;
    const char* unit = "";
    double rows = -1;
    bool failed = false;
};

// The console output as usual, and each run's time kept for the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            Measure& m = measures[r.run_name.function_name];
            m.failed = r.error_occurred;
            m.time = r.GetAdjustedCPUTime();
            m.realTime = r.GetAdjustedRealTime();
            m.unit = benchmark::GetTimeUnitString(r.time_unit);
            if (auto it = r.counters.find("rows"); it != r.counters.end()) m.rows = it->second;
        }
    }
    std::map<std::string, Measure> measures;
};

// Three significant digits without an exponent: 1950, 265, 14.8, 2.24.
std::string figure(double v, const char* unit) {
    char text[64];
    std::snprintf(text, sizeof text, v >= 100 ? "%.0f %s" : v >= 10 ? "%.1f %s" : "%.2f %s", v, unit);
    return text;
}

// The names of each engine's two sides, its table's heading, and the time it is measured by: on a
// server most of the work is the server's, so there the time is the time the caller waits.
struct Engine {
    const char *component, *raw, *rawTitle, *heading;
    bool realTime;
};
constexpr Engine OnFile{"/component", "/sqlite", "SQLite", "SQLite file", false};
constexpr Engine OnPostgres{"/component-postgresql", "/libpq", "libpq", "PostgreSQL server", true};

// A markdown table; 1 when a case failed or its two sides returned different row counts.
int printRatios(const std::map<std::string, Measure>& measures, const Engine& e) {
    int status = 0;
    std::printf("\n%s, %d clients, %d animals; %s time per call\n\n", e.heading, bench::clientCount(),
                bench::clientCount() * bench::AnimalsPerClient, e.realTime ? "elapsed" : "CPU");
    std::printf("| Case | Component | %s | Ratio | Rows |\n|---|---:|---:|---:|---:|\n", e.rawTitle);
    for (const Case& c : Cases) {
        const auto comp = measures.find(std::string(c.name) + e.component);
        const auto raw = measures.find(std::string(c.name) + e.raw);
        if (comp == measures.end() || raw == measures.end()) continue;  // filtered out
        Measure m = comp->second, r = raw->second;
        if (e.realTime) m.time = m.realTime, r.time = r.realTime;
        const bool sameRows = m.rows == r.rows;
        if (m.failed || r.failed || !sameRows) status = 1;
        std::printf("| %s | %s | %s | %.2f | %s |\n", c.name, figure(m.time, m.unit).c_str(),
                    figure(r.time, r.unit).c_str(), m.time / r.time,
                    m.failed || r.failed ? "failed"
                    : m.rows < 0         ? "-"
                    : sameRows           ? std::to_string(static_cast<int64_t>(m.rows)).c_str()
                                         : "different");
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    bench::registerLibraries(scratch(), bench::seededDatabase());
    target() = {bench::seededDatabase(), bench::copyOfSeededDatabase(scratch())};
    // Made before anything connects to the seeded register on the server.
    const std::unique_ptr<bench::ServerCopy> serverCopy =
        bench::benchServer().empty() ? nullptr : std::make_unique<bench::ServerCopy>();
    const Target server = serverCopy ? Target{bench::seededServerDatabase(), serverCopy->uri()} : Target{};
    const int selectionIterations = bench::shortRun() ? 1 : 3;
    for (const Case& c : Cases) {
        std::vector<std::pair<const char*, std::function<void(benchmark::State&)>>> sides = {
            {OnFile.component, c.component}, {OnFile.raw, c.raw}};
        if (serverCopy) {
            sides.emplace_back(OnPostgres.component, [&server, fn = c.component](benchmark::State& s) {
                OnServer on(server);
                fn(s);
            });
            sides.emplace_back(OnPostgres.raw, [&server, fn = c.libpq](benchmark::State& s) {
                OnServer on(server);
                fn(s);
            });
        }
        for (const auto& [side, fn] : sides) {
            auto* b = benchmark::RegisterBenchmark((std::string(c.name) + side).c_str(), fn);
            if (c.wholeRegister) b->Unit(benchmark::kMillisecond)->Iterations(selectionIterations);
            else b->Unit(benchmark::kMicrosecond);
            if (side == OnPostgres.component || side == OnPostgres.raw) b->UseRealTime();
        }
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    int status = printRatios(reporter.measures, OnFile);
    if (serverCopy) status |= printRatios(reporter.measures, OnPostgres);
    std::error_code ec;
    std::filesystem::remove_all(scratch(), ec);
    return status;
}

#pragma once
// The database the benchmarks share: 100,000 clients with three animals each (200 clients when
// ZELT_BENCH_SHORT=1, where the run only checks that the benchmarks work), seeded once and kept
// in the temporary folder under a name that says its size, so later runs reuse it. Also the raw
// SQLite side of the comparisons: a plain connection and the rows read into memory.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "zelt/automation/regional.hpp"
#include "zelt/automation/variant.hpp"
#include "zelt/jet/engine.hpp"

namespace zelt::bench {

constexpr int AnimalsPerClient = 3;
// Bumped whenever seed() changes what it writes.
constexpr int SeedVersion = 4;

inline bool shortRun() {
    const char* s = std::getenv("ZELT_BENCH_SHORT");
    return s && std::string(s) == "1";
}

inline int clientCount() { return shortRun() ? 200 : 100000; }

inline void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

inline int collatePtBr(void*, int na, const void* a, int nb, const void* b) {
    return regional::compareText({static_cast<const char*>(a), static_cast<size_t>(na)},
                                 {static_cast<const char*>(b), static_cast<size_t>(nb)});
}

// A connection as an application using SQLite directly would open it: the text columns are
// declared with the PTBR collation, so it has to be there.
inline sqlite3* openRaw(const std::string& path) {
    sqlite3* db = nullptr;
    check(db, sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr), "open");
    sqlite3_busy_timeout(db, 5000);
    sqlite3_create_collation_v2(db, "PTBR", SQLITE_UTF8, nullptr, collatePtBr, nullptr);
    return db;
}

inline void bindText(sqlite3_stmt* s, int i, const std::string& t) {
    sqlite3_bind_text(s, i, t.c_str(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
}

inline std::string randomDigits(std::mt19937& rng, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>('0' + rng() % 10);
    return s;
}

// The rows as the component's recordset holds them: one Variant per value, by storage class.
inline std::vector<std::vector<Variant>> materialize(sqlite3_stmt* s) {
    const int n = sqlite3_column_count(s);
    std::vector<std::vector<Variant>> rows;
    while (sqlite3_step(s) == SQLITE_ROW) {
        auto& row = rows.emplace_back();
        row.reserve(static_cast<size_t>(n));
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(s, c)) {
            case SQLITE_INTEGER: row.emplace_back(static_cast<int32_t>(sqlite3_column_int64(s, c))); break;
            case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(s, c)); break;
            case SQLITE_NULL: row.push_back(Variant::null()); break;
            default:
                row.emplace_back(std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                                  static_cast<size_t>(sqlite3_column_bytes(s, c))));
            }
        }
    }
    return rows;
}

inline std::vector<std::vector<Variant>> materialize(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &s, nullptr), "prepare");
    auto rows = materialize(s);
    sqlite3_finalize(s);
    return rows;
}

inline void seed(const std::string& path, int clients) {
    static const char* first[] = {"Ana", "Álvaro", "Bruno", "Carla", "Débora", "Eduardo", "Fábio", "Gisele", "Hélio",
                                  "Íris", "João", "Luíza", "Márcio", "Natália", "Otávio", "Paula", "Renata", "Sérgio"};
    static const char* last[] = {"Silva", "Souza", "Oliveira", "Pereira", "Conceição", "Gonçalves", "Araújo",
                                 "Rodrigues", "Lima", "Ferreira", "Magalhães", "Brandão", "Assunção"};
    static const char* pets[] = {"Rex", "Mel", "Thor", "Luna", "Bob", "Nina", "Fred", "Pipoca", "Amora", "Simba"};
    static const char* sizes[] = {"Pequeno", "Médio", "Grande"};
    jet::openDatabase(path);  // the schema and reference data
    sqlite3* db = openRaw(path);
    check(db, sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), "begin");
    sqlite3_stmt* client = nullptr;
    check(db, sqlite3_prepare_v2(db,
        "INSERT INTO Clientes (TipoDeCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Sexo, DataDeNascimento, "
        "AnoDeNascimento, CPFCNPJ, RGIE, CEP, TipoDeLogradouro, Logradouro, Numero, Complemento, Bairro, Cidade, "
        "CodigoIBGEDoMunicipio, UF, VIP, CategoriaDaCurvaABC, EndCobCEP, EndCobLogradouro, TipoDeCanalDeComunicacao1, "
        "CanalDeComunicacao1, TipoDeCanalDeComunicacao2, CanalDeComunicacao2, LimiteDeCredito, ClienteComDesconto, "
        "DescontoUnico, PercentualUnicoDeDescontos, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao, Credito) "
        "VALUES ('PF', ?1, ?2, ?3, ?4, '1980', ?5, '12345678', ?6, 'Rua', ?7, ?8, 'Apto 12', 'Centro', 'São Paulo', "
        "'3550308', 'SP', ?9, 'A', ?6, ?7, 'Email', 'cliente@example.com', 'Celular', ?10, ?11, 0, -1, 105000, ?12, ?13, "
        "'admin', 123400)", -1, &client, nullptr), "prepare");
    std::mt19937 rng(42);
    for (int i = 0; i < clients; ++i) {
        const std::string name = std::string(first[rng() % 18]) + " " + last[rng() % 13] + " " + last[rng() % 13];
        bindText(client, 1, first[rng() % 18]);
        bindText(client, 2, name);
        bindText(client, 3, rng() % 2 ? "M" : "F");
        bindText(client, 4, "1503");
        bindText(client, 5, randomDigits(rng, 11));
        bindText(client, 6, randomDigits(rng, 8));
        bindText(client, 7, "Avenida " + std::string(last[rng() % 13]));
        bindText(client, 8, std::to_string(rng() % 2000));
        sqlite3_bind_int(client, 9, -static_cast<int>(rng() % 2));
        bindText(client, 10, "119" + randomDigits(rng, 8));
        sqlite3_bind_int64(client, 11, static_cast<int64_t>(rng() % 500000) * 100);
        sqlite3_bind_int(client, 12, static_cast<int>(1 + rng() % 4));
        sqlite3_bind_double(client, 13, 45000.0 + static_cast<double>(rng() % 1000000) / 1000);
        check(db, sqlite3_step(client), "client");
        sqlite3_reset(client);
    }
    sqlite3_finalize(client);
    sqlite3_stmt* animal = nullptr;
    check(db, sqlite3_prepare_v2(db,
        "INSERT INTO Animais (CodigoDoCliente, Nome, Sexo, CodigoDaEspecie, CodigoDaRaca, Porte, Cor, "
        "DataDeNascimento, Microchip, Pedigree, AnimalMorto, Situacao, DataEHoraDaInclusao, UsuarioDaInclusao) "
        "VALUES (?1, ?2, ?3, 1, ?4, ?5, 'Caramelo', ?6, ?7, ?8, ?9, ?10, ?11, 'admin')", -1, &animal, nullptr),
        "prepare");
    for (int c = 1; c <= clients; ++c) {
        for (int k = 0; k < AnimalsPerClient; ++k) {
            sqlite3_bind_int(animal, 1, c);
            bindText(animal, 2, pets[rng() % 10]);
            bindText(animal, 3, rng() % 2 ? "M" : "F");
            sqlite3_bind_int(animal, 4, static_cast<int>(1 + rng() % 10));
            bindText(animal, 5, sizes[rng() % 3]);
            sqlite3_bind_double(animal, 6, 40000.0 + static_cast<double>(rng() % 6000));
            bindText(animal, 7, randomDigits(rng, 15));
            sqlite3_bind_int(animal, 8, -static_cast<int>(rng() % 2));
            sqlite3_bind_int(animal, 9, rng() % 10 == 0 ? -1 : 0);
            sqlite3_bind_int(animal, 10, static_cast<int>(1 + rng() % 2));
            sqlite3_bind_double(animal, 11, 45000.0 + static_cast<double>(rng() % 1000000) / 1000);
            check(db, sqlite3_step(animal), "animal");
            sqlite3_reset(animal);
        }
    }
    sqlite3_finalize(animal);
    check(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), "commit");
    // The engine's pooled connection keeps the file open; without this, every reader would go
    // through a write-ahead log as large as the database.
    check(db, sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr), "checkpoint");
    sqlite3_close(db);
}

// The seeded database for this run's size. The file is complete once its marker exists; a run
// interrupted while seeding leaves no marker, and the next one seeds afresh.
inline const std::string& seededDatabase() {
    static const std::string path = [] {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() / "zelt-bench";
        std::filesystem::create_directories(dir);
        const std::string p = (dir / ("seed" + std::to_string(SeedVersion) + "-" + std::to_string(clientCount()) +
                                      "-clients.db")).string();
        const std::string marker = p + ".complete";
        if (!std::filesystem::exists(marker)) {
            for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(p + suffix);
            seed(p, clientCount());
            std::ofstream(marker) << "seeded\n";
        }
        return p;
    }();
    return path;
}

// A private copy of the seeded database in `dir`, for benchmarks that write.
inline std::string copyOfSeededDatabase(const std::filesystem::path& dir) {
    const std::string copy = (dir / "copy.db").string();
    sqlite3* from = openRaw(seededDatabase());
    sqlite3* to = nullptr;
    check(to, sqlite3_open_v2(copy.c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr), "open copy");
    sqlite3_backup* b = sqlite3_backup_init(to, "main", from, "main");
    sqlite3_backup_step(b, -1);
    check(to, sqlite3_backup_finish(b), "copy");
    sqlite3_close(to);
    sqlite3_close(from);
    return copy;
}

// A folder of this process in the temporary folder.
inline std::filesystem::path scratchFolder(const char* name) {
    std::string dir = (std::filesystem::temp_directory_path() / (std::string(name) + "-XXXXXX")).string();
    if (!mkdtemp(dir.data())) throw std::runtime_error("mkdtemp failed");
    return dir;
}

}  // namespace zelt::bench

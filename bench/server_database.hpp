#pragma once
// The seeded register on a PostgreSQL server, for the same cases there: the server a URI in
// ZELT_BENCH_POSTGRES (or ZELT_TEST_POSTGRES) names, whose role may create databases. The seeded
// SQLite file is copied once into a database named by its size and schema and kept (marked by its
// comment when complete); each run writes into a copy of its own. Also the raw libpq side: a connection
// and the rows read into memory.
#include <libpq-fe.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "jet/postgres/schema.hpp"
#include "jet/postgres/server_address.hpp"
#include "seeded_database.hpp"
#include "zelt/jet/copy.hpp"

namespace zelt::bench {

inline std::string benchServer() {
    for (const char* name : {"ZELT_BENCH_POSTGRES", "ZELT_TEST_POSTGRES"})
        if (const char* uri = std::getenv(name); uri && *uri) return uri;
    return "";
}

using jet::postgres::withDatabase;

using Connection = std::unique_ptr<PGconn, decltype(&PQfinish)>;
using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

inline Connection connectRaw(const std::string& uri) {
    Connection c(PQconnectdb(uri.c_str()), PQfinish);
    if (PQstatus(c.get()) != CONNECTION_OK) throw std::runtime_error(std::string("connect: ") + PQerrorMessage(c.get()));
    PQsetNoticeProcessor(c.get(), [](void*, const char*) {}, nullptr);
    return c;
}

// One statement with its text parameters, its result checked.
inline Result run(PGconn* c, const std::string& sql, const std::vector<std::string>& values = {}) {
    std::vector<const char*> p;
    for (const std::string& v : values) p.push_back(v.c_str());
    Result r(PQexecParams(c, sql.c_str(), static_cast<int>(p.size()), nullptr, p.data(), nullptr, nullptr, 0), PQclear);
    const ExecStatusType s = PQresultStatus(r.get());
    if (s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK) throw std::runtime_error(sql.substr(0, 80) + ": " + PQerrorMessage(c));
    return r;
}

// The rows as the component's recordset holds them: one Variant per value, by the column's type.
inline std::vector<std::vector<Variant>> materialize(PGconn* c, const std::string& sql) {
    constexpr Oid Int2 = 21, Int4 = 23, Int8 = 20, Float8 = 701, Numeric = 1700;
    const Result r = run(c, sql);
    const int rows = PQntuples(r.get()), columns = PQnfields(r.get());
    std::vector<std::vector<Variant>> out(static_cast<size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        auto& row = out[static_cast<size_t>(i)];
        row.reserve(static_cast<size_t>(columns));
        for (int f = 0; f < columns; ++f) {
            const char* v = PQgetvalue(r.get(), i, f);
            const Oid type = PQftype(r.get(), f);
            if (PQgetisnull(r.get(), i, f)) row.push_back(Variant::null());
            else if (type == Int2 || type == Int4 || type == Int8) row.emplace_back(static_cast<int32_t>(std::atol(v)));
            else if (type == Float8 || type == Numeric) row.emplace_back(std::strtod(v, nullptr));
            else row.emplace_back(std::string_view(v, static_cast<size_t>(PQgetlength(r.get(), i, f))));
        }
    }
    return out;
}

// Named by the seed's version and size and by the schema's DDL: a register copied under an older
// schema is not reused.
inline std::string seededServerName() {
    return "zelt_bench_seed" + std::to_string(SeedVersion) + "_" + std::to_string(clientCount()) + "_" +
           std::to_string(std::hash<std::string>{}(jet::postgres::schemaDdl()) % 1000000007);
}

// The seeded register on the server, copied from the seeded file the first time.
inline const std::string& seededServerDatabase() {
    static const std::string uri = [] {
        const std::string name = seededServerName();
        const Connection admin = connectRaw(benchServer());
        const Result mark = run(admin.get(), "SELECT shobj_description(oid, 'pg_database') FROM pg_database WHERE datname = $1", {name});
        const std::string seeded = withDatabase(benchServer(), name);
        if (PQntuples(mark.get()) == 0 || std::string(PQgetvalue(mark.get(), 0, 0)) != "complete") {
            run(admin.get(), "DROP DATABASE IF EXISTS " + name + " WITH (FORCE)");
            run(admin.get(), "CREATE DATABASE " + name);
            jet::copyRegister(seededDatabase(), seeded, nullptr);
            run(connectRaw(seeded).get(), "ANALYZE");
            run(admin.get(), "COMMENT ON DATABASE " + name + " IS 'complete'");
        }
        return seeded;
    }();
    return uri;
}

// A copy of the seeded register for this run's insertions, dropped when the run ends. Made before
// anything connects to the seeded one (a template must have no other sessions).
class ServerCopy {
public:
    ServerCopy() : name_("zelt_bench_copy_" + std::to_string(::getpid())) {
        seededServerDatabase();
        const Connection admin = connectRaw(benchServer());
        // The session the seeding left in this process's pool, if it seeded.
        run(admin.get(), "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = $1", {seededServerName()});
        run(admin.get(), "CREATE DATABASE " + name_ + " TEMPLATE " + seededServerName());
    }
    ~ServerCopy() {
        try {
            run(connectRaw(benchServer()).get(), "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
        } catch (...) {
        }
    }
    std::string uri() const { return withDatabase(benchServer(), name_); }

private:
    std::string name_;
};

}  // namespace zelt::bench

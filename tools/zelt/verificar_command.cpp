// zelt verificar [--db PATH]: SQLite's integrity check of the database file, printed as
// {"integrity":["ok"]}; exit status 1 when it finds problems or cannot read the file. It only reads:
// a mistyped path or a share not mounted is an error, and nothing is created there.
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "commands.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/engine.hpp"

void addVerificarCommand(CLI::App& app) {
    auto database = std::make_shared<std::string>();
    CLI::App* cmd = app.add_subcommand("verificar", "Verifica a integridade do arquivo do banco de dados");
    cmd->add_option("--db", *database, "Arquivo do banco de dados (define ZELT_DATABASE)");
    cmd->callback([database] {
        try {
            const std::string path = database->empty() ? zelt::jet::defaultDatabasePath() : *database;
            const auto lines = zelt::jet::checkIntegrity(path);
            std::cout << nlohmann::json{{"integrity", lines}}.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                      << '\n';
            if (lines != std::vector<std::string>{"ok"}) throw CLI::RuntimeError(1);
        } catch (const zelt::RuntimeError& e) {
            std::cerr << "zelt verificar: " << e.description() << '\n';
            throw CLI::RuntimeError(1);
        }
    });
}

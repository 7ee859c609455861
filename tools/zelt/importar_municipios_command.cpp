// zelt importar-municipios [--db PATH] ARQUIVO.csv: (re)loads MunicipiosIBGE from a file.
#include <iostream>
#include <memory>

#include "commands.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/engine.hpp"

void addImportarMunicipiosCommand(CLI::App& app) {
    struct Options {
        std::string database, file;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand("importar-municipios",
                                       "Carrega os códigos IBGE de um arquivo CodigoIBGE;Nome;UF");
    cmd->add_option("--db", options->database, "Arquivo do banco de dados (define ZELT_DATABASE)");
    cmd->add_option("arquivo", options->file, "Arquivo CSV, UTF-8, separado por ';'")->required();
    cmd->callback([options] {
        try {
            const std::string path = options->database.empty() ? zelt::jet::defaultDatabasePath() : options->database;
            const int64_t count = zelt::jet::importMunicipios(path, options->file);
            std::cout << count << " municípios importados de '" << options->file << "'.\n";
        } catch (const zelt::RuntimeError& e) {
            std::cerr << "zelt importar-municipios: " << e.description() << '\n';
            throw CLI::RuntimeError(1);
        }
    });
}

#pragma once
// Each subcommand of the zelt command lives in its own file and adds itself to the application.
// A subcommand that fails throws CLI::RuntimeError with its exit status (or exits with it).
#include <CLI/CLI.hpp>

void addSqlCommand(CLI::App& app);
void addImportarMunicipiosCommand(CLI::App& app);
void addDemoCommand(CLI::App& app);
void addRunCommand(CLI::App& app);
void addVerificarCommand(CLI::App& app);
void addCopiarCommand(CLI::App& app);

// zelt copiar --de ORIGEM --para DESTINO: moves a whole register between a SQLite file and a
// PostgreSQL server (either way), with a progress bar on a terminal and the counts at the end.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>

#include "commands.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/jet/copy.hpp"

namespace {

void drawBar(const std::string& table, int64_t done, int64_t total) {
    constexpr int Width = 30;
    const int filled = total > 0 ? static_cast<int>(done * Width / total) : Width;
    std::fprintf(stderr, "\r  %-18s [%s%s] %lld/%lld", table.c_str(), std::string(static_cast<size_t>(filled), '#').c_str(),
                 std::string(static_cast<size_t>(Width - filled), ' ').c_str(), static_cast<long long>(done),
                 static_cast<long long>(total));
    if (done == total) std::fputc('\n', stderr);
    std::fflush(stderr);
}

}  // namespace

void addCopiarCommand(CLI::App& app) {
    struct Options {
        std::string from, to;
    };
    auto options = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand("copiar", "Copia todo o cadastro de um banco para outro (SQLite ou PostgreSQL)");
    cmd->add_option("--de", options->from, "Banco de origem: arquivo SQLite ou URI postgresql://")->required();
    cmd->add_option("--para", options->to, "Banco de destino, sem clientes: arquivo SQLite ou URI postgresql://")
        ->required();
    cmd->callback([options] {
        try {
            const bool terminal = ::isatty(STDERR_FILENO);
            const auto copied = zelt::jet::copyRegister(options->from, options->to,
                                                        terminal ? zelt::jet::CopyProgress(drawBar) : nullptr);
            int64_t total = 0;
            for (const auto& t : copied) {
                std::cout << t.table << ": " << t.rows << '\n';
                total += t.rows;
            }
            std::cout << total << " linhas copiadas em " << copied.size() << " tabelas.\n";
        } catch (const zelt::RuntimeError& e) {
            std::cerr << "\nzelt copiar: " << e.description() << '\n';
            throw CLI::RuntimeError(1);
        }
    });
}

#include "commands.hpp"

int main(int argc, char** argv) {
    CLI::App app{"zelt: cadastro de clientes e animais"};
    app.require_subcommand(1);
    addSqlCommand(app);
    addImportarMunicipiosCommand(app);
    addDemoCommand(app);
    addRunCommand(app);
    addVerificarCommand(app);
    addCopiarCommand(app);
    CLI11_PARSE(app, argc, argv);
    return 0;
}

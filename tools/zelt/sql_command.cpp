// zelt sql [--db PATH] "TEXT": one Jet statement through the data-access component, as JSON.
#include <cstdlib>
#include <iostream>
#include <memory>

#include <nlohmann/json.hpp>

#include "commands.hpp"
#include "saida_json.hpp"
#include "zelt/ado/connection.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/jet/errors.hpp"

namespace {

struct SqlOptions {
    std::string database;
    std::string text;
};

void printError(int32_t number, const std::string& description, int32_t helpContext) {
    imprimirJson(erroJson(number, description, helpContext));
}

int runSql(const SqlOptions& options) {
    using namespace zelt;
    if (!options.database.empty()) setenv("ZELT_DATABASE", options.database.c_str(), 1);
    try {
        dataaccess::DllRegisterServer();
        Ref<Object> dados = CreateObject(dataaccess::ProgId);
        const int16_t aberto = callByName(*dados, "AbrirConexao").toInt16();
        if (aberto == 3) {
            printError(err::ProviderFailure, getProperty(*dados, "DescricaoDaFalha").toText(),
                       jet::err::CannotOpenHelpContext);
            return 1;
        }
        if (aberto != 0) {
            printError(getProperty(*dados, "NumeroDoErro").toInt32(), getProperty(*dados, "DescricaoDoErro").toText(), 0);
            return 1;
        }
        auto conexao = refCast<ado::Connection>(getProperty(*dados, "ReferenciaDeConexao").toObject());
        if (!conexao) throwError(err::ObjectVariableNotSet);
        int64_t afetados = 0;
        Ref<ado::Recordset> rs = conexao->Execute(options.text, &afetados);
        if (rs) imprimirJson(ado::toJson(*rs));
        else imprimirJson({{"rowsAffected", afetados}});
        return 0;
    } catch (const RuntimeError& e) {
        printError(e.number(), e.description(), e.helpContext());
    } catch (const std::exception& e) {
        printError(err::ProviderFailure, e.what(), 0);
    }
    return 1;
}

}  // namespace

void addSqlCommand(CLI::App& app) {
    auto options = std::make_shared<SqlOptions>();
    CLI::App* sql = app.add_subcommand("sql", "Executa um comando Jet SQL e mostra o resultado em JSON");
    sql->add_option("--db", options->database, "Arquivo do banco de dados (define ZELT_DATABASE)");
    sql->add_option("texto", options->text, "O comando SQL")->required();
    sql->callback([options] {
        if (const int status = runSql(*options); status != 0) throw CLI::RuntimeError(status);
    });
}

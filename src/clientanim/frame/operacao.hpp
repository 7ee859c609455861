#pragma once
// One call of an operation: its progress point, the data-access object and the connection and
// recordsets it holds, and the one error handler that turns any run-time error into result 1.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "clientanim/frame/enumeracoes.hpp"
#include "clientanim/frame/objeto_de_negocio.hpp"
#include "zelt/ado/connection.hpp"

namespace zelt::clientanim {

class Operacao {
public:
    Operacao(ObjetoDeNegocio& dono, std::string metodo) : dono_(dono), metodo_(std::move(metodo)) {}
    Operacao(const Operacao&) = delete;
    Operacao& operator=(const Operacao&) = delete;

    void ponto(int16_t p) { ponto_ = p; }
    int16_t ponto() const { return ponto_; }
    ObjetoDeNegocio& dono() { return dono_; }

    // Points 1 and 2: a new data-access object opens the connection. Concluido when open, with
    // the connection and `recordsets` recordsets in hand; otherwise the data-access object's own
    // error (Erro) or failure text (Recusado) is copied into the owner and returned.
    int16_t abrirBanco(int recordsets);
    // Point 1 only: a data-access object that opens nothing (the paging takes a recordset from it).
    void criarDadosDeAcesso();
    ado::Connection& conexao();
    Ref<ado::Connection> referenciaDeConexao();
    Ref<ado::Recordset> recordset(size_t i);
    Ref<ado::Recordset> novoRecordset();  // ReferenciaDeRecordset once more
    // FecharConexao: Erro with the data-access object's error copied, Concluido otherwise.
    int16_t fecharConexao();
    // Releases the data-access object, the connection and the recordsets (ends the connection).
    void liberar();

    // The user object's default member; a missing user object is error 91.
    Variant perguntarAoUsuario(std::string_view chave);
    std::string nomeDoUsuario();
    bool usuarioAdministrador();

    // " SELECT NOW AS DataHoraDoServidor ": the server's clock; the recordset is disconnected and closed.
    Date lerHoraDoServidor();
    // The same, passed through its "dd/mm/yyyy hh:mm:ss" text and back, as the alterations store it.
    Date lerHoraDoServidorAoSegundo();
    // "SELECT @@Identity" right after an insertion on the same connection.
    double lerIdentidade();

    // Title, the operation's piece and the progress point.
    std::string localDoErro() const;

    // Runs the body under the error handler. `especial` sees the error first and may decide the
    // result itself (a refused deletion becomes 3); the operation's objects are released before
    // the error state is written, whatever the outcome.
    using TratamentoEspecial = std::function<std::optional<int16_t>(RuntimeError&, Operacao&)>;
    int16_t executar(const std::function<int16_t()>& corpo, const TratamentoEspecial& especial = {});

private:
    void copiarErroDosDadosDeAcesso();

    ObjetoDeNegocio& dono_;
    std::string metodo_;
    int16_t ponto_ = 0;
    Ref<Object> dadosDeAcesso_;
    Ref<ado::Connection> conexao_;
    std::vector<Ref<ado::Recordset>> recordsets_;
};

}  // namespace zelt::clientanim

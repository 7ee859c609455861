#include "clientanim/frame/operacao.hpp"

#include <new>

#include "clientanim/frame/texto_seguro.hpp"
#include "zelt/automation/registry.hpp"
#include "zelt/automation/regional.hpp"

namespace zelt::clientanim {

namespace {
constexpr const char* ProgIdDosDadosDeAcesso = "ZELT_I_ADO.clsObjetosDeDados";

template <class T>
Ref<T> objetoDoTipo(const Variant& v, const char* oQue) {
    auto obj = refCast<T>(v.toObject());
    if (!obj) throwError(err::TypeMismatch, standardDescription(err::TypeMismatch) + " (" + oQue + ")");
    return obj;
}
}  // namespace

void Operacao::criarDadosDeAcesso() {
    ponto(1);
    dadosDeAcesso_ = CreateObject(ProgIdDosDadosDeAcesso);
}

int16_t Operacao::abrirBanco(int recordsets) {
    criarDadosDeAcesso();
    ponto(2);
    const int16_t aberto = callByName(*dadosDeAcesso_, "AbrirConexao").toInt16();
    if (aberto == 1) {
        copiarErroDosDadosDeAcesso();
        return Erro;
    }
    if (aberto == 3) {
        dono_.descricaoDaFalha_ = getProperty(*dadosDeAcesso_, "DescricaoDaFalha").toText();
        return Recusado;
    }
    // Any other answer goes on without a connection; the first use of it fails in the handler.
    if (aberto == 0) conexao_ = objetoDoTipo<ado::Connection>(getProperty(*dadosDeAcesso_, "ReferenciaDeConexao"), "ReferenciaDeConexao");
    for (int i = 0; i < recordsets; ++i) novoRecordset();
    return Concluido;
}

Ref<ado::Recordset> Operacao::novoRecordset() {
    if (!dadosDeAcesso_) throwError(err::ObjectVariableNotSet);
    auto rs = objetoDoTipo<ado::Recordset>(getProperty(*dadosDeAcesso_, "ReferenciaDeRecordset"), "ReferenciaDeRecordset");
    recordsets_.push_back(rs);
    return rs;
}

ado::Connection& Operacao::conexao() {
    if (!conexao_) throwError(err::ObjectVariableNotSet);
    return *conexao_;
}

Ref<ado::Connection> Operacao::referenciaDeConexao() {
    conexao();
    return conexao_;
}

Ref<ado::Recordset> Operacao::recordset(size_t i) {
    if (i >= recordsets_.size() || !recordsets_[i]) throwError(err::ObjectVariableNotSet);
    return recordsets_[i];
}

int16_t Operacao::fecharConexao() {
    if (!dadosDeAcesso_) throwError(err::ObjectVariableNotSet);
    if (callByName(*dadosDeAcesso_, "FecharConexao").toInt16() == 1) {
        copiarErroDosDadosDeAcesso();
        return Erro;
    }
    return Concluido;
}

void Operacao::copiarErroDosDadosDeAcesso() {
    dono_.numeroDoErro_ = getProperty(*dadosDeAcesso_, "NumeroDoErro").toInt32();
    dono_.descricaoDoErro_ = getProperty(*dadosDeAcesso_, "DescricaoDoErro").toText();
    dono_.localDoErro_ = getProperty(*dadosDeAcesso_, "LocalDoErro").toText();
}

void Operacao::liberar() {
    recordsets_.clear();
    conexao_.reset();
    dadosDeAcesso_.reset();
}

Variant Operacao::perguntarAoUsuario(std::string_view chave) {
    if (!dono_.usuario_) throwError(err::ObjectVariableNotSet);
    return callDefault(*dono_.usuario_, {Variant(chave)});
}

// Goes beyond the original on purpose: the name is written between single quotes into the audit
// columns, and as it came a D'Ávila could never save anything while a crafted name could rewrite the
// row's other columns. It follows the rule the text treatment applies to every stored text, so the
// name is stored as D’Ávila and never reaches the statement's structure. A Null name joins the text
// as nothing, as it would in VB.
std::string Operacao::nomeDoUsuario() { return textoSeguro(perguntarAoUsuario("NomeDeUsuario")); }

bool Operacao::usuarioAdministrador() {
    // "= True" as VB compares: the answer is the number -1, the Boolean true, or a text that reads as
    // True (True, Verdadeiro, or a number that is -1). Null and Empty are no administrator; a text
    // that reads as neither a Boolean nor a number is a type mismatch.
    const Variant v = perguntarAoUsuario("Administrador");
    if (v.isNull() || v.isEmpty()) return false;
    if (const auto* b = v.get<bool>()) return *b;
    if (const auto* t = v.get<std::string>()) {
        const std::string palavra = regional::toUpper(regional::trim(*t));
        if (palavra == "TRUE" || palavra == "VERDADEIRO") return true;
        if (palavra == "FALSE" || palavra == "FALSO") return false;
    }
    return v.toDouble() == -1.0;
}

Date Operacao::lerHoraDoServidor() {
    auto rs = conexao().Execute(" SELECT NOW AS DataHoraDoServidor ");
    if (!rs) throwError(err::ObjectVariableNotSet);
    const Date agora = (*rs)(0).toDate();
    rs->putref_ActiveConnection(nullptr);
    rs->Close();
    return agora;
}

Date Operacao::lerHoraDoServidorAoSegundo() {
    const std::string texto = lerHoraDoServidor().format("dd/mm/yyyy hh:mm:ss");
    return Variant(texto).toDate();
}

double Operacao::lerIdentidade() {
    auto rs = conexao().Execute("SELECT @@Identity");
    if (!rs) throwError(err::ObjectVariableNotSet);
    const double codigo = (*rs)(0).toDouble();
    rs->putref_ActiveConnection(nullptr);
    rs->Close();
    return codigo;
}

std::string Operacao::localDoErro() const {
    return std::string(TituloDoComponente) + ", " + dono_.classe() + ", " + metodo_ + ", Ponto: " +
           std::to_string(static_cast<unsigned>(ponto_ < 0 ? -ponto_ : ponto_));
}

int16_t Operacao::executar(const std::function<int16_t()>& corpo, const TratamentoEspecial& especial) {
    std::optional<RuntimeError> erro;
    try {
        const int16_t resultado = corpo();
        liberar();
        return resultado;
    } catch (const RuntimeError& e) {
        erro = e;
    } catch (const std::bad_alloc&) {
        erro.emplace(err::OutOfMemory, standardDescription(err::OutOfMemory));
    } catch (const std::exception& e) {
        erro.emplace(err::InvalidProcedureCall, e.what());
    }
    std::optional<int16_t> decidido;
    if (especial) {
        try {
            decidido = especial(*erro, *this);
        } catch (const RuntimeError&) {
            // The special treatment's own failure (a rollback that cannot run) leaves the original error.
        }
    }
    liberar();
    if (decidido) return *decidido;
    dono_.numeroDoErro_ = erro->number();
    dono_.descricaoDoErro_ = erro->description();
    dono_.localDoErro_ = localDoErro();
    return Erro;
}

}  // namespace zelt::clientanim

// zelt run: an automation host that drives the component only through CreateObject,
// GetIDsOfNames and Invoke, as a presentation tier in another language would. One JSON line out
// per step.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string_view>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "commands.hpp"
#include "saida_json.hpp"
#include "registrar_bibliotecas.hpp"
#include "clientanim/frame/objetos_do_chamador.hpp"
#include "zelt/ado/json.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"
#include "zelt/automation/registry.hpp"

using nlohmann::json;
using namespace zelt;

namespace {

class Anfitriao {
public:
    json passo(const json& p) {
        if (p.contains("create")) return criar(p);
        if (p.contains("user")) return usuario(p);
        if (p.contains("grid")) return grade(p);
        if (p.contains("put")) return atribuir(p.at("put").get<std::string>(), InvokeKind::PropertyPut, valor(p.at("value")));
        if (p.contains("putref"))
            return atribuir(p.at("putref").get<std::string>(), InvokeKind::PropertyPutRef, Variant(objeto(p.at("object").get<std::string>())));
        if (p.contains("call")) return chamar(p);
        if (p.contains("get")) return json{{"value", paraJson(ler(p.at("get").get<std::string>()))}};
        if (p.contains("rows")) return ado::toJson(*recordset(ler(p.at("rows").get<std::string>())));
        if (p.contains("page")) return pagina(p);
        throwError(err::InvalidProcedureCall, "Passo desconhecido: " + p.dump());
    }

private:
    // "c.Membro" -> the object and the member's name.
    std::pair<Ref<Object>, std::string> alvo(const std::string& caminho) {
        auto ponto = caminho.find('.');
        if (ponto == std::string::npos) throwError(err::InvalidProcedureCall, "Esperado objeto.Membro: " + caminho);
        return {objeto(caminho.substr(0, ponto)), caminho.substr(ponto + 1)};
    }

    Ref<Object> objeto(const std::string& nome) {
        auto it = objetos_.find(nome);
        if (it == objetos_.end()) throwError(err::ObjectRequired, "Objeto desconhecido no roteiro: " + nome);
        return it->second;
    }

    Variant valor(const json& j) {
        if (j.is_null()) return Variant::null();
        if (j.is_boolean()) return Variant(j.get<bool>());
        if (j.is_number()) return Variant(j.get<double>());
        if (j.is_string()) return Variant(j.get<std::string>());
        if (j.is_object() && j.contains("currency")) {
            const json& c = j.at("currency");
            return Variant(c.is_string() ? Variant(c.get<std::string>()).toCurrency() : Currency::fromDouble(c.get<double>()));
        }
        if (j.is_object() && j.contains("date")) return Variant(Variant(j.at("date").get<std::string>()).toDate());
        if (j.is_object() && j.contains("object")) return Variant(objeto(j.at("object").get<std::string>()));
        throwError(err::TypeMismatch, "Valor que o roteiro não sabe converter: " + j.dump());
    }

    static json paraJson(const Variant& v) {
        if (v.isObject()) {
            auto obj = v.toObject();
            if (auto rs = refCast<ado::Recordset>(obj)) return ado::toJson(*rs);
            return json{{"object", obj ? "objeto" : "Nothing"}};
        }
        return ado::variantToJson(v);
    }

    static Ref<ado::Recordset> recordset(const Variant& v) {
        auto rs = refCast<ado::Recordset>(v.toObject());
        if (!rs) throwError(err::ObjectRequired, "O valor não é um recordset.");
        return rs;
    }

    Variant ler(const std::string& caminho) {
        auto [obj, membro] = alvo(caminho);
        const int32_t id = obj->GetIDsOfNames(membro);
        return obj->Invoke(id, InvokeKind::PropertyGet, {});
    }

    json criar(const json& p) {
        const auto progId = p.at("create").get<std::string>();
        const auto nome = p.value("as", progId);
        objetos_[nome] = CreateObject(progId);
        return json{{"created", nome}};
    }

    json usuario(const json& p) {
        auto u = make<clientanim::DadosDoUsuarioEmMemoria>();
        const json valores = p.value("values", json::object());
        for (const auto& [chave, v] : valores.items()) u->definir(chave, valor(v));
        const auto nome = p.at("user").get<std::string>();
        objetos_[nome] = u;
        return json{{"user", nome}};
    }

    json grade(const json& p) {
        auto g = make<clientanim::GradeEmMemoria>();
        for (const auto& linha : p.at("rows")) {
            std::vector<std::string> celulas;
            // A grid holds text: a number gives its JSON text, a null an empty cell.
            for (const auto& c : linha) celulas.push_back(c.is_string() ? c.get<std::string>() : c.is_null() ? "" : c.dump());
            g->adicionarLinha(std::move(celulas));
        }
        const auto nome = p.at("grid").get<std::string>();
        objetos_[nome] = g;
        return json{{"grid", nome}, {"rows", g->get_Rows()}};
    }

    json atribuir(const std::string& caminho, InvokeKind kind, Variant v) {
        auto [obj, membro] = alvo(caminho);
        const int32_t id = obj->GetIDsOfNames(membro);
        Variant args[] = {std::move(v)};
        obj->Invoke(id, kind, args);
        return json{{"ok", true}};
    }

    json chamar(const json& p) {
        auto [obj, membro] = alvo(p.at("call").get<std::string>());
        std::vector<Variant> args;
        for (const auto& a : p.value("args", json::array())) args.push_back(valor(a));
        const int32_t id = obj->GetIDsOfNames(membro);
        const Variant r = obj->Invoke(id, InvokeKind::Method, args);
        json depois = json::array();
        for (const auto& a : args) depois.push_back(paraJson(a));
        return json{{"result", paraJson(r)}, {"byref", depois}};
    }

    json pagina(const json& p) {
        auto obj = objeto(p.at("page").get<std::string>());
        auto origem = obj->Invoke(obj->GetIDsOfNames("ResultadoDaSelecaoEmRecordset"), InvokeKind::PropertyGet, {});
        if (p.contains("absolutePage")) {
            auto rs = recordset(origem).get();
            Variant pagina[] = {valor(p.at("absolutePage"))};
            rs->Invoke(rs->GetIDsOfNames("AbsolutePage"), InvokeKind::PropertyPut, pagina);
        }
        std::vector<Variant> args{Variant(static_cast<double>(p.value("size", 10))), Variant()};
        const Variant r = obj->Invoke(obj->GetIDsOfNames("PaginarResultadoDaSelecaoEmRecordset"), InvokeKind::Method, args);
        json saida{{"result", paraJson(r)}};
        if (args[1].isObject()) {
            json rows = ado::toJson(*recordset(args[1]));
            saida["fields"] = rows["fields"];
            saida["rows"] = rows["rows"];
        }
        return saida;
    }

    std::map<std::string, Ref<Object>> objetos_;
};

// A step nests its values a few levels deep; the host's replies and messages walk a step
// recursively, so a deeper step is refused before it is built.
constexpr int NiveisPorPasso = 64;

// A script, or a line that is one step, parsed; the steps that nest too deep keep only their
// outer levels and are named by position in `profundos`.
struct Leitura {
    json valor;
    std::set<size_t> profundos;
};

// `nivel`: the depth of the steps (1 in a script, which is an array of steps; 0 in a line).
Leitura lerComLimite(std::string_view texto, int nivel) {
    Leitura l;
    size_t passos = 0;
    l.valor = json::parse(
        texto,
        [&](int profundidade, json::parse_event_t evento, json&) {
            const bool abre = evento == json::parse_event_t::object_start || evento == json::parse_event_t::array_start;
            if (profundidade == nivel && (abre || evento == json::parse_event_t::value)) ++passos;
            if (!abre || profundidade < nivel + NiveisPorPasso) return true;
            l.profundos.insert(passos - 1);
            return false;  // not built
        },
        false);
    return l;
}

// The whole script file; nothing (after saying why) when it cannot be read.
std::optional<std::string> lerArquivo(const std::string& caminho) {
    std::error_code ec;
    if (std::filesystem::is_directory(caminho, ec)) {
        std::cerr << "zelt run: " << caminho << " é uma pasta, não um roteiro\n";
        return std::nullopt;
    }
    std::ifstream arquivo(caminho, std::ios::binary);
    std::string texto;
    try {
        if (arquivo) texto.assign(std::istreambuf_iterator<char>(arquivo), {});
    } catch (const std::ios_base::failure&) {  // a read error: the file buffer throws whatever its stream says
        arquivo.setstate(std::ios::badbit);
    }
    if (!arquivo) {
        std::cerr << "zelt run: não foi possível abrir " << caminho << "\n";
        return std::nullopt;
    }
    return texto;
}

class Execucao {
public:
    // Every step runs, whatever happened to the ones before; a failed one prints its error.
    void executar(const Leitura& leitura, const json& passo, size_t posicao) {
        if (leitura.profundos.contains(posicao))
            return falhar(erroJson(err::InvalidProcedureCall,
                                   "Passo com mais de " + std::to_string(NiveisPorPasso) + " níveis de aninhamento", 0));
        try {
            imprimirJson(anfitriao_.passo(passo));
        } catch (const RuntimeError& e) {
            falhar(erroJson(e.number(), e.description(), e.helpContext()));
        } catch (const std::exception& e) {
            falhar(erroJson(err::InvalidProcedureCall, e.what(), 0));
        }
    }
    void falhar(const json& erro) {
        imprimirJson(erro);
        tudoCorreu_ = false;
    }
    int status() const { return tudoCorreu_ ? 0 : 1; }

private:
    Anfitriao anfitriao_;
    bool tudoCorreu_ = true;
};

// JSON lines on standard input, one step each; a line that is no JSON prints an error and the
// host goes on.
int executarLinhas(std::istream& entrada) {
    if (!registrarBibliotecas("zelt run")) return 1;
    Execucao execucao;
    std::string linha;
    while (std::getline(entrada, linha)) {
        if (linha.find_first_not_of(" \t\r") == std::string::npos) continue;
        const Leitura passo = lerComLimite(linha, 0);
        if (passo.valor.is_discarded()) execucao.falhar(erroJson(err::TypeMismatch, "Linha que não é JSON: " + linha, 0));
        else execucao.executar(passo, passo.valor, 0);
    }
    return execucao.status();
}

// A script file, a JSON array of steps, refused whole when it is not one.
int executarRoteiro(const std::string& texto) {
    const Leitura roteiro = lerComLimite(texto, 1);
    if (roteiro.valor.is_discarded() || !roteiro.valor.is_array()) {
        std::cerr << "zelt run: o roteiro deve ser um vetor JSON de passos\n";
        return 1;
    }
    if (!registrarBibliotecas("zelt run")) return 1;
    Execucao execucao;
    for (size_t i = 0; i < roteiro.valor.size(); ++i) execucao.executar(roteiro, roteiro.valor[i], i);
    return execucao.status();
}

}  // namespace

void addRunCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand("run", "Drive the component through dispatch from a JSON script (a file, or JSON lines on stdin with -)");
    static std::string roteiro = "-";
    static std::string banco;
    cmd->add_option("script", roteiro, "SCRIPT.json, or - for JSON lines on standard input");
    cmd->add_option("--db", banco, "database file (default: $ZELT_DATABASE or the user's data directory)");
    cmd->callback([] {
        if (!banco.empty()) setenv("ZELT_DATABASE", banco.c_str(), 1);
        if (roteiro == "-") std::exit(executarLinhas(std::cin));
        const auto texto = lerArquivo(roteiro);
        std::exit(texto ? executarRoteiro(*texto) : 1);
    });
}

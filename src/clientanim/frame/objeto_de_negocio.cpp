#include "clientanim/frame/objeto_de_negocio.hpp"

#include "zelt/automation/registry.hpp"

namespace zelt::clientanim {

namespace {
std::atomic<long> vivos{0};
constexpr const char* ProgIdDoTratamento = "ZELT_N_TrataDados.clsTratamento";
}  // namespace

ContadorDaBiblioteca::ContadorDaBiblioteca() noexcept { vivos.fetch_add(1); }
ContadorDaBiblioteca::ContadorDaBiblioteca(const ContadorDaBiblioteca&) noexcept { vivos.fetch_add(1); }
ContadorDaBiblioteca::~ContadorDaBiblioteca() { vivos.fetch_sub(1); }

long ObjetoDeNegocio::objetosVivos() noexcept { return vivos.load(); }

ObjetoDeNegocio::ObjetoDeNegocio(std::string classe, bool criarTratamento) : classe_(std::move(classe)) {
    if (criarTratamento) tratamento_ = CreateObject(ProgIdDoTratamento);
    vivos.fetch_add(1);
}

ObjetoDeNegocio::~ObjetoDeNegocio() { vivos.fetch_sub(1); }

Object& ObjetoDeNegocio::tratamento() {
    if (!tratamento_) tratamento_ = CreateObject(ProgIdDoTratamento);
    return *tratamento_;
}

std::string ObjetoDeNegocio::tratar(const std::string& texto, bool multiplasLinhas) {
    std::vector<Variant> args{Variant(texto)};
    if (multiplasLinhas) args.emplace_back(true);
    return callByNameRef(tratamento(), "TratarString", args).toText();
}

std::string ObjetoDeNegocio::textoDeBusca(const Variant& valor) {
    if (valor.isNumber() || valor.isEmpty() || valor.isNull()) return valor.isNull() ? std::string() : valor.toText();
    return tratar(valor.toText());
}

std::string ObjetoDeNegocio::montarSoundex(const std::string& texto) {
    std::vector<Variant> args{Variant(texto)};
    return callByNameRef(tratamento(), "MontarSoundex", args).toText();
}

}  // namespace zelt::clientanim

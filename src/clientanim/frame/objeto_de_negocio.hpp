#pragma once
// What the three public classes share: the error state, the last selection, the user object, the
// text-treatment object, and the count of the library's live objects.
#include <atomic>
#include <string>

#include "zelt/ado/recordset.hpp"
#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"

namespace zelt::clientanim {

inline constexpr const char* TituloDoComponente = "ZELT_N_ClientAnim";

class ObjetoDeNegocio : public Dispatchable {
public:
    ~ObjetoDeNegocio() override;

    int32_t get_NumeroDoErro() const { return numeroDoErro_; }
    std::string get_DescricaoDoErro() const { return descricaoDoErro_; }
    std::string get_LocalDoErro() const { return localDoErro_; }
    std::string get_DescricaoDaFalha() const { return descricaoDaFalha_; }
    Ref<ado::Recordset> get_ResultadoDaSelecaoEmRecordset() const { return resultado_; }
    void putref_DadosDoUsuario(Ref<Object> usuario) { usuario_ = std::move(usuario); }

    const std::string& classe() const { return classe_; }

    // A selection's recordset becomes the object's result; an empty one comes with its message.
    void guardarResultado(Ref<ado::Recordset> rs) { resultado_ = std::move(rs); }
    void guardarResultado(Ref<ado::Recordset> rs, std::string mensagemSemRegistros) {
        resultado_ = std::move(rs);
        descricaoDaFalha_ = std::move(mensagemSemRegistros);
    }

    // Objects of this library alive now (DllCanUnloadNow).
    static long objetosVivos() noexcept;

protected:
    // With a text-treatment object created now (the classes that treat their texts on assignment);
    // its failure fails the creation.
    ObjetoDeNegocio(std::string classe, bool criarTratamento);

    // A text put: stores what TratarString returns for the caller's text.
    std::string tratar(const std::string& texto, bool multiplasLinhas = false);
    // A search value in its ordinary text form, through the same treatment as the stored texts
    // (so that a search for O'Brien finds the O’Brien that was stored); numbers are written as they are.
    std::string textoDeBusca(const Variant& valor);
    // The phonetic key of a name.
    std::string montarSoundex(const std::string& texto);

    // The values the error handler and the operations write.
    int32_t numeroDoErro_ = 0;
    std::string descricaoDoErro_, localDoErro_, descricaoDaFalha_;
    std::string nomeDoCampoValidado_;
    Ref<ado::Recordset> resultado_;
    Ref<Object> usuario_;

private:
    friend class Operacao;
    Object& tratamento();  // created on first use for the class that holds none

    std::string classe_;
    Ref<Object> tratamento_;
};

// Counted by every object this library hands out (business objects, grids, user objects).
class ContadorDaBiblioteca {
public:
    ContadorDaBiblioteca() noexcept;
    ContadorDaBiblioteca(const ContadorDaBiblioteca&) noexcept;
    ~ContadorDaBiblioteca();
};

}  // namespace zelt::clientanim

#include "clientanim/clients/declaracoes_do_cliente.hpp"

#include <array>
#include <span>
#include <string_view>

#include "clientanim/frame/valores_sql.hpp"

namespace zelt::clientanim::declaracoes {

namespace {

using clientes::Logico;
using clientes::Moeda;
using clientes::Texto;

#define ZELT_NOME_(n) #n,
constexpr const char* NomesDosTextos[] = {ZELT_CLSCLIENTES_PROPRIEDADES(
    ZELT_CLSCLIENTES_NADA_, ZELT_NOME_, ZELT_NOME_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_)};
constexpr const char* NomesDosLogicos[] = {ZELT_CLSCLIENTES_PROPRIEDADES(
    ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_NOME_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_)};
constexpr const char* NomesDasMoedas[] = {ZELT_CLSCLIENTES_PROPRIEDADES(
    ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_CLSCLIENTES_NADA_, ZELT_NOME_, ZELT_CLSCLIENTES_NADA_)};
#undef ZELT_NOME_

enum class Fonte : uint8_t { Texto, SoundexDoApelido, SoundexDoNome, Logico, Moeda, Situacao, DataHora, Usuario };

// One column of a statement: where its value comes from and the piece that closes it.
struct Coluna {
    Fonte fonte;
    uint8_t indice;
    const char* fecho;

    std::string_view nome() const {
        switch (fonte) {
            case Fonte::Texto: return NomesDosTextos[indice];
            case Fonte::Logico: return NomesDosLogicos[indice];
            case Fonte::Moeda: return NomesDasMoedas[indice];
            case Fonte::SoundexDoApelido: return "ApelidoOuNomeFantasiaSoundex";
            case Fonte::SoundexDoNome: return "NomeOuRazaoSocialSoundex";
            case Fonte::Situacao: return "Situacao";
            case Fonte::DataHora: return "DataEHoraDaInclusao";
            case Fonte::Usuario: return "UsuarioDaInclusao";
        }
        return {};
    }
    bool entreAspas() const { return fonte != Fonte::Logico && fonte != Fonte::Moeda && fonte != Fonte::Situacao; }
};

constexpr Coluna T(Texto t, const char* fecho = "',") { return {Fonte::Texto, static_cast<uint8_t>(t), fecho}; }
constexpr Coluna L(Logico l) { return {Fonte::Logico, static_cast<uint8_t>(l), ", "}; }
constexpr Coluna M(Moeda m) { return {Fonte::Moeda, static_cast<uint8_t>(m), ", "}; }
constexpr Coluna Soundex(Fonte f) { return {f, 0, "',"}; }
constexpr Coluna SituacaoDoCliente{Fonte::Situacao, 0, ", "};

#define ZELT_DESCONTOS_                                                                                       \
    M(Moeda::PercentualUnicoDeDescontos), M(Moeda::PercentualDeDescontoEmClinicos),                          \
        M(Moeda::PercentualDeDescontoEmCirurgiaSimples), M(Moeda::PercentualDeDescontoEmCirurgiaMedia),       \
        M(Moeda::PercentualDeDescontoEmCirurgiaComplexa), M(Moeda::PercentualDeDescontoEmBanhosTosasEEsteticas), \
        M(Moeda::PercentualDeDescontoEmHospedagens), M(Moeda::PercentualDeDescontoEmAdestramentos),           \
        M(Moeda::PercentualDeDescontoEmOutros)

#define ZELT_ENDERECO_                                                                                  \
    T(Texto::CEP), T(Texto::TipoDeLogradouro), T(Texto::Logradouro), T(Texto::Numero), T(Texto::Complemento), \
        T(Texto::Bairro), T(Texto::Cidade), T(Texto::CodigoIBGEDoMunicipio), T(Texto::UF)

#define ZELT_COBRANCA_E_CANAIS_                                                                               \
    T(Texto::EndCobCEP), T(Texto::EndCobTipoDeLogradouro), T(Texto::EndCobLogradouro), T(Texto::EndCobNumero),   \
        T(Texto::EndCobComplemento), T(Texto::EndCobBairro), T(Texto::EndCobCidade), T(Texto::EndCobUF),          \
        T(Texto::TipoDeCanalDeComunicacao1), T(Texto::CanalDeComunicacao1), T(Texto::TipoDeCanalDeComunicacao2), \
        T(Texto::CanalDeComunicacao2), T(Texto::TipoDeCanalDeComunicacao3), T(Texto::CanalDeComunicacao3),       \
        T(Texto::TipoDeCanalDeComunicacao4), T(Texto::CanalDeComunicacao4)

constexpr std::array<Coluna, 55> ColunasDaInsercao{
    T(Texto::TipoDeCliente), T(Texto::ApelidoOuNomeFantasia), Soundex(Fonte::SoundexDoApelido),
    T(Texto::NomeOuRazaoSocial), Soundex(Fonte::SoundexDoNome), T(Texto::Sexo), T(Texto::DataDeNascimento),
    T(Texto::AnoDeNascimento), T(Texto::CPFCNPJ), T(Texto::RGIE), ZELT_ENDERECO_, L(Logico::VIP),
    T(Texto::CategoriaDaCurvaABC), ZELT_COBRANCA_E_CANAIS_, T(Texto::Profissao), T(Texto::Observacao),
    M(Moeda::LimiteDeCredito), T(Texto::MotivoDaSituacao, "', "), L(Logico::ClienteComDesconto),
    L(Logico::DescontoUnico), ZELT_DESCONTOS_, SituacaoDoCliente, Coluna{Fonte::DataHora, 0, "', "},
    Coluna{Fonte::Usuario, 0, "');"},
};

constexpr std::array<Coluna, 52> ColunasDaAlteracao{
    T(Texto::ApelidoOuNomeFantasia), Soundex(Fonte::SoundexDoApelido), T(Texto::NomeOuRazaoSocial),
    Soundex(Fonte::SoundexDoNome), T(Texto::Sexo), T(Texto::DataDeNascimento), T(Texto::AnoDeNascimento),
    T(Texto::CPFCNPJ), T(Texto::RGIE), L(Logico::VIP), T(Texto::CategoriaDaCurvaABC), ZELT_ENDERECO_,
    ZELT_COBRANCA_E_CANAIS_, T(Texto::Profissao, "', "), T(Texto::Observacao, "', "), M(Moeda::LimiteDeCredito),
    T(Texto::MotivoDaSituacao, "', "), L(Logico::ClienteComDesconto), L(Logico::DescontoUnico), ZELT_DESCONTOS_,
    SituacaoDoCliente,
};

#undef ZELT_DESCONTOS_
#undef ZELT_ENDERECO_
#undef ZELT_COBRANCA_E_CANAIS_

std::string valor(const Coluna& col, const clsClientes& c, const Complementos& k) {
    switch (col.fonte) {
        case Fonte::Texto: return c.texto(static_cast<Texto>(col.indice));
        case Fonte::SoundexDoApelido: return k.soundexDoApelido;
        case Fonte::SoundexDoNome: return k.soundexDoNome;
        case Fonte::Logico: return sql::booleano(c.logico(static_cast<Logico>(col.indice)));
        case Fonte::Moeda: return sql::moeda(c.moeda(static_cast<Moeda>(col.indice)));
        case Fonte::Situacao: return std::to_string(c.get_Situacao());
        case Fonte::DataHora: return k.dataHora;
        case Fonte::Usuario: return k.usuario;
    }
    return {};
}

std::string rodapeDaAlteracao(const clsClientes& c, const Complementos& k) {
    return "DataEHoraDaAlteracao='" + k.dataHora + "', " + "UsuarioDaAlteracao='" + k.usuario + "' " +
           "WHERE Codigo=" + sql::numero(c.codigo()) + ";";
}

constexpr const char* InicioDaAlteracao = "UPDATE Clientes SET ";

}  // namespace

std::string insercaoDoCliente(const clsClientes& c, const Complementos& k) {
    std::string colunas, valores;
    for (const Coluna& col : ColunasDaInsercao) {
        if (!colunas.empty()) colunas += ",";
        colunas += col.nome();
        valores += (col.entreAspas() ? "'" : "") + valor(col, c, k) + col.fecho;
    }
    return "INSERT INTO Clientes (" + colunas + ")" + " VALUES(" + valores;
}

std::string alteracaoDoCliente(const clsClientes& c, const Complementos& k) {
    std::string texto = InicioDaAlteracao;
    for (const Coluna& col : ColunasDaAlteracao)
        texto += std::string(col.nome()) + (col.entreAspas() ? "='" : "=") + valor(col, c, k) + col.fecho;
    return texto + rodapeDaAlteracao(c, k);
}

std::string alteracaoDoCodigoIBGE(const clsClientes& c, const Complementos& k) {
    return InicioDaAlteracao + std::string("CodigoIBGEDoMunicipio='") + c.texto(Texto::CodigoIBGEDoMunicipio) + "'," +
           rodapeDaAlteracao(c, k);
}

std::string exclusaoDoCliente(const clsClientes& c, const Complementos& k) {
    return InicioDaAlteracao + std::string("Situacao=") + "4" + ", " + rodapeDaAlteracao(c, k);
}

}  // namespace zelt::clientanim::declaracoes

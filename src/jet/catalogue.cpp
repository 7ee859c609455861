#include "zelt/jet/catalogue.hpp"

#include <strings.h>

#include <algorithm>
#include <initializer_list>

namespace zelt::jet {
namespace {

using K = ColumnKind;

ColumnDef text(const char* name, int size = 50) { return {name, K::Text, size}; }
ColumnDef col(const char* name, ColumnKind kind) { return {name, kind, 0}; }

TableDef animais() {
    TableDef t{"Animais",
               {col("Codigo", K::Counter), text("Nome"), text("Sexo", 1), col("CodigoDoCliente", K::Number),
                col("CodigoDaEspecie", K::Number), col("CodigoDaRaca", K::Number), text("Porte", 30), text("Cor", 30),
                col("DataDeNascimento", K::Date), text("RGA", 30), text("Microchip", 30), col("Pedigree", K::YesNo),
                col("AnimalMorto", K::YesNo), col("Observacao", K::Memo), col("Situacao", K::Number),
                col("DataEHoraDaInclusao", K::DateTime), text("UsuarioDaInclusao"),
                col("DataEHoraDaAlteracao", K::DateTime), text("UsuarioDaAlteracao")},
               // No relations to owner, species and breed: an animal is written with the codes it is
               // given (owner 0 included), and the joined lists leave out one whose rows are missing.
               {},
               {{"Nome"}, {"CodigoDoCliente"}, {"Microchip"}, {"DataEHoraDaInclusao"}}};
    return t;
}

TableDef clientes() {
    std::vector<ColumnDef> c{col("Codigo", K::Counter), text("TipoDeCliente", 2), text("ApelidoOuNomeFantasia", 100),
                             text("ApelidoOuNomeFantasiaSoundex", 100), text("NomeOuRazaoSocial", 100),
                             text("NomeOuRazaoSocialSoundex", 100), text("Sexo", 1), text("DataDeNascimento", 4),
                             text("AnoDeNascimento", 4), text("CPFCNPJ", 14), text("RGIE", 20), text("CEP", 8),
                             text("TipoDeLogradouro", 20), text("Logradouro", 100), text("Numero", 10),
                             text("Complemento", 50), text("Bairro", 50), text("Cidade", 50),
                             text("CodigoIBGEDoMunicipio", 7), text("UF", 2), col("VIP", K::YesNo),
                             text("CategoriaDaCurvaABC", 1)};
    for (const char* part : {"CEP", "TipoDeLogradouro", "Logradouro", "Numero", "Complemento", "Bairro", "Cidade", "UF"})
        c.push_back(text((std::string("EndCob") + part).c_str(), 100));
    for (int i = 1; i <= 4; ++i) {
        c.push_back(text(("TipoDeCanalDeComunicacao" + std::to_string(i)).c_str(), 30));
        c.push_back(text(("CanalDeComunicacao" + std::to_string(i)).c_str(), 100));
    }
    for (ColumnDef d : {text("Profissao"), col("Observacao", K::Memo), col("LimiteDeCredito", K::Money),
                        text("MotivoDaSituacao", 255), col("ClienteComDesconto", K::YesNo),
                        col("DescontoUnico", K::YesNo), col("PercentualUnicoDeDescontos", K::Money)})
        c.push_back(d);
    for (const char* kind : {"Clinicos", "CirurgiaSimples", "CirurgiaMedia", "CirurgiaComplexa",
                             "BanhosTosasEEsteticas", "Hospedagens", "Adestramentos", "Outros"})
        c.push_back(col((std::string("PercentualDeDescontoEm") + kind).c_str(), K::Money));
    for (ColumnDef d : {col("Situacao", K::Number), col("DataEHoraDaInclusao", K::DateTime), text("UsuarioDaInclusao"),
                        col("DataEHoraDaAlteracao", K::DateTime), text("UsuarioDaAlteracao"), col("Credito", K::Money),
                        col("DataDaUltimaCompra", K::Date), col("ValorDaUltimaCompra", K::Money)})
        c.push_back(d);
    // The CPF or CNPJ is looked up before a client is written, outside the transaction; the index
    // keeps two workstations saving the same number at once from both succeeding.
    return {"Clientes",
            std::move(c),
            {},
            {{"NomeOuRazaoSocial"}, {"ApelidoOuNomeFantasia"}, {"CPFCNPJ"}, {"Situacao"}, {"DataEHoraDaInclusao"},
             {"Logradouro"}},
            {"CPFCNPJ"}};
}

// The tables whose rows name an animal; the relation keeps an animal in use from being deleted.
TableDef referring(const char* name) {
    return {name,
            {col("Codigo", K::Counter), col("CodigoDoAnimal", K::Number), text("Descricao", 255)},
            {{"CodigoDoAnimal", "Animais", "Codigo"}},
            {{"CodigoDoAnimal"}}};
}

std::vector<TableDef> build() {
    std::vector<TableDef> all{
        animais(),
        clientes(),
        {"EspeciesDeAnimais", {col("Codigo", K::Counter), text("Nome")}, {}, {}},
        {"RacasDeAnimais",
         {col("Codigo", K::Counter), text("Nome"), col("CodigoDaEspecieDeAnimal", K::Number)},
         {{"CodigoDaEspecieDeAnimal", "EspeciesDeAnimais", "Codigo"}},
         {{"CodigoDaEspecieDeAnimal"}}},
        {"MunicipiosIBGE", {text("CodigoIBGE", 7), text("Nome", 100), text("UF", 2)}, {}, {{"CodigoIBGE"}}},
        {"ContasAReceber",
         {col("Codigo", K::Counter), col("CodigoDoCliente", K::Number), col("ValorDoDocumento", K::Money),
          col("DataDaBaixa", K::Date)},
         {},
         {{"CodigoDoCliente"}}},
        {"Empresa",
         {col("Codigo", K::Counter), text("NomeFantasia", 100), col("DataDeAtualizacaoDaCategoriaDaCurvaABC", K::Date)},
         {},
         {}},
        {"OSParaBD", {col("Numero", K::Number)}, {}, {}},
    };
    for (const char* name : {"Agendamentos", "ContratosPSA", "Exames", "FichasClinicas", "ItensDeVendas",
                             "ItensDoOrcamento", "Medicacoes", "Orcamentos", "Receitas", "ServicosEfetuados",
                             "Vacinacoes"})
        all.push_back(referring(name));
    return all;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && (a.empty() || (a[0] | 0x20) == (b[0] | 0x20)) &&
           strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

const std::vector<TableDef>& catalogue() {
    static const std::vector<TableDef> tables = build();
    return tables;
}

std::vector<const TableDef*> tablesReferredFirst() {
    std::vector<const TableDef*> order;
    std::vector<std::string_view> done;
    auto isDone = [&](std::string_view name) { return std::find(done.begin(), done.end(), name) != done.end(); };
    while (order.size() < catalogue().size()) {
        const size_t before = order.size();
        for (const TableDef& t : catalogue()) {
            if (isDone(t.name)) continue;
            bool ready = true;
            for (const ForeignKey& fk : t.foreignKeys) ready = ready && (fk.refTable == t.name || isDone(fk.refTable));
            if (!ready) continue;
            order.push_back(&t);
            done.push_back(t.name);
        }
        if (order.size() == before) break;  // a cycle: the catalogue has none
    }
    return order;
}

const TableDef* findTable(std::string_view name) {
    for (const TableDef& t : catalogue())
        if (sameName(t.name, name)) return &t;
    return nullptr;
}

const ColumnDef* findColumn(const TableDef& table, std::string_view column) {
    for (const ColumnDef& c : table.columns)
        if (sameName(c.name, column)) return &c;
    return nullptr;
}

}  // namespace zelt::jet

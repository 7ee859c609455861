#include "clientanim/frame/paginacao.hpp"

#include "clientanim/frame/operacao.hpp"

namespace zelt::clientanim {

int16_t paginarResultado(ObjetoDeNegocio& dono, int16_t itensPorPagina, Variant& pagina) {
    Operacao op(dono, "PaginarResultadoDaSelecaoEmRecordset");
    return op.executar([&]() -> int16_t {
        op.criarDadosDeAcesso();
        Ref<ado::Recordset> copia = op.novoRecordset();

        op.ponto(2);
        Ref<ado::Recordset> origem = dono.get_ResultadoDaSelecaoEmRecordset();
        if (!origem) throwError(err::ObjectVariableNotSet);
        const int32_t paginaAtual = origem->get_AbsolutePage();
        const int32_t paginaLembrada = paginaAtual > 0 ? paginaAtual : 1;

        op.ponto(3);
        op.ponto(4);
        if (copia->get_State() == ado::adStateOpen) copia->Close();

        op.ponto(5);
        ado::Fields& campos = origem->get_Fields();
        const int32_t n = campos.get_Count();
        for (int32_t i = 0; i < n; ++i) {
            auto campo = campos.Item(i);
            copia->get_Fields().Append(campo->get_Name(), campo->get_Type(), campo->get_DefinedSize(),
                                       campo->get_Attributes());
        }

        op.ponto(6);
        if (origem->get_EOF()) origem->MoveFirst();
        copia->Open();
        for (int32_t contador = 1; contador <= itensPorPagina; ++contador) {
            if (origem->get_EOF()) break;
            copia->AddNew();
            for (int32_t i = 0; i < n; ++i) {
                auto campo = campos.Item(i);
                copia->get_Fields().Item(std::string_view(campo->get_Name()))->put_Value(campo->get_Value());
            }
            copia->Update();
            origem->MoveNext();
        }
        copia->MoveFirst();
        origem->put_AbsolutePage(paginaLembrada);

        op.ponto(7);
        pagina = Variant(copia);
        return Concluido;
    });
}

Member membroDePaginacao() {
    return Member{"PaginarResultadoDaSelecaoEmRecordset",
                  InvokeKind::Method,
                  {{"lintNumeroDeItensPorPagina", VarType::I2}, {"lobjPaginaDoRecordset", VarType::Variant, false, true}},
                  VarType::I2,
                  [](Object& o, std::span<Variant> a) {
                      return Variant(paginarResultado(static_cast<ObjetoDeNegocio&>(o), a[0].toInt16(), a[1]));
                  }};
}

}  // namespace zelt::clientanim

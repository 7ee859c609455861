#include "clientanim/clients/selecao_colunas.hpp"

namespace zelt::clientanim::clientes {

namespace {

// Every stored value comes back display-ready: documents, postal codes, amounts and statuses are
// formatted by the database, and a null becomes an empty text or a formatted zero.
constexpr std::string_view Colunas[] = {
    "   IIF(IsNull(Clientes.Codigo), 0, Clientes.Codigo) AS CodigoDoCliente, ",
    "   IIF(IsNull(Clientes.ApelidoOuNomeFantasia), '', Clientes.ApelidoOuNomeFantasia) AS ApelidoOuNomeFantasia, ",
    "   IIF(IsNull(Clientes.NomeOuRazaoSocial), '', Clientes.NomeOuRazaoSocial) AS NomeOuRazaoSocial, ",
    "   IIF(IsNull(Clientes.CPFCNPJ), '', IIF(Clientes.TipoDeCliente='PF', IIF(Clientes.CPFCNPJ<>'', Format([Clientes.CPFCNPJ],'000\\.000\\.000\\-00'), ''), IIF(Clientes.CPFCNPJ<>'',Format([Clientes.CPFCNPJ],'00\\.000\\.000\\/0000-00'),''))) AS CPFCNPJ, ",
    "   IIF(IsNull(Clientes.TipoDeCliente), '', Clientes.TipoDeCliente) AS TipoDeCliente, ",
    "   IIF(IsNull(Clientes.Sexo), '', Clientes.Sexo) AS Sexo, ",
    "   IIF([Clientes.DataDeNascimento]<>'', Format([Clientes.DataDeNascimento],'00/00') & IIF([Clientes.AnoDeNascimento]<>'','/' & Clientes.AnoDeNascimento,''), '') As DataDeNascimento, ",
    "   IIF(IsNull(Clientes.AnoDeNascimento), '', Clientes.AnoDeNascimento) AS AnoDeNascimento, ",
    "   IIF(IsNull(Clientes.RGIE), '', Clientes.RGIE) AS RGIE, ",
    "   IIF(Clientes.VIP=True, 'Sim', 'Não') AS VIP, ",
    "   IIF(IsNull(Clientes.CategoriaDaCurvaABC), '', Clientes.CategoriaDaCurvaABC) AS CategoriaDaCurvaABC, ",
    "   IIF(IsNull(Clientes.CEP), '',  IIF(Clientes.CEP<>'',Format([Clientes.CEP],'00000-000'),'')) AS CEP, ",
    "   IIF(IsNull(Clientes.TipoDeLogradouro), '', Clientes.TipoDeLogradouro) AS TipoDeLogradouro, ",
    "   IIF(IsNull(Clientes.Logradouro), '', Clientes.Logradouro) AS Logradouro, ",
    "   IIF(IsNull(Clientes.Numero), '', Clientes.Numero) AS Numero, ",
    "   IIF(IsNull(Clientes.Complemento), '', Clientes.Complemento) AS Complemento, ",
    "   IIF(IsNull(Clientes.Bairro), '', Clientes.Bairro) AS Bairro, ",
    "   IIF(IsNull(Clientes.Cidade), '', Clientes.Cidade) AS Cidade, ",
    "   IIF(IsNull(Clientes.CodigoIBGEDoMunicipio), '', Clientes.CodigoIBGEDoMunicipio) AS CodigoIBGEDoMunicipio, ",
    "   IIF(IsNull(Clientes.UF), '', Clientes.UF) AS UF, ",
    "   IIF(IsNull(Clientes.EndCobCEP), '',  IIF(Clientes.EndCobCEP<>'',Format([Clientes.EndCobCEP],'00000-000'),'')) AS EndCobCEP, ",
    "   IIF(IsNull(Clientes.EndCobTipoDeLogradouro), '', Clientes.EndCobTipoDeLogradouro) AS EndCobTipoDeLogradouro, ",
    "   IIF(IsNull(Clientes.EndCobLogradouro), '', Clientes.EndCobLogradouro) AS EndCobLogradouro, ",
    "   IIF(IsNull(Clientes.EndCobNumero), '', Clientes.EndCobNumero) AS EndCobNumero, ",
    "   IIF(IsNull(Clientes.EndCobComplemento), '', Clientes.EndCobComplemento) AS EndCobComplemento, ",
    "   IIF(IsNull(Clientes.EndCobBairro), '', Clientes.EndCobBairro) AS EndCobBairro, ",
    "   IIF(IsNull(Clientes.EndCobCidade), '', Clientes.EndCobCidade) AS EndCobCidade, ",
    "   IIF(IsNull(Clientes.EndCobUF), '', Clientes.EndCobUF) AS EndCobUF, ",
    "   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao1), '', Clientes.TipoDeCanalDeComunicacao1) AS TipoDeCanalDeComunicacao1, ",
    "   IIF(IsNull(Clientes.CanalDeComunicacao1), '', Clientes.CanalDeComunicacao1) AS CanalDeComunicacao1, ",
    "   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao2), '', Clientes.TipoDeCanalDeComunicacao2) AS TipoDeCanalDeComunicacao2, ",
    "   IIF(IsNull(Clientes.CanalDeComunicacao2), '', Clientes.CanalDeComunicacao2) AS CanalDeComunicacao2, ",
    "   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao3), '', Clientes.TipoDeCanalDeComunicacao3) AS TipoDeCanalDeComunicacao3, ",
    "   IIF(IsNull(Clientes.CanalDeComunicacao3), '', Clientes.CanalDeComunicacao3) AS CanalDeComunicacao3, ",
    "   IIF(IsNull(Clientes.TipoDeCanalDeComunicacao4), '', Clientes.TipoDeCanalDeComunicacao4) AS TipoDeCanalDeComunicacao4, ",
    "   IIF(IsNull(Clientes.CanalDeComunicacao4), '', Clientes.CanalDeComunicacao4) AS CanalDeComunicacao4, ",
    "   IIF(IsNull(Clientes.Profissao), '', Clientes.Profissao) AS Profissao, ",
    "   IIF(IsNull(Clientes.Observacao), '', Clientes.Observacao) AS Observacao, ",
    "   IIF(IsNull(Clientes.LimiteDeCredito), Format(0,'#,##0.00'), Format([Clientes.LimiteDeCredito],'#,##0.00')) AS LimiteDeCredito, ",
    "   IIF(IsNull(Clientes.DataDaUltimaCompra), '', Format([Clientes.DataDaUltimaCompra],'DD/MM/YYYY')) AS DataDaUltimaCompra, ",
    "   IIF(IsNull(Clientes.ValorDaUltimaCompra), Format(0,'#,##0.00'), Format([Clientes.ValorDaUltimaCompra],'#,##0.00')) AS ValorDaUltimaCompra, ",
    "   IIF(IsNull(Clientes.Credito), Format(0,'#,##0.00'), Format([Clientes.Credito],'#,##0.00')) AS Credito, ",
    "   IIF(IsNull(Clientes.MotivoDaSituacao), '', Clientes.MotivoDaSituacao) AS MotivoDaSituacao, ",
    "   IIF(Clientes.ClienteComDesconto=True, 'Sim', 'Não') AS ClienteComDesconto, ",
    "   IIF(Clientes.DescontoUnico=True, 'Sim', 'Não') AS DescontoUnico, ",
    "   IIF(IsNull(Clientes.PercentualUnicoDeDescontos), Format(0,'#,##0.00'), Format([Clientes.PercentualUnicoDeDescontos],'#,##0.00')) AS PercentualUnicoDeDescontos, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmClinicos), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmClinicos],'#,##0.00')) AS PercentualDeDescontoEmClinicos, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmCirurgiaSimples), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmCirurgiaSimples],'#,##0.00')) AS PercentualDeDescontoEmCirurgiaSimples, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmCirurgiaMedia), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmCirurgiaMedia],'#,##0.00')) AS PercentualDeDescontoEmCirurgiaMedia, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmCirurgiaComplexa), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmCirurgiaComplexa],'#,##0.00')) AS PercentualDeDescontoEmCirurgiaComplexa, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmBanhosTosasEEsteticas), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmBanhosTosasEEsteticas],'#,##0.00')) AS PercentualDeDescontoEmBanhosTosasEEsteticas, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmHospedagens), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmHospedagens],'#,##0.00')) AS PercentualDeDescontoEmHospedagens, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmAdestramentos), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmAdestramentos],'#,##0.00')) AS PercentualDeDescontoEmAdestramentos, ",
    "   IIF(IsNull(Clientes.PercentualDeDescontoEmOutros), Format(0,'#,##0.00'), Format([Clientes.PercentualDeDescontoEmOutros],'#,##0.00')) AS PercentualDeDescontoEmOutros, ",
    "   IIF(IsNull(Clientes.Situacao), 1, Clientes.Situacao) AS Situacao, ",
    "   IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacao, ",
    "   Format(Clientes.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, ",
    "   IIF(IsNull(Clientes.UsuarioDaInclusao), '', Clientes.UsuarioDaInclusao) AS UsuarioDaInclusao, ",
    "   Format(Clientes.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, ",
    "   IIF(IsNull(Clientes.UsuarioDaAlteracao), '', Clientes.UsuarioDaAlteracao) AS UsuarioDaAlteracao, ",
    "   IIf(Trim(Clientes.TipoDeLogradouro)<>\"\",Clientes.TipoDeLogradouro & \" \",\"\")    & IIf(Trim(Clientes.Logradouro)<>\"\", Clientes.Logradouro,\"\")    & IIf(Trim(Clientes.Numero)<>\"\", \", \" & Clientes.Numero ,\"\")    & IIf(Trim(Clientes.Complemento)<>\"\", \" - \" & Clientes.Complemento,\"\")    & IIf(Trim(Clientes.Bairro)<>\"\", \" - \" & Clientes.Bairro,\"\")    & IIf(Trim(Clientes.Cidade)<>\"\", \" - \" & Clientes.Cidade,\"\")    & IIf(Trim(Clientes.UF)<>\"\", \" / \" & Clientes.UF,\"\") AS EnderecoCompleto, ",
    "   IIf(Trim(Clientes.TipoDeLogradouro)<>\"\",Clientes.TipoDeLogradouro & \" \",\"\")    & IIf(Trim(Clientes.Logradouro)<>\"\", Clientes.Logradouro,\"\")    & IIf(Trim(Clientes.Numero)<>\"\", \", \" & Clientes.Numero ,\"\")    & IIf(Trim(Clientes.Complemento)<>\"\", \" - \" & Clientes.Complemento,\"\")    & IIf(Trim(Clientes.Bairro)<>\"\", \" - \" & Clientes.Bairro,\"\")    & IIf(Trim(Clientes.CEP)<>\"\", \" - CEP:\" & Format([Clientes.CEP],'00000-000'),\"\")    & IIf(Trim(Clientes.Cidade)<>\"\", \" - \" & Clientes.Cidade,\"\")    & IIf(Trim(Clientes.UF)<>\"\", \" / \" & Clientes.UF,\"\") AS EnderecoCompletoComCEP, ",
    "   IIf(Trim(Clientes.EndCobTipoDeLogradouro)<>\"\",Clientes.EndCobTipoDeLogradouro & \" \",\"\")    & IIf(Trim(Clientes.EndCobLogradouro)<>\"\", Clientes.EndCobLogradouro,\"\")    & IIf(Trim(Clientes.EndCobNumero)<>\"\", \", \" & Clientes.EndCobNumero ,\"\")    & IIf(Trim(Clientes.EndCobComplemento)<>\"\", \" - \" & Clientes.EndCobComplemento,\"\") AS EnderecoDeCobrancaCompleto, ",
    "   IIf(Trim(Clientes.CanalDeComunicacao1)<>\"\",Clientes.TipoDeCanalDeComunicacao1 & \" \" & Clientes.CanalDeComunicacao1 & \" \", \"\")     & IIf(Trim(Clientes.CanalDeComunicacao2)<>\"\",Clientes.TipoDeCanalDeComunicacao2 & \" \" & Clientes.CanalDeComunicacao2 & \" \", \"\")    & IIf(Trim(Clientes.CanalDeComunicacao3)<>\"\",Clientes.TipoDeCanalDeComunicacao3 & \" \" & Clientes.CanalDeComunicacao3 & \" \", \"\")    & IIf(Trim(Clientes.CanalDeComunicacao4)<>\"\",Clientes.TipoDeCanalDeComunicacao4 & \" \" & Clientes.CanalDeComunicacao4,\"\") AS TiposECanaisDeComunicacao ",
};

static_assert(std::size(Colunas) == 64);

}  // namespace

std::span<const std::string_view> colunasDaSelecao() { return Colunas; }

}  // namespace zelt::clientanim::clientes

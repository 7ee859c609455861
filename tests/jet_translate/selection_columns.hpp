#pragma once
// The column lists of the component's selections, each text exactly as the component writes it.
#include <string>
#include <vector>

struct ColumnText {
    std::string name, text;
};

// The common column: "   IIF(IsNull(T.C), '', T.C) AS C, ".
inline ColumnText orEmpty(const std::string& table, const std::string& column, const std::string& alias = "") {
    const std::string name = alias.empty() ? column : alias, field = table + "." + column;
    return {name, "   IIF(IsNull(" + field + "), '', " + field + ") AS " + name + ", "};
}

// A client's amount, formatted, zero when Null.
inline ColumnText amount(const std::string& column) {
    const std::string f = "Clientes." + column;
    return {column, "   IIF(IsNull(" + f + "), Format(0,'#,##0.00'), Format([" + f + "],'#,##0.00')) AS " + column + ", "};
}

inline const std::vector<ColumnText> animalSelectionColumns = {
    {"CodigoDoAnimal", R"jet(   IIF(IsNull(Animais.Codigo), 0, Animais.Codigo) AS CodigoDoAnimal, )jet"},
    orEmpty("Animais", "Nome"),
    {"Sexo", R"jet(   IIF(IsNull(Animais.Sexo), 'F', Switch (Animais.Sexo='F', 'Fêmea', Animais.Sexo='M', 'Macho')) AS Sexo, )jet"},
    {"CodigoDaEspecie", R"jet(   IIF(IsNull(Animais.CodigoDaEspecie), 0, Animais.CodigoDaEspecie) AS CodigoDaEspecie, )jet"},
    orEmpty("EspeciesDeAnimais", "Nome", "NomeDaEspecie"),
    {"CodigoDaRaca", R"jet(   IIF(IsNull(Animais.CodigoDaRaca), 0, Animais.CodigoDaRaca) AS CodigoDaRaca, )jet"},
    orEmpty("RacasDeAnimais", "Nome", "NomeDaRaca"), orEmpty("Animais", "Porte"), orEmpty("Animais", "Cor"),
    {"DataDeNascimento", R"jet(   FORMAT([Animais.DataDeNascimento],'DD/MM/YYYY') AS DataDeNascimento, )jet"},
    orEmpty("Animais", "RGA"), orEmpty("Animais", "Microchip"),
    {"Pedigree", R"jet(   IIF(IsNull(Animais.Pedigree), 'Sim', Switch (Animais.Pedigree=True, 'Sim', Animais.Pedigree=False, 'Não')) AS Pedigree, )jet"},
    {"AnimalMorto", R"jet(   IIF(IsNull(Animais.AnimalMorto), 'Sim', Switch (Animais.AnimalMorto=True, 'Sim', Animais.AnimalMorto=False, 'Não')) AS AnimalMorto, )jet"},
    {"Observacao", R"jet(   Animais.Observacao AS Observacao, )jet"},
    {"Situacao", R"jet(   IIF(IsNull(Animais.Situacao), 1, Animais.Situacao) AS Situacao, )jet"},
    {"NomeDaSituacao", R"jet(   IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacao, )jet"},
    {"DataEHoraDaInclusao", R"jet(   Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, )jet"},
    orEmpty("Animais", "UsuarioDaInclusao"),
    {"DataEHoraDaAlteracao", R"jet(   Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, )jet"},
    orEmpty("Animais", "UsuarioDaAlteracao"),
    {"CodigoDoCliente", R"jet(   IIF(IsNull(Clientes.Codigo), 0, Clientes.Codigo) AS CodigoDoCliente, )jet"},
    orEmpty("Clientes", "ApelidoOuNomeFantasia"), orEmpty("Clientes", "NomeOuRazaoSocial"),
    {"SituacaoDoCliente", R"jet(   IIF(IsNull(Clientes.Situacao), 1, Clientes.Situacao) AS SituacaoDoCliente, )jet"},
    {"VIP", R"jet(   IIF(Clientes.VIP=True, 'Sim', 'Não') AS VIP, )jet"},
    orEmpty("Clientes", "CategoriaDaCurvaABC"), orEmpty("Clientes", "Logradouro"), orEmpty("Clientes", "Numero"),
    orEmpty("Clientes", "Complemento"), orEmpty("Clientes", "Bairro"),
    {"CEP", R"jet(   IIF(IsNull(Clientes.CEP), '',  IIF(Clientes.CEP<>'',Format([Clientes.CEP],'00000-000'),'')) AS CEP, )jet"},
    orEmpty("Clientes", "Cidade"), orEmpty("Clientes", "UF"),
    {"EnderecoCompleto", R"jet(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompleto, )jet"},
    {"EnderecoCompletoComCEP", R"jet(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.CEP)<>"", " - CEP:" & Format([Clientes.CEP],'00000-000'),"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompletoComCEP, )jet"},
    {"TiposECanaisDeComunicacao", R"jet(   IIf(Trim(Clientes.CanalDeComunicacao1)<>"",Clientes.TipoDeCanalDeComunicacao1 & " " & Clientes.CanalDeComunicacao1 & " ", "")     & IIf(Trim(Clientes.CanalDeComunicacao2)<>"",Clientes.TipoDeCanalDeComunicacao2 & " " & Clientes.CanalDeComunicacao2 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao3)<>"",Clientes.TipoDeCanalDeComunicacao3 & " " & Clientes.CanalDeComunicacao3 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao4)<>"",Clientes.TipoDeCanalDeComunicacao4 & " " & Clientes.CanalDeComunicacao4,"") AS TiposECanaisDeComunicacao )jet"},
};

inline const std::vector<ColumnText> clientSelectionColumns = {
    {"CodigoDoCliente", R"jet(   IIF(IsNull(Clientes.Codigo), 0, Clientes.Codigo) AS CodigoDoCliente, )jet"},
    orEmpty("Clientes", "ApelidoOuNomeFantasia"), orEmpty("Clientes", "NomeOuRazaoSocial"),
    {"CPFCNPJ", R"jet(   IIF(IsNull(Clientes.CPFCNPJ), '', IIF(Clientes.TipoDeCliente='PF', IIF(Clientes.CPFCNPJ<>'', Format([Clientes.CPFCNPJ],'000\.000\.000\-00'), ''), IIF(Clientes.CPFCNPJ<>'',Format([Clientes.CPFCNPJ],'00\.000\.000\/0000-00'),''))) AS CPFCNPJ, )jet"},
    orEmpty("Clientes", "TipoDeCliente"), orEmpty("Clientes", "Sexo"),
    {"DataDeNascimento", R"jet(   IIF([Clientes.DataDeNascimento]<>'', Format([Clientes.DataDeNascimento],'00/00') & IIF([Clientes.AnoDeNascimento]<>'','/' & Clientes.AnoDeNascimento,''), '') As DataDeNascimento, )jet"},
    orEmpty("Clientes", "AnoDeNascimento"), orEmpty("Clientes", "RGIE"),
    {"VIP", R"jet(   IIF(Clientes.VIP=True, 'Sim', 'Não') AS VIP, )jet"},
    orEmpty("Clientes", "CategoriaDaCurvaABC"),
    {"CEP", R"jet(   IIF(IsNull(Clientes.CEP), '',  IIF(Clientes.CEP<>'',Format([Clientes.CEP],'00000-000'),'')) AS CEP, )jet"},
    orEmpty("Clientes", "TipoDeLogradouro"), orEmpty("Clientes", "Logradouro"), orEmpty("Clientes", "Numero"),
    orEmpty("Clientes", "Complemento"), orEmpty("Clientes", "Bairro"), orEmpty("Clientes", "Cidade"),
    orEmpty("Clientes", "CodigoIBGEDoMunicipio"), orEmpty("Clientes", "UF"),
    {"EndCobCEP", R"jet(   IIF(IsNull(Clientes.EndCobCEP), '',  IIF(Clientes.EndCobCEP<>'',Format([Clientes.EndCobCEP],'00000-000'),'')) AS EndCobCEP, )jet"},
    orEmpty("Clientes", "EndCobTipoDeLogradouro"), orEmpty("Clientes", "EndCobLogradouro"),
    orEmpty("Clientes", "EndCobNumero"), orEmpty("Clientes", "EndCobComplemento"), orEmpty("Clientes", "EndCobBairro"),
    orEmpty("Clientes", "EndCobCidade"), orEmpty("Clientes", "EndCobUF"), orEmpty("Clientes", "TipoDeCanalDeComunicacao1"),
    orEmpty("Clientes", "CanalDeComunicacao1"), orEmpty("Clientes", "TipoDeCanalDeComunicacao2"),
    orEmpty("Clientes", "CanalDeComunicacao2"), orEmpty("Clientes", "TipoDeCanalDeComunicacao3"),
    orEmpty("Clientes", "CanalDeComunicacao3"), orEmpty("Clientes", "TipoDeCanalDeComunicacao4"),
    orEmpty("Clientes", "CanalDeComunicacao4"), orEmpty("Clientes", "Profissao"), orEmpty("Clientes", "Observacao"),
    amount("LimiteDeCredito"),
    {"DataDaUltimaCompra", R"jet(   IIF(IsNull(Clientes.DataDaUltimaCompra), '', Format([Clientes.DataDaUltimaCompra],'DD/MM/YYYY')) AS DataDaUltimaCompra, )jet"},
    amount("ValorDaUltimaCompra"), amount("Credito"),
    orEmpty("Clientes", "MotivoDaSituacao"),
    {"ClienteComDesconto", R"jet(   IIF(Clientes.ClienteComDesconto=True, 'Sim', 'Não') AS ClienteComDesconto, )jet"},
    {"DescontoUnico", R"jet(   IIF(Clientes.DescontoUnico=True, 'Sim', 'Não') AS DescontoUnico, )jet"},
    amount("PercentualUnicoDeDescontos"), amount("PercentualDeDescontoEmClinicos"),
    amount("PercentualDeDescontoEmCirurgiaSimples"), amount("PercentualDeDescontoEmCirurgiaMedia"),
    amount("PercentualDeDescontoEmCirurgiaComplexa"), amount("PercentualDeDescontoEmBanhosTosasEEsteticas"),
    amount("PercentualDeDescontoEmHospedagens"), amount("PercentualDeDescontoEmAdestramentos"),
    amount("PercentualDeDescontoEmOutros"),
    {"Situacao", R"jet(   IIF(IsNull(Clientes.Situacao), 1, Clientes.Situacao) AS Situacao, )jet"},
    {"NomeDaSituacao", R"jet(   IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacao, )jet"},
    {"DataEHoraDaInclusao", R"jet(   Format(Clientes.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, )jet"},
    orEmpty("Clientes", "UsuarioDaInclusao"),
    {"DataEHoraDaAlteracao", R"jet(   Format(Clientes.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, )jet"},
    orEmpty("Clientes", "UsuarioDaAlteracao"),
    {"EnderecoCompleto", R"jet(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompleto, )jet"},
    {"EnderecoCompletoComCEP", R"jet(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.CEP)<>"", " - CEP:" & Format([Clientes.CEP],'00000-000'),"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompletoComCEP, )jet"},
    {"EnderecoDeCobrancaCompleto", R"jet(   IIf(Trim(Clientes.EndCobTipoDeLogradouro)<>"",Clientes.EndCobTipoDeLogradouro & " ","")    & IIf(Trim(Clientes.EndCobLogradouro)<>"", Clientes.EndCobLogradouro,"")    & IIf(Trim(Clientes.EndCobNumero)<>"", ", " & Clientes.EndCobNumero ,"")    & IIf(Trim(Clientes.EndCobComplemento)<>"", " - " & Clientes.EndCobComplemento,"") AS EnderecoDeCobrancaCompleto, )jet"},
    {"TiposECanaisDeComunicacao", R"jet(   IIf(Trim(Clientes.CanalDeComunicacao1)<>"",Clientes.TipoDeCanalDeComunicacao1 & " " & Clientes.CanalDeComunicacao1 & " ", "")     & IIf(Trim(Clientes.CanalDeComunicacao2)<>"",Clientes.TipoDeCanalDeComunicacao2 & " " & Clientes.CanalDeComunicacao2 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao3)<>"",Clientes.TipoDeCanalDeComunicacao3 & " " & Clientes.CanalDeComunicacao3 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao4)<>"",Clientes.TipoDeCanalDeComunicacao4 & " " & Clientes.CanalDeComunicacao4,"") AS TiposECanaisDeComunicacao )jet"},
};

inline const std::vector<ColumnText> listingParentColumns = {
    {"CodigoDoCliente", R"jet(        Clientes.Codigo AS CodigoDoCliente, )jet"},
    {"ApelidoOuNomeFantasiaDoCliente", R"jet(        Clientes.ApelidoOuNomeFantasia As ApelidoOuNomeFantasiaDoCliente, )jet"},
    {"NomeOuRazaoSocialDoCliente", R"jet(        Clientes.NomeOuRazaoSocial As NomeOuRazaoSocialDoCliente, )jet"},
    {"NomeDaSituacaoDoCliente", R"jet(        IIF(IsNull(Clientes.Situacao), 'Ativo', SWITCH(Clientes.Situacao=1, IIF(Clientes.Sexo='M', 'Ativo', 'Ativa'), Clientes.Situacao=2, IIF(Clientes.Sexo='M', 'Inativo', 'Inativa'), Clientes.Situacao=3, IIF(Clientes.Sexo='M', 'Bloqueado', 'Bloqueada'), Clientes.Situacao=4, IIF(Clientes.Sexo='M', 'Excluído', 'Excluída'))) AS NomeDaSituacaoDoCliente )jet"},
};

inline const std::vector<ColumnText> listingChildColumns = {
    {"CodigoDoAnimal", R"jet(           Animais.Codigo AS CodigoDoAnimal, )jet"},
    {"CodigoDoClienteDeAnimais", R"jet(           Animais.CodigoDoCliente AS CodigoDoClienteDeAnimais, )jet"},
    {"NomeDoAnimal", R"jet(           Animais.Nome As NomeDoAnimal, )jet"},
    {"NomeDaEspecieDoAnimal", R"jet(           EspeciesDeAnimais.Nome As NomeDaEspecieDoAnimal, )jet"},
    {"NomeDaRacaDoAnimal", R"jet(           RacasDeAnimais.Nome As NomeDaRacaDoAnimal, )jet"},
    {"NomeDaSituacaoDoAnimal", R"jet(           IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacaoDoAnimal, )jet"},
    {"DataEHoraDaInclusao", R"jet(           Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, )jet"},
    {"UsuarioDaInclusao", R"jet(           IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) AS UsuarioDaInclusao, )jet"},
    {"DataEHoraDaAlteracao", R"jet(           Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, )jet"},
    {"UsuarioDaAlteracao", R"jet(           IIF(IsNull(Animais.UsuarioDaAlteracao), '', Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao )jet"},
};

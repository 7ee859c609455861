#include "clientanim/animals/colunas_da_selecao.hpp"

namespace zelt::clientanim::animais {

namespace {

constexpr std::string_view Selecao[] = {
    "   IIF(IsNull(Animais.Codigo), 0, Animais.Codigo) AS CodigoDoAnimal, ",
    "   IIF(IsNull(Animais.Nome), '', Animais.Nome) AS Nome, ",
    "   IIF(IsNull(Animais.Sexo), 'F', Switch (Animais.Sexo='F', 'Fêmea', Animais.Sexo='M', 'Macho')) AS Sexo, ",
    "   IIF(IsNull(Animais.CodigoDaEspecie), 0, Animais.CodigoDaEspecie) AS CodigoDaEspecie, ",
    "   IIF(IsNull(EspeciesDeAnimais.Nome), '', EspeciesDeAnimais.Nome) AS NomeDaEspecie, ",
    "   IIF(IsNull(Animais.CodigoDaRaca), 0, Animais.CodigoDaRaca) AS CodigoDaRaca, ",
    "   IIF(IsNull(RacasDeAnimais.Nome), '', RacasDeAnimais.Nome) AS NomeDaRaca, ",
    "   IIF(IsNull(Animais.Porte), '', Animais.Porte) AS Porte, ",
    "   IIF(IsNull(Animais.Cor), '', Animais.Cor) AS Cor, ",
    "   FORMAT([Animais.DataDeNascimento],'DD/MM/YYYY') AS DataDeNascimento, ",
    "   IIF(IsNull(Animais.RGA), '', Animais.RGA) AS RGA, ",
    "   IIF(IsNull(Animais.Microchip), '', Animais.Microchip) AS Microchip, ",
    "   IIF(IsNull(Animais.Pedigree), 'Sim', Switch (Animais.Pedigree=True, 'Sim', Animais.Pedigree=False, 'Não')) AS Pedigree, ",
    "   IIF(IsNull(Animais.AnimalMorto), 'Sim', Switch (Animais.AnimalMorto=True, 'Sim', Animais.AnimalMorto=False, 'Não')) AS AnimalMorto, ",
    "   Animais.Observacao AS Observacao, ",
    "   IIF(IsNull(Animais.Situacao), 1, Animais.Situacao) AS Situacao, ",
    "   IIF(Animais.Situacao=1, 'Ativo', 'Inativo') AS NomeDaSituacao, ",
    "   Format(Animais.DataEHoraDaInclusao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, ",
    "   IIF(IsNull(Animais.UsuarioDaInclusao), '', Animais.UsuarioDaInclusao) AS UsuarioDaInclusao, ",
    "   Format(Animais.DataEHoraDaAlteracao,'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao, ",
    "   IIF(IsNull(Animais.UsuarioDaAlteracao), '', Animais.UsuarioDaAlteracao) AS UsuarioDaAlteracao, ",
    "   IIF(IsNull(Clientes.Codigo), 0, Clientes.Codigo) AS CodigoDoCliente, ",
    "   IIF(IsNull(Clientes.ApelidoOuNomeFantasia), '', Clientes.ApelidoOuNomeFantasia) AS ApelidoOuNomeFantasia, ",
    "   IIF(IsNull(Clientes.NomeOuRazaoSocial), '', Clientes.NomeOuRazaoSocial) AS NomeOuRazaoSocial, ",
    "   IIF(IsNull(Clientes.Situacao), 1, Clientes.Situacao) AS SituacaoDoCliente, ",
    "   IIF(Clientes.VIP=True, 'Sim', 'Não') AS VIP, ",
    "   IIF(IsNull(Clientes.CategoriaDaCurvaABC), '', Clientes.CategoriaDaCurvaABC) AS CategoriaDaCurvaABC, ",
    "   IIF(IsNull(Clientes.Logradouro), '', Clientes.Logradouro) AS Logradouro, ",
    "   IIF(IsNull(Clientes.Numero), '', Clientes.Numero) AS Numero, ",
    "   IIF(IsNull(Clientes.Complemento), '', Clientes.Complemento) AS Complemento, ",
    "   IIF(IsNull(Clientes.Bairro), '', Clientes.Bairro) AS Bairro, ",
    "   IIF(IsNull(Clientes.CEP), '',  IIF(Clientes.CEP<>'',Format([Clientes.CEP],'00000-000'),'')) AS CEP, ",
    "   IIF(IsNull(Clientes.Cidade), '', Clientes.Cidade) AS Cidade, ",
    "   IIF(IsNull(Clientes.UF), '', Clientes.UF) AS UF, ",
    R"(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompleto, )",
    R"(   IIf(Trim(Clientes.TipoDeLogradouro)<>"",Clientes.TipoDeLogradouro & " ","")    & IIf(Trim(Clientes.Logradouro)<>"", Clientes.Logradouro,"")    & IIf(Trim(Clientes.Numero)<>"", ", " & Clientes.Numero ,"")    & IIf(Trim(Clientes.Complemento)<>"", " - " & Clientes.Complemento,"")    & IIf(Trim(Clientes.Bairro)<>"", " - " & Clientes.Bairro,"")    & IIf(Trim(Clientes.CEP)<>"", " - CEP:" & Format([Clientes.CEP],'00000-000'),"")    & IIf(Trim(Clientes.Cidade)<>"", " - " & Clientes.Cidade,"")    & IIf(Trim(Clientes.UF)<>"", " / " & Clientes.UF,"") AS EnderecoCompletoComCEP, )",
    R"(   IIf(Trim(Clientes.CanalDeComunicacao1)<>"",Clientes.TipoDeCanalDeComunicacao1 & " " & Clientes.CanalDeComunicacao1 & " ", "")     & IIf(Trim(Clientes.CanalDeComunicacao2)<>"",Clientes.TipoDeCanalDeComunicacao2 & " " & Clientes.CanalDeComunicacao2 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao3)<>"",Clientes.TipoDeCanalDeComunicacao3 & " " & Clientes.CanalDeComunicacao3 & " ", "")    & IIf(Trim(Clientes.CanalDeComunicacao4)<>"",Clientes.TipoDeCanalDeComunicacao4 & " " & Clientes.CanalDeComunicacao4,"") AS TiposECanaisDeComunicacao )",
};

constexpr std::string_view Impressao[] = {
    "Animais.Codigo, ",
    "Animais.Nome, ",
    "Animais.Sexo, ",
    "Clientes.Codigo AS CodigoDoCliente, ",
    "Clientes.NomeOuRazaoSocial AS Cliente, ",
    "EspeciesDeAnimais.Codigo AS CodigoDaEspecie, ",
    "EspeciesDeAnimais.Nome AS Especie, ",
    "RacasDeAnimais.Codigo AS CodigoDaRaca, ",
    "RacasDeAnimais.Nome AS Raca, ",
    "Animais.Porte, ",
    "Format([Animais.DataDeNascimento],'DD/MM/YYYY') AS DataDeNascimento, ",
    "Animais.Cor, ",
    "Animais.RGA, ",
    "Animais.Microchip, ",
    "Switch (Animais.Pedigree=True, 'Sim', Animais.Pedigree=False, 'Não') AS Pedigree, ",
    "Switch (Animais.AnimalMorto=True, 'Sim', Animais.AnimalMorto=False, 'Não') AS AnimalMorto, ",
    "Animais.Observacao, ",
    "Format([Animais.DataEHoraDaInclusao],'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaInclusao, ",
    "Format([Animais.DataEHoraDaAlteracao],'DD/MM/YYYY HH:MM:SS') AS DataEHoraDaAlteracao ",
};

static_assert(std::size(Selecao) == 37);
static_assert(std::size(Impressao) == 19);

}  // namespace

std::span<const std::string_view> colunasDaSelecao() { return Selecao; }
std::span<const std::string_view> colunasDaImpressao() { return Impressao; }

}  // namespace zelt::clientanim::animais

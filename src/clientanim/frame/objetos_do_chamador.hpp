#pragma once
// Simple implementations of the objects a caller supplies: the user object (its default member
// answers a key) and the animals grid (Rows, Row, TextMatrix). Presentation tiers bring their own.
#include <map>
#include <string>
#include <vector>

#include "clientanim/frame/objeto_de_negocio.hpp"

namespace zelt::clientanim {

class DadosDoUsuarioEmMemoria : public Dispatchable {
public:
    void definir(std::string chave, Variant valor);
    Variant Item(const std::string& chave) const;  // Empty for an unknown key
    const DispatchTable& table() const override;

private:
    ContadorDaBiblioteca contador_;
    std::map<std::string, Variant> valores_;
};

class GradeEmMemoria : public Dispatchable {
public:
    GradeEmMemoria() = default;
    explicit GradeEmMemoria(std::vector<std::vector<std::string>> linhas) : linhas_(std::move(linhas)) {}
    int32_t get_Rows() const { return static_cast<int32_t>(linhas_.size()); }
    int32_t get_Cols() const;
    int32_t get_Row() const { return row_; }
    void put_Row(int32_t row);                                   // error 381 outside the rows
    std::string get_TextMatrix(int32_t row, int32_t col) const;  // error 381 outside the cells
    void put_TextMatrix(int32_t row, int32_t col, std::string value);
    void adicionarLinha(std::vector<std::string> celulas) { linhas_.push_back(std::move(celulas)); }
    const DispatchTable& table() const override;

private:
    ContadorDaBiblioteca contador_;
    std::vector<std::vector<std::string>> linhas_;
    int32_t row_ = 0;
};

}  // namespace zelt::clientanim

#pragma once
// The process's C locale switched, for the life of the object, to one whose decimal separator is
// the comma: pt_BR when installed, otherwise compiled from the system's locale sources into a
// temporary directory (machines often carry the sources but not the compiled locale).
#include <clocale>
#include <cstdlib>
#include <string>

#include "test_database.hpp"

namespace zelt::testing_support {

class LocaleComVirgula {
public:
    LocaleComVirgula() : anterior_(std::setlocale(LC_ALL, nullptr)) {
        if (usar("pt_BR.UTF-8") || usar("pt_BR.utf8")) return;
        const std::string comando = "localedef -i pt_BR -f UTF-8 '" + (pasta_.path() / "pt_BR.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(comando.c_str()) != 0) return;
        compilado_ = setenv("LOCPATH", pasta_.path().c_str(), 1) == 0;
        usar("pt_BR.UTF-8");
    }
    ~LocaleComVirgula() {
        std::setlocale(LC_ALL, anterior_.c_str());
        if (compilado_) unsetenv("LOCPATH");
    }
    bool ativo() const { return ativo_; }

private:
    bool usar(const char* nome) {
        return ativo_ = std::setlocale(LC_ALL, nome) && std::string(std::localeconv()->decimal_point) == ",";
    }
    std::string anterior_;
    TempDirectory pasta_;
    bool ativo_ = false, compilado_ = false;
};

}  // namespace zelt::testing_support

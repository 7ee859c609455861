#pragma once
// The process's C locale switched, for the life of the object, to one whose decimal separator is
// the comma: pt_BR when installed, otherwise compiled from the system's locale sources into a
// temporary directory (machines often carry the sources but not the compiled locale).
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zelt::testing_support {

class LocaleComVirgula {
public:
    LocaleComVirgula() : anterior_(std::setlocale(LC_ALL, nullptr)) {
        if (usar("pt_BR.UTF-8") || usar("pt_BR.utf8")) return;
        dir_ = std::filesystem::temp_directory_path() / ("zelt-locale-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        const std::string comando = "localedef -i pt_BR -f UTF-8 '" + (dir_ / "pt_BR.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(comando.c_str()) != 0) return;
        setenv("LOCPATH", dir_.c_str(), 1);
        usar("pt_BR.UTF-8");
    }
    ~LocaleComVirgula() {
        std::setlocale(LC_ALL, anterior_.c_str());
        if (dir_.empty()) return;
        unsetenv("LOCPATH");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    bool ativo() const { return ativo_; }

private:
    bool usar(const char* nome) {
        return ativo_ = std::setlocale(LC_ALL, nome) && std::string(std::localeconv()->decimal_point) == ",";
    }
    std::string anterior_;
    std::filesystem::path dir_;
    bool ativo_ = false;
};

}  // namespace zelt::testing_support

#pragma once
// Every library registered in a registry file of the process's own, as an installation leaves
// them, and the database the data-access component opens named by ZELT_DATABASE.
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "zelt/clientanim/clientanim.hpp"
#include "zelt/components/dataaccess.hpp"
#include "zelt/components/management.hpp"
#include "zelt/components/texttreatment.hpp"

namespace zelt::bench {

inline void registerLibraries(const std::filesystem::path& folder, const std::string& database) {
    setenv("ZELT_REGISTRY", (folder / "registry.json").c_str(), 1);
    setenv("ZELT_DATABASE", database.c_str(), 1);
    dataaccess::DllRegisterServer();
    texttreatment::DllRegisterServer();
    management::DllRegisterServer();
    ::DllRegisterServer();
}

}  // namespace zelt::bench

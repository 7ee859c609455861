#pragma once
// Class registry: ProgID -> class identifier -> class factory, as the component object model does.
// Each library offers its classes' factories in process (its class objects); registration writes
// the ProgID and class identifier into the registry file, so CreateObject finds only what is
// registered. The file is $ZELT_REGISTRY, or $XDG_CONFIG_HOME/zelt/registry.json
// (~/.config/zelt/registry.json).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "zelt/automation/object.hpp"

namespace zelt {

struct ClassInfo {
    std::string progId;   // "ZELT_N_ClientAnim.clsAnimais"
    std::string clsid;    // "{8C1E6F52-...}", fixed once assigned
    std::string library;  // the library that serves it, "ZELT_N_ClientAnim"
    std::string threadingModel = "Apartment";
    std::function<Ref<Object>()> factory;
};

namespace registry {

// The in-process class objects, offered by each library when it loads.
void offerClass(ClassInfo info);
const ClassInfo* classObject(std::string_view clsid);  // DllGetClassObject's lookup
std::vector<ClassInfo> classesOfLibrary(std::string_view library);

// The registry file.
std::string registryPath();
void registerProgId(const ClassInfo& info);   // writes progId -> clsid (and library, threading)
void unregisterProgId(std::string_view progId);
std::optional<std::string> clsidOfProgId(std::string_view progId);
// All registered ProgIDs with their class identifiers.
std::vector<std::pair<std::string, std::string>> registeredClasses();

// Registers every class a library offers (what its DllRegisterServer does); returns S_OK (0).
int32_t registerLibrary(std::string_view library);
int32_t unregisterLibrary(std::string_view library);

}  // namespace registry

// CreateObject("ZELT_N_ClientAnim.clsAnimais"): error 429 when the ProgID is not registered or no
// class object serves its class identifier.
Ref<Object> CreateObject(std::string_view progId);

}  // namespace zelt

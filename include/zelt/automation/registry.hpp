#pragma once
// Class registry: ProgID -> class identifier -> class factory, as the component object model does.
// Each library offers its classes' factories in process (its class objects); registration writes
// the ProgID and class identifier into the registry file, so CreateObject finds only what is
// registered. The file is $ZELT_REGISTRY, or $XDG_CONFIG_HOME/zelt/registry.json
// (~/.config/zelt/registry.json; the account's home when HOME is unset): the ProgIDs at its top
// level, the type libraries under "typeLibraries", keyed by library identifier.
#include <cstdint>
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

class DispatchTable;

// What a type library tells a caller that binds to it: its dispatch interfaces (members in slot
// order) and its enumerations, each under a fixed identifier.
struct TypeLibraryInfo {
    struct Slot {
        std::string name;
        InvokeKind kind = InvokeKind::Method;
        int32_t dispid = 0;
        bool operator==(const Slot&) const = default;
    };
    struct Interface {
        std::string name;   // "_clsAnimais"
        std::string iid;
        std::string clsid;  // the class whose dispatch interface it is
        std::vector<Slot> slots;
        bool operator==(const Interface&) const = default;
    };
    struct Enumeration {
        std::string name;  // "penuSituacaoAnimais"
        std::string guid;
        std::vector<std::pair<std::string, int32_t>> values;
        bool operator==(const Enumeration&) const = default;
    };

    std::string libid;
    std::string name;  // the library's, "ZELT_N_ClientAnim"
    std::string version = "1.0";
    int32_t lcid = 0x409;
    std::string helpString;
    std::vector<Interface> interfaces;
    std::vector<Enumeration> enumerations;
    bool operator==(const TypeLibraryInfo&) const = default;
};

namespace registry {

// The in-process class objects, offered by each library when it loads.
void offerClass(ClassInfo info);
const ClassInfo* classObject(std::string_view clsid);  // DllGetClassObject's lookup
std::vector<ClassInfo> classesOfLibrary(std::string_view library);
// A library's type library, registered with its classes (info.name is the library).
void offerTypeLibrary(TypeLibraryInfo info);
// The interface a member table serves, as its type library records it.
TypeLibraryInfo::Interface describeInterface(const DispatchTable& table, std::string iid, std::string clsid);

// The registry file. The writers raise error 429 when it cannot be written.
std::string registryPath();
void registerProgId(const ClassInfo& info);   // writes progId -> clsid (and library, threading)
void unregisterProgId(std::string_view progId);
std::optional<std::string> clsidOfProgId(std::string_view progId);
// All registered ProgIDs with their class identifiers.
std::vector<std::pair<std::string, std::string>> registeredClasses();
// The type library registered under that identifier.
std::optional<TypeLibraryInfo> registeredTypeLibrary(std::string_view libid);

// Self-registration results, as DllRegisterServer and DllUnregisterServer return them.
inline constexpr int32_t SOk = 0;
inline constexpr int32_t SelfRegClassFailed = static_cast<int32_t>(0x80040201);  // SELFREG_E_CLASS
inline constexpr int32_t OutOfMemory = static_cast<int32_t>(0x8007000E);         // E_OUTOFMEMORY

// Registers every class a library offers, with its type library, in one change of the file (what
// its DllRegisterServer does); unregistration removes them. No exception leaves them: a registry
// that cannot be read or written is SelfRegClassFailed, and the file is left as it was.
int32_t registerLibrary(std::string_view library) noexcept;
int32_t unregisterLibrary(std::string_view library) noexcept;

}  // namespace registry

// CreateObject("ZELT_N_ClientAnim.clsAnimais"): error 429 when the ProgID is not registered or no
// class object serves its class identifier.
Ref<Object> CreateObject(std::string_view progId);

}  // namespace zelt

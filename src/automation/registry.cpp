#include "zelt/automation/registry.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include <nlohmann/json.hpp>

#include "zelt/automation/dispatch.hpp"
#include "zelt/automation/error.hpp"

namespace zelt {

namespace {

struct Tables {
    std::mutex mutex;
    std::map<std::string, ClassInfo> classObjects;  // by clsid
    std::map<std::string, TypeLibraryInfo, std::less<>> typeLibraries;  // by library
    // The registry file as last read, and what it looked like then.
    nlohmann::json file = nlohmann::json::object();
    bool usable = true;  // false: something other than a file is in its place
    std::string readPath;
    timespec readMtime{};
    off_t readSize = -1;
};

Tables& tables() {
    static Tables t;
    return t;
}

[[noreturn]] void cannotWrite(const std::string& path) {
    throwError(err::CannotCreateObject, "Não foi possível gravar o registro de classes em '" + path + "'.");
}

// Re-reads the file only when it changed since the last reading (CreateObject runs at the start of
// every operation, so a stat is all it may cost). A missing file is an empty registry; a folder
// in its place, or a plain file in the way of its folder, is an unusable one.
nlohmann::json& fileContents(Tables& t) {
    const std::string path = registry::registryPath();
    struct stat st {};
    const bool found = stat(path.c_str(), &st) == 0;
    if (!found || !S_ISREG(st.st_mode)) {
        t.usable = !found && errno == ENOENT;
        t.file = nlohmann::json::object();
        t.readPath = path;
        t.readSize = -1;
        return t.file;
    }
    if (path == t.readPath && st.st_size == t.readSize && st.st_mtim.tv_sec == t.readMtime.tv_sec &&
        st.st_mtim.tv_nsec == t.readMtime.tv_nsec)
        return t.file;
    std::ifstream in(path);
    nlohmann::json j;
    try {
        j = nlohmann::json::parse(in, nullptr, false);
    } catch (const std::ios_base::failure&) {  // a read error: the file buffer throws whatever its stream says
        j = nlohmann::json::value_t::discarded;
        in.setstate(std::ios::badbit);
    }
    t.usable = in.is_open() && !in.bad();
    t.file = j.is_object() ? std::move(j) : nlohmann::json::object();
    t.readPath = path;
    t.readMtime = st.st_mtim;
    t.readSize = st.st_size;
    return t.file;
}

// Several processes may register at once (every zelt command registers its libraries when it
// starts): a change is read, made and written under an exclusive lock on a file beside the
// registry, so that no process writes back a copy that misses another's entries.
class RegistryLock {
public:
    RegistryLock() {
        const std::filesystem::path path = registry::registryPath();
        std::error_code ec;
        if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
        fd_ = ::open((path.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) cannotWrite(path.string());
        ::flock(fd_, LOCK_EX);
    }
    ~RegistryLock() { ::close(fd_); }  // closing releases the lock
    RegistryLock(const RegistryLock&) = delete;
    RegistryLock& operator=(const RegistryLock&) = delete;

private:
    int fd_ = -1;
};

// The file as it is now, not as this process last saw it.
nlohmann::json& freshContents(Tables& t) {
    t.readPath.clear();
    return fileContents(t);
}

// Written whole beside the registry, then renamed over it: a failure leaves the old file as it was.
void writeFile(Tables& t, const nlohmann::json& j) {
    const std::filesystem::path path = registry::registryPath();
    const std::filesystem::path temp = path.string() + ".tmp" + std::to_string(::getpid());
    std::error_code ec;
    bool written = false;
    {
        std::ofstream out(temp);
        out << j.dump(2) << "\n";
        out.close();
        written = static_cast<bool>(out);
    }
    if (written) std::filesystem::rename(temp, path, ec);
    if (!written || ec) {
        std::filesystem::remove(temp, ec);
        cannotWrite(path.string());
    }
    t.readPath.clear();  // read it afresh next time
}

// Applies a change to the registry file under the lock; `apply` says whether it changed anything.
// Tried first on what this process last read, so that registering what is already registered
// takes no lock and writes nothing.
void changeFile(Tables& t, const std::function<bool(nlohmann::json&)>& apply) {
    nlohmann::json& seen = fileContents(t);
    if (!t.usable) cannotWrite(registry::registryPath());
    if (!apply(seen)) return;
    t.readPath.clear();  // what was read now holds the change: read the file afresh
    RegistryLock fileLock;
    nlohmann::json j = freshContents(t);
    if (!t.usable) cannotWrite(registry::registryPath());
    if (apply(j)) writeFile(t, j);
}

bool setEntry(nlohmann::json& object, const std::string& key, nlohmann::json value) {
    if (auto it = object.find(key); it != object.end() && *it == value) return false;
    object[key] = std::move(value);
    return true;
}

const char* kindName(InvokeKind k) {
    switch (k) {
        case InvokeKind::PropertyGet: return "propget";
        case InvokeKind::PropertyPut: return "propput";
        case InvokeKind::PropertyPutRef: return "propputref";
        case InvokeKind::Method: break;
    }
    return "method";
}

InvokeKind kindOfName(const std::string& name) {
    for (InvokeKind k : {InvokeKind::PropertyGet, InvokeKind::PropertyPut, InvokeKind::PropertyPutRef})
        if (name == kindName(k)) return k;
    return InvokeKind::Method;
}

nlohmann::json classEntry(const ClassInfo& info) {
    return {{"clsid", info.clsid}, {"library", info.library}, {"threadingModel", info.threadingModel}};
}

// {"name", "version", "lcid", "helpString", "interfaces": {name: {"iid", "clsid", "slots"}},
//  "enumerations": {name: {"guid", "values"}}}; slots and values keep their order.
nlohmann::json typeLibraryEntry(const TypeLibraryInfo& lib) {
    nlohmann::json interfaces = nlohmann::json::object(), enumerations = nlohmann::json::object();
    for (const auto& i : lib.interfaces) {
        nlohmann::json slots = nlohmann::json::array();
        for (const auto& s : i.slots) slots.push_back({{"name", s.name}, {"kind", kindName(s.kind)}, {"dispid", s.dispid}});
        interfaces[i.name] = {{"iid", i.iid}, {"clsid", i.clsid}, {"slots", std::move(slots)}};
    }
    for (const auto& e : lib.enumerations) {
        nlohmann::json values = nlohmann::json::array();
        for (const auto& [name, value] : e.values) values.push_back({{"name", name}, {"value", value}});
        enumerations[e.name] = {{"guid", e.guid}, {"values", std::move(values)}};
    }
    return {{"name", lib.name}, {"version", lib.version}, {"lcid", lib.lcid}, {"helpString", lib.helpString},
            {"interfaces", std::move(interfaces)}, {"enumerations", std::move(enumerations)}};
}

TypeLibraryInfo typeLibraryOfEntry(const std::string& libid, const nlohmann::json& e) {
    using Text = std::string;
    TypeLibraryInfo lib{libid, e.at("name").get<Text>(), e.at("version").get<Text>(), e.at("lcid").get<int32_t>(),
                        e.at("helpString").get<Text>(), {}, {}};
    for (const auto& [name, i] : e.at("interfaces").items()) {
        TypeLibraryInfo::Interface in{name, i.at("iid").get<Text>(), i.at("clsid").get<Text>(), {}};
        for (const auto& s : i.at("slots"))
            in.slots.push_back({s.at("name").get<Text>(), kindOfName(s.at("kind").get<Text>()), s.at("dispid").get<int32_t>()});
        lib.interfaces.push_back(std::move(in));
    }
    for (const auto& [name, en] : e.at("enumerations").items()) {
        TypeLibraryInfo::Enumeration enumeration{name, en.at("guid").get<Text>(), {}};
        for (const auto& v : en.at("values")) enumeration.values.emplace_back(v.at("name").get<Text>(), v.at("value").get<int32_t>());
        lib.enumerations.push_back(std::move(enumeration));
    }
    return lib;
}

// A self-registration entry point's answer: no exception leaves it.
int32_t selfRegistration(const std::function<void()>& work) noexcept {
    try {
        work();
        return registry::SOk;
    } catch (const std::bad_alloc&) {
        return registry::OutOfMemory;
    } catch (...) {
        return registry::SelfRegClassFailed;
    }
}

}  // namespace

TypeLibraryInfo::Interface registry::describeInterface(const DispatchTable& table, std::string iid, std::string clsid) {
    TypeLibraryInfo::Interface i{table.interfaceName(), std::move(iid), std::move(clsid), {}};
    for (const auto& m : table.slots()) i.slots.push_back({m.name, m.kind, table.idOfName(m.name)});
    return i;
}

namespace registry {

void offerClass(ClassInfo info) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    t.classObjects.insert_or_assign(info.clsid, std::move(info));
}

const ClassInfo* classObject(std::string_view clsid) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    auto it = t.classObjects.find(std::string(clsid));
    return it == t.classObjects.end() ? nullptr : &it->second;
}

std::vector<ClassInfo> classesOfLibrary(std::string_view library) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    std::vector<ClassInfo> out;
    for (const auto& [id, c] : t.classObjects)
        if (c.library == library) out.push_back(c);
    return out;
}

std::string registryPath() {
    if (const char* p = std::getenv("ZELT_REGISTRY"); p && *p) return p;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) return std::string(x) + "/zelt/registry.json";
    const char* home = std::getenv("HOME");
    // Without HOME, the account's own home; never a place other local users share.
    if (!home || !*home)
        if (const passwd* account = ::getpwuid(::getuid())) home = account->pw_dir;
    if (!home || !*home)
        throwError(err::CannotCreateObject,
                   "Não foi possível saber onde fica o registro de classes: defina ZELT_REGISTRY ou HOME.");
    return std::string(home) + "/.config/zelt/registry.json";
}

void offerTypeLibrary(TypeLibraryInfo info) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    const std::string library = info.name;
    t.typeLibraries.insert_or_assign(library, std::move(info));
}

void registerProgId(const ClassInfo& info) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    changeFile(t, [&](nlohmann::json& j) { return setEntry(j, info.progId, classEntry(info)); });
}

void unregisterProgId(std::string_view progId) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    changeFile(t, [&](nlohmann::json& j) { return j.erase(std::string(progId)) > 0; });
}

std::optional<std::string> clsidOfProgId(std::string_view progId) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    const auto& j = fileContents(t);
    auto it = j.find(std::string(progId));
    if (it == j.end() || !it->is_object() || !it->contains("clsid")) return std::nullopt;
    return (*it)["clsid"].get<std::string>();
}

std::vector<std::pair<std::string, std::string>> registeredClasses() {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& [progId, e] : fileContents(t).items())
        if (e.is_object() && e.contains("clsid")) out.emplace_back(progId, e["clsid"].get<std::string>());
    return out;
}

std::optional<TypeLibraryInfo> registeredTypeLibrary(std::string_view libid) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    const auto& j = fileContents(t);
    const auto libs = j.find("typeLibraries");
    if (libs == j.end() || !libs->is_object()) return std::nullopt;
    const auto e = libs->find(std::string(libid));
    if (e == libs->end()) return std::nullopt;
    try {
        return typeLibraryOfEntry(std::string(libid), *e);
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;  // an entry this reader cannot make sense of
    }
}

int32_t registerLibrary(std::string_view library) noexcept {
    return selfRegistration([library] {
        const auto classes = classesOfLibrary(library);
        auto& t = tables();
        std::lock_guard lock(t.mutex);
        const auto lib = t.typeLibraries.find(library);
        const nlohmann::json libEntry = lib == t.typeLibraries.end() ? nlohmann::json() : typeLibraryEntry(lib->second);
        changeFile(t, [&](nlohmann::json& j) {
            bool changed = false;
            for (const auto& c : classes) changed |= setEntry(j, c.progId, classEntry(c));
            if (!libEntry.is_null()) {
                if (!j["typeLibraries"].is_object()) j["typeLibraries"] = nlohmann::json::object();
                changed |= setEntry(j["typeLibraries"], lib->second.libid, libEntry);
            }
            return changed;
        });
    });
}

int32_t unregisterLibrary(std::string_view library) noexcept {
    return selfRegistration([library] {
        const auto classes = classesOfLibrary(library);
        auto& t = tables();
        std::lock_guard lock(t.mutex);
        changeFile(t, [&](nlohmann::json& j) {
            bool changed = false;
            for (const auto& c : classes) changed |= j.erase(c.progId) > 0;
            if (auto libs = j.find("typeLibraries"); libs != j.end() && libs->is_object()) {
                for (auto it = libs->begin(); it != libs->end();)
                    if (it->is_object() && it->value("name", "") == library) {
                        it = libs->erase(it);
                        changed = true;
                    } else {
                        ++it;
                    }
                if (changed && libs->empty()) j.erase(libs);
            }
            return changed;
        });
    });
}

}  // namespace registry

Ref<Object> CreateObject(std::string_view progId) {
    const auto clsid = registry::clsidOfProgId(progId);
    const ClassInfo* info = clsid ? registry::classObject(*clsid) : nullptr;
    if (!info || !info->factory)
        throwError(err::CannotCreateObject, standardDescription(err::CannotCreateObject) + " '" + std::string(progId) + "'.");
    return info->factory();
}

}  // namespace zelt

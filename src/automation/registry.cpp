#include "zelt/automation/registry.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include <nlohmann/json.hpp>

#include "zelt/automation/error.hpp"

namespace zelt {

namespace {

struct Tables {
    std::mutex mutex;
    std::map<std::string, ClassInfo> classObjects;  // by clsid
    // The registry file as last read, and what it looked like then.
    nlohmann::json file = nlohmann::json::object();
    std::string readPath;
    timespec readMtime{};
    off_t readSize = -1;
};

Tables& tables() {
    static Tables t;
    return t;
}

// Re-reads the file only when it changed since the last reading (CreateObject runs at the start of
// every operation, so a stat is all it may cost).
nlohmann::json& fileContents(Tables& t) {
    const std::string path = registry::registryPath();
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        t.file = nlohmann::json::object();
        t.readPath = path;
        t.readSize = -1;
        return t.file;
    }
    if (path == t.readPath && st.st_size == t.readSize && st.st_mtim.tv_sec == t.readMtime.tv_sec &&
        st.st_mtim.tv_nsec == t.readMtime.tv_nsec)
        return t.file;
    std::ifstream in(path);
    nlohmann::json j = nlohmann::json::parse(in, nullptr, false);
    t.file = j.is_object() ? j : nlohmann::json::object();
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
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~RegistryLock() {
        if (fd_ >= 0) ::close(fd_);  // closing releases the lock
    }
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

void writeFile(Tables& t, const nlohmann::json& j) {
    const std::filesystem::path path = registry::registryPath();
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    const std::filesystem::path temp = path.string() + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temp);
        out << j.dump(2) << "\n";
        if (!out) throwError(err::CannotCreateObject, "Não foi possível gravar o registro de classes em '" + path.string() + "'.");
    }
    std::filesystem::rename(temp, path, ec);
    if (ec) throwError(err::CannotCreateObject, "Não foi possível gravar o registro de classes em '" + path.string() + "'.");
    t.readPath.clear();  // read it afresh next time
}

}  // namespace

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
    return std::string(home && *home ? home : "/tmp") + "/.config/zelt/registry.json";
}

void registerProgId(const ClassInfo& info) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    nlohmann::json entry = {{"clsid", info.clsid}, {"library", info.library}, {"threadingModel", info.threadingModel}};
    if (const auto& seen = fileContents(t); seen.contains(info.progId) && seen[info.progId] == entry) return;
    RegistryLock fileLock;
    nlohmann::json j = freshContents(t);
    if (j.contains(info.progId) && j[info.progId] == entry) return;
    j[info.progId] = entry;
    writeFile(t, j);
}

void unregisterProgId(std::string_view progId) {
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    RegistryLock fileLock;
    nlohmann::json j = freshContents(t);
    if (!j.contains(std::string(progId))) return;
    j.erase(std::string(progId));
    writeFile(t, j);
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

int32_t registerLibrary(std::string_view library) {
    for (const auto& c : classesOfLibrary(library)) registerProgId(c);
    return 0;
}

int32_t unregisterLibrary(std::string_view library) {
    for (const auto& c : classesOfLibrary(library)) unregisterProgId(c.progId);
    return 0;
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

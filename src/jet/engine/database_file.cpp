#include "jet/engine/database_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "jet/engine/error_mapping.hpp"

namespace zelt::jet::engine {
namespace {

std::string reasonFor(int error) {
    switch (error) {
    case EACCES:
    case EPERM: return "permissão negada";
    case EROFS: return "o disco é somente leitura";
    case ENOSPC: return "o disco está cheio";
    default: return "o arquivo não pode ser aberto nem criado";
    }
}

bool present(const std::filesystem::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0;
}

// Only the folders made here get 0700: a folder that exists is the user's, left as it is.
void createFolders(const std::string& path, const std::filesystem::path& folder) {
    if (folder.empty() || present(folder)) return;
    createFolders(path, folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        throw cannotOpen(path, "não foi possível criar a pasta '" + folder.string() + "'");
}

}  // namespace

void requireFilePath(const std::string& path) {
    if (path.empty() || path == ":memory:" || path.starts_with("file:"))
        throw cannotOpen(path, "informe o caminho de um arquivo; num banco de dados em memória ou temporário, "
                               "tudo o que fosse gravado se perderia ao fim do programa");
}

void createOwnerOnly(const std::string& path) {
    createFolders(path, std::filesystem::path(path).parent_path());
    // O_EXCL: a file that exists, or that another process creates first, is left as it is. The
    // mode is set again past the process's umask, which a library must not change.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        const bool ok = ::fchmod(fd, 0600) == 0;
        const int error = errno;
        ::close(fd);
        if (!ok) throw cannotOpen(path, reasonFor(error));
    } else if (errno != EEXIST) {
        throw cannotOpen(path, reasonFor(errno));
    }
}

void requireExisting(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return;
    const int error = errno;
    throw cannotOpen(path, error == ENOENT || error == ENOTDIR ? "o arquivo não existe" : reasonFor(error));
}

}  // namespace zelt::jet::engine

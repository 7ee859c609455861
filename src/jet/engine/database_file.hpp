#pragma once
// The file a database lives in. The register holds personal data: what we create is for the
// owner only (folders 0700, the file 0600, and with it SQLite's -wal and -shm, which take the
// main file's permissions), and a name whose writes would vanish with the process is refused.
#include <string>

namespace zelt::jet::engine {

// Refuses (the cannot-open error) a name SQLite would hold in memory or in a temporary file, or
// read as a URI: "", ":memory:", "file:...". Every write to such a database would be lost.
void requireFilePath(const std::string& path);

// Creates the missing folders of path (0700) and the file itself (empty, 0600) when absent;
// existing folders and files keep their permissions. Raises the cannot-open error on failure.
void createOwnerOnly(const std::string& path);

// Raises the cannot-open error when there is no file at path, creating nothing.
void requireExisting(const std::string& path);

}  // namespace zelt::jet::engine

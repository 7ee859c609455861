#pragma once
// The zelt command installs what it drives: it registers every library's classes (idempotent),
// as an installer would, before creating anything by ProgID. When the class registry cannot be
// written it says so on standard error, after the command's name, and returns false.
bool registrarBibliotecas(const char* comando);

#pragma once
// The zelt command installs what it drives: it registers every library's classes (idempotent),
// as an installer would, before creating anything by ProgID.
void registrarBibliotecas();

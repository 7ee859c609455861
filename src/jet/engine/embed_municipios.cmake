# Writes the municipality list into a C++ source, so the library carries it without files beside it.
file(READ "${INPUT}" text)
file(WRITE "${OUTPUT}" "// Generated from data/municipios-ibge.csv at build time; edit the CSV, not this file.\n"
  "#include \"jet/engine/reference_data.hpp\"\n"
  "namespace zelt::jet::engine {\n"
  "std::string_view embeddedMunicipiosCsv() {\n"
  "    static constexpr char text[] = R\"zeltcsv(${text})zeltcsv\";\n"
  "    return {text, sizeof text - 1};\n"
  "}\n"
  "}  // namespace zelt::jet::engine\n")

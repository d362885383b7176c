// catalog-tables OUT.cpp CODE=FILE.mo...: turns the compiled gettext catalogues (msgfmt's .mo files, given
// in "Lang" order from the second language on) into the C++ source of the game's translation table,
// launcher/Catalog.h's CatalogEntries(). A text a catalogue lacks is given its English, as gettext would;
// each one is named on the standard error. The exit status is 0 only when the source was written.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kMoMagic = 0x950412de;
constexpr char kContextEnd = '\x04';  // between msgctxt and msgid in a .mo key
constexpr std::size_t kMoHeaderWords = 5;

// One compiled catalogue: its language (from its header) and its texts by (context, English).
struct Catalogue {
  std::string Language;
  std::map<std::pair<std::string, std::string>, std::string> Texts;
};

std::uint32_t Word(const std::string& data, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[at + i])) << (8 * i);
  return value;
}

// The string of a .mo file's table entry `i` (length and offset words), or nothing when it lies outside.
std::optional<std::string> TableString(const std::string& data, std::uint32_t table, std::uint32_t i) {
  const std::size_t entry = std::size_t{table} + 8 * std::size_t{i};
  if (entry + 8 > data.size()) return std::nullopt;
  const std::size_t length = Word(data, entry), offset = Word(data, entry + 4);
  if (offset > data.size() || length > data.size() - offset) return std::nullopt;
  return data.substr(offset, length);
}

// Reads a little-endian .mo file as msgfmt writes it; refuses plural forms, which the game has none of.
std::optional<Catalogue> ReadMo(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return error = "cannot be read", std::nullopt;
  if (data.size() < 4 * kMoHeaderWords || Word(data, 0) != kMoMagic)
    return error = "is not a little-endian .mo file", std::nullopt;
  const std::uint32_t count = Word(data, 8), originals = Word(data, 12), translations = Word(data, 16);
  Catalogue catalogue;
  for (std::uint32_t i = 0; i < count; ++i) {
    const auto key = TableString(data, originals, i), text = TableString(data, translations, i);
    if (!key || !text) return error = "has an entry outside the file", std::nullopt;
    if (key->empty()) {  // the header: find its language
      const std::size_t at = text->find("Language: ");
      if (at != std::string::npos) {
        const std::size_t start = at + std::string("Language: ").size();
        catalogue.Language = text->substr(start, text->find('\n', start) - start);
      }
      continue;
    }
    if (key->find('\0') != std::string::npos) return error = "holds a plural form", std::nullopt;
    const std::size_t end = key->find(kContextEnd);
    const std::string context = end == std::string::npos ? std::string() : key->substr(0, end);
    const std::string english = end == std::string::npos ? *key : key->substr(end + 1);
    catalogue.Texts[{context, english}] = *text;
  }
  return catalogue;
}

// A C++ string literal of UTF-8 text: quotes, backslashes and control bytes escaped, the rest as it is.
std::string Literal(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      char octal[5];
      std::snprintf(octal, sizeof octal, "\\%03o", byte);
      out += octal;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: catalog-tables OUT.cpp CODE=FILE.mo...\n";
    return 2;
  }
  std::vector<std::string> codes;
  std::vector<Catalogue> catalogues;
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos || equals == 0) {
      std::cerr << "catalog-tables: '" << argument << "' is not CODE=FILE.mo\n";
      return 2;
    }
    const std::string code = argument.substr(0, equals), path = argument.substr(equals + 1);
    std::string error;
    std::optional<Catalogue> catalogue = ReadMo(path, error);
    if (!catalogue) {
      std::cerr << "catalog-tables: " << path << " " << error << "\n";
      return 1;
    }
    if (catalogue->Language != code) {
      std::cerr << "catalog-tables: " << path << " says it is '" << catalogue->Language << "', not '" << code
                << "'\n";
      return 1;
    }
    codes.push_back(code);
    catalogues.push_back(std::move(*catalogue));
  }

  // Every text any catalogue holds, in (context, English) order.
  std::map<std::pair<std::string, std::string>, std::vector<std::string>> entries;
  for (const Catalogue& catalogue : catalogues)
    for (const auto& [key, text] : catalogue.Texts) entries[key];
  for (auto& [key, texts] : entries) {
    for (std::size_t i = 0; i < catalogues.size(); ++i) {
      const auto found = catalogues[i].Texts.find(key);
      if (found == catalogues[i].Texts.end() || found->second.empty()) {
        std::cerr << "catalog-tables: warning: " << codes[i] << " lacks \"" << key.second << "\"\n";
        texts.push_back(key.second);
      } else {
        texts.push_back(found->second);
      }
    }
  }

  std::ostringstream out;
  out << "// Made by catalog-tables from the catalogues of po/; do not edit.\n"
      << "#include \"launcher/Catalog.h\"\n\nnamespace zelmar {\nnamespace {\n\n"
      << "static_assert(kLanguageCount == " << codes.size() + 1
      << ", \"one catalogue for every language\");\n";
  for (std::size_t i = 0; i < codes.size(); ++i)
    out << "static_assert(kLanguages[" << i + 1 << "].Code == " << Literal(codes[i]) << ");\n";
  out << "\nconstexpr CatalogEntry kEntries[] = {\n";
  for (const auto& [key, texts] : entries) {
    out << "    {" << Literal(key.first) << ",\n     " << Literal(key.second) << ",\n     {"
        << Literal(key.second);
    for (const std::string& text : texts) out << ",\n      " << Literal(text);
    out << "}},\n";
  }
  out << "};\n\n}  // namespace\n\nstd::span<const CatalogEntry> CatalogEntries() {\n  return "
         "kEntries;\n}\n\n"
      << "}  // namespace zelmar\n";

  std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
  file << out.str();
  file.close();
  if (!file) {
    std::cerr << "catalog-tables: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}

#include "tools/archive/PackCommands.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>

#include "framework/GfxDb.h"
#include "tools/archive/GfxDbWriter.h"

namespace zelmar {

namespace {

constexpr const char* Usage =
    "usage: zelmar-pack create [--key HEX --iv HEX] ARCHIVE NAME=FILE[:TYPE]...\n"
    "       zelmar-pack list ARCHIVE\n"
    "       zelmar-pack extract [--key HEX] ARCHIVE NAME OUTFILE\n"
    "       zelmar-pack check [--key HEX] ARCHIVE\n";

// Arguments after the command, with the options taken out.
struct Options {
  std::vector<std::uint8_t> Key;
  std::optional<std::array<std::uint8_t, 8>> InitVector;
  std::vector<std::string> Rest;
};

// Decodes a string of hexadecimal digit pairs; nothing for a malformed string.
std::optional<std::vector<std::uint8_t>> ParseHex(const std::string& text) {
  if (text.empty() || text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned value = 0;
    for (char c : text.substr(i, 2)) {
      const auto digit = std::string_view("0123456789abcdef").find(static_cast<char>(c | 0x20));
      if (digit == std::string_view::npos) return std::nullopt;
      value = value * 16 + static_cast<unsigned>(digit);
    }
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  return bytes;
}

// Splits off --key and --iv; false (with a message) for a malformed value.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if ((arg == "--key" || arg == "--iv") && i + 1 < args.size()) {
      const auto bytes = ParseHex(args[++i]);
      if (arg == "--key" && (!bytes || bytes->size() > 72)) {
        err << "zelmar-pack: --key needs 1 to 72 bytes in hexadecimal\n";
        return false;
      }
      if (arg == "--iv" && (!bytes || bytes->size() != 8)) {
        err << "zelmar-pack: --iv needs exactly 8 bytes in hexadecimal\n";
        return false;
      }
      if (arg == "--key") {
        options.Key = *bytes;
      } else {
        options.InitVector.emplace();
        std::copy(bytes->begin(), bytes->end(), options.InitVector->begin());
      }
    } else {
      options.Rest.push_back(arg);
    }
  }
  return true;
}

// Reads a whole regular file up to the record size limit.
bool ReadFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return error = path + ": cannot open", false;
  const std::streamoff size = in.tellg();
  if (size < 0) return error = path + ": cannot read", false;
  if (size > GfxDbMaxUnpackedSize) return error = path + ": larger than the 256 MB record limit", false;
  bytes.resize(static_cast<std::size_t>(size));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return error = path + ": cannot read", false;
  return true;
}

// Splits NAME=FILE[:TYPE]; the type is the digits after the last colon, when there are any.
bool ParseEntry(const std::string& entry, std::string& name, std::string& file, std::uint16_t& type,
                std::string& error) {
  const auto eq = entry.find('=');
  if (eq == std::string::npos || eq == 0 || eq + 1 == entry.size())
    return error = "\"" + entry + "\" is not NAME=FILE[:TYPE]", false;
  name = entry.substr(0, eq);
  file = entry.substr(eq + 1);
  type = GfxRecordRaw;
  const auto colon = file.rfind(':');
  if (colon == std::string::npos) return true;
  const std::string digits = file.substr(colon + 1);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
    return true;
  const unsigned long value = std::stoul(digits);
  if (value > 0xFFFF)
    return error = "type " + digits + " of \"" + name + "\" is out of range (0 to 65535)", false;
  type = static_cast<std::uint16_t>(value);
  file.resize(colon);
  return true;
}

// create: packs every NAME=FILE into a new archive; nothing is written unless all files pack.
int Create(const Options& options, std::ostream& err) {
  if (options.Rest.size() < 2) return err << Usage, 2;
  if (options.InitVector && options.Key.empty()) return err << "zelmar-pack: --iv needs --key\n", 2;
  std::optional<TGfxDbEncryption> secret;
  if (!options.Key.empty())
    secret = TGfxDbEncryption{options.Key, options.InitVector.value_or(std::array<std::uint8_t, 8>{})};
  TGfxDbWriter writer;
  for (std::size_t i = 1; i < options.Rest.size(); ++i) {
    std::string name, file, error;
    std::uint16_t type = 0;
    std::vector<std::uint8_t> bytes;
    if (!ParseEntry(options.Rest[i], name, file, type, error) || !ReadFile(file, bytes, error) ||
        !writer.Add(name, bytes, type, secret ? &*secret : nullptr, &error))
      return err << "zelmar-pack: " << error << "\n", 1;
  }
  std::string error;
  if (!writer.Write(options.Rest[0], &error)) return err << "zelmar-pack: " << error << "\n", 1;
  return 0;
}

// Opens an archive read-only for list, extract and check.
bool OpenArchive(TGfxDb& db, const Options& options, std::ostream& err) {
  db.SetFileName(options.Rest[0]);
  db.SetOpenMode(opReadOnly);
  db.SetKey(options.Key);
  if (db.Open()) return true;
  err << "zelmar-pack: " << db.LastError() << "\n";
  return false;
}

// list: one line per record; records whose header does not fit the file are reported and fail.
int List(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.Rest.size() != 1) return err << Usage, 2;
  TGfxDb db;
  if (!OpenArchive(db, options, err)) return 1;
  int status = 0;
  out << std::left << std::setw(32) << "NAME" << std::right << std::setw(6) << "TYPE" << std::setw(12)
      << "UNPACKED" << std::setw(12) << "STORED"
      << "  FLAGS\n";
  for (int i = 0; i < db.RecordCount(); ++i) {
    const TRecordInfo& info = db.Record(i);
    std::ostringstream flags;
    flags << "0x" << std::hex << std::setw(4) << std::setfill('0') << info.Flags
          << (info.Encrypted() ? " encrypted" : "");
    out << std::left << std::setw(32) << info.Name << std::right << std::setw(6) << info.RecordType
        << std::setw(12) << info.UnpackedSize << std::setw(12) << info.StoredSize << "  " << flags.str()
        << "\n";
    std::string why;
    if (!RecordIsSound(info, db.FileSize(), &why)) {
      err << "zelmar-pack: " << options.Rest[0] << ": " << why << "\n";
      status = 1;
    }
  }
  return status;
}

// Writes bytes to a file through a temporary name, or to `out` for "-".
bool WriteOutput(const std::string& path, const std::vector<std::uint8_t>& bytes, std::ostream& out,
                 std::string& error) {
  if (path == "-") {
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good() || (error = "cannot write to standard output", false);
  }
  const std::string temp = path + ".part";
  {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) return std::remove(temp.c_str()), error = path + ": cannot write", false;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0)
    return std::remove(temp.c_str()), error = path + ": cannot write", false;
  return true;
}

// extract: one record through ReadRecord, so size and digest are verified before anything is written.
int Extract(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.Rest.size() != 3) return err << Usage, 2;
  TGfxDb db;
  if (!OpenArchive(db, options, err)) return 1;
  std::vector<std::uint8_t> data;
  if (!db.ReadRecord(options.Rest[1], data)) return err << "zelmar-pack: " << db.LastError() << "\n", 1;
  std::string error;
  if (!WriteOutput(options.Rest[2], data, out, error)) return err << "zelmar-pack: " << error << "\n", 1;
  return 0;
}

// check: reads every record by position; names shadowed by an earlier record count as faults
// too, since the game could never reach them.
int Check(const Options& options, std::ostream& out, std::ostream& err) {
  if (options.Rest.size() != 1) return err << Usage, 2;
  TGfxDb db;
  if (!OpenArchive(db, options, err)) return 1;
  int bad = 0;
  const int count = db.RecordCount();
  for (int i = 0; i < count; ++i) {
    const std::string name = db.Record(i).Name;
    std::vector<std::uint8_t> data;
    if (!db.ReadRecordAt(i, data)) {
      err << "zelmar-pack: " << db.LastError() << "\n";
      ++bad;
    } else if (db.Find(name) != i) {
      err << "zelmar-pack: " << options.Rest[0] << ": record \"" << name
          << "\" is hidden by an earlier record of the same name\n";
      ++bad;
    }
  }
  if (bad > 0)
    return err << "zelmar-pack: " << options.Rest[0] << ": " << bad << " of " << count
               << " records are unsound\n",
           1;
  out << options.Rest[0] << ": " << count << (count == 1 ? " record, sound\n" : " records, all sound\n");
  return 0;
}

}  // namespace

// Dispatches on the command word.
int RunZelmarPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return err << Usage, 2;
  Options options;
  if (!ParseOptions(args, options, err)) return 2;
  const std::string& command = args[0];
  if (command == "create") return Create(options, err);
  if (command == "list") return options.Key.empty() ? List(options, out, err) : (err << Usage, 2);
  if (command == "extract") return Extract(options, out, err);
  if (command == "check") return Check(options, out, err);
  if (command == "--help" || command == "-h" || command == "help") return out << Usage, 0;
  err << "zelmar-pack: unknown command \"" << command << "\"\n" << Usage;
  return 2;
}

}  // namespace zelmar

#include "engine/PowerSupply.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace zelmar {

namespace {

// The attributes read here hold a word or two; anything longer is not what the kernel writes.
constexpr std::size_t kMaxAttributeLength = 64;

// One attribute of a power supply, without its trailing line break; none when it is not a plain file,
// cannot be read, or is longer than anything the kernel writes there.
std::optional<std::string> ReadAttribute(const std::filesystem::path& supply, const char* name) {
  const std::filesystem::path file = supply / name;
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;  // a pipe would block
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(kMaxAttributeLength + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) return std::nullopt;
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (text.size() > kMaxAttributeLength) return std::nullopt;
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// A battery of the machine itself (not of a mouse or a keyboard, whose scope is "Device") that is
// discharging.
bool DischargingSystemBattery(const std::filesystem::path& supply) {
  if (ReadAttribute(supply, "type") != "Battery") return false;
  if (ReadAttribute(supply, "scope") == "Device") return false;
  return ReadAttribute(supply, "status") == "Discharging";
}

}  // namespace

std::filesystem::path PowerSupplyFolder() {
  const char* chosen = std::getenv(kPowerSupplyVariable);
  return chosen && *chosen ? std::filesystem::path(chosen) : std::filesystem::path(kPowerSupplyFolder);
}

bool OnBattery(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return false;  // no power-supply class to read: mains
  const std::filesystem::directory_iterator end;
  while (it != end) {
    if (DischargingSystemBattery(it->path())) return true;
    it.increment(error);
    if (error) return false;  // a listing cut short counts as mains, as one that cannot be read
  }
  return false;
}

}  // namespace zelmar

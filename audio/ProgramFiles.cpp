#include "audio/ProgramFiles.h"

#include <system_error>

namespace zelmar::audio {

// The kernel names the executable through /proc/self/exe, whatever the program was started as.
std::filesystem::path ProgramDirectory() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || exe.empty()) return std::filesystem::current_path(error);
  return exe.parent_path();
}

std::string FileBesideProgram(std::string_view name) {
  return (ProgramDirectory() / name).string();
}

}  // namespace zelmar::audio

// Files that ship beside the program's executable (the music tracks).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zelmar::audio {

// The directory holding the running executable; the current directory if it cannot be found.
std::filesystem::path ProgramDirectory();

// The full name of a file in the program's directory, e.g. FileBesideProgram("title_theme.mp3").
std::string FileBesideProgram(std::string_view name);

}  // namespace zelmar::audio

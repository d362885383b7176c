// The one error the player is told about, shown as the desktop shows its errors.
#pragma once

#include <string_view>

namespace zelmar {

// Shows `text` in a desktop message box titled `title`, with the error icon and one OK button, and returns
// once it is answered or closed. When no display can show the box, the text goes to standard error.
void ShowErrorBox(std::string_view title, std::string_view text);

// Writes the error to standard error as the program's own line ("zelmar-chess: text").
void PrintError(std::string_view text);

}  // namespace zelmar

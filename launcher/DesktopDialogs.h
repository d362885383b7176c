// The desktop's services the launcher uses: a Yes/No message box and the default browser.
#pragma once

#include <gtk/gtk.h>

#include <string_view>

#include "launcher/LauncherTexts.h"

namespace zelmar {

// Asks the quit question in a Yes/No message box above `parent`, all in the texts' language.
// Returns true for "Yes"; closing the box counts as "No".
bool AskQuitInMessageBox(GtkWindow* parent, const LauncherTexts& texts);

// Hands the address to the desktop's default browser; nothing is said when that fails.
void OpenInBrowser(std::string_view address);

}  // namespace zelmar

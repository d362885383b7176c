// The desktop's services the launcher uses: a Yes/No message box and the default browser.
#pragma once

#include <gtk/gtk.h>

#include <string_view>

#include "launcher/LauncherTexts.h"

namespace zelmar {

// Asks the quit question in a Yes/No message box above `parent`, all in the texts' language.
// Returns true for "Yes"; closing the box counts as "No".
bool AskQuitInMessageBox(GtkWindow* parent, const LauncherTexts& texts);

// Whether a termination has been requested through the descriptor given to WatchForQuit (MainForm.h).
bool QuitAsked();
// Calls `onQuit(data)` from the default main context once a termination is requested; returns the
// watch's source id (0 when nothing is watched). The callback runs at most once.
guint AddQuitWatch(GSourceFunc onQuit, gpointer data);
// Runs a modal dialog until it is answered; a termination request answers it with `quitResponse`.
int RunDialogUntilQuit(GtkDialog* dialog, int quitResponse);

// Hands the address to the desktop's default browser; nothing is said when that fails.
void OpenInBrowser(std::string_view address);

}  // namespace zelmar

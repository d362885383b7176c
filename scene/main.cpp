// Zelmar Chess: the program's entry point.
#include "launcher/GameOptions.h"
#include "launcher/MainForm.h"

// Shows the launcher, which reads the settings and lets the player start the game or quit.
int main() {
  if (!zelmar::InitLauncherToolkit()) return 1;  // no display to show anything on
  zelmar::GameOptions options;
  const zelmar::LauncherChoices choices = zelmar::RunLauncher(options);
  // The game window takes over from here when the player pressed "Start Game".
  static_cast<void>(choices);
  return 0;
}

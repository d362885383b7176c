// Zelmar Chess: the program's entry point.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/platform/QuitSignals.h"
#include "framework/platform/SdlPlatform.h"
#include "launcher/DisplayRoute.h"
#include "launcher/ErrorBox.h"
#include "launcher/GameFolders.h"
#include "launcher/MainForm.h"
#include "launcher/OpenedGameFile.h"
#include "launcher/ProgramArguments.h"
#include "scene/SceneForm.h"

namespace {

// The language of the lines the program writes to the terminal.
constexpr std::int32_t kTerminalLang = 1;

}  // namespace

// Reads the command line (`--help`, or one PGN file whose last game is opened once the launcher has been
// passed; a file that cannot be opened is refused in the launcher, which still starts a game without it),
// chooses the display (a Wayland desktop without a keyboard and a pointer is left for the X display, or the
// program ends with a clear message), creates the game window (which shows the launcher first and may end at
// once) and runs the loop until the window is closed or the player quits. The data and the tunes are found
// beside the program or in ../share/zelmar-chess from it, whatever the working folder; config.ini and the
// kept games beside the program, or in the user's folders for an installed game (launcher/GameFolders.h).
// However the loop ends (the quit window, the close box, SIGTERM or SIGINT, framework/platform/QuitSignals.h)
// the game in play is written to the current-game file on the way out; a signal ends the program with
// status 0: the end was asked for, even over the video failure's box.
int main(int argc, char** argv) {
  using namespace zelmar;
  const std::vector<const char*> words(argv + (argc > 0 ? 1 : 0), argv + argc);
  const ProgramArguments arguments = ParseProgramArguments(words);
  if (!arguments.Error.empty()) {
    PrintError(arguments.Error);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(kUsageLine.size()), kUsageLine.data());
    return 2;
  }
  if (arguments.Help) {
    std::printf("%.*s\n", static_cast<int>(kUsageLine.size()), kUsageLine.data());
    std::printf(
        "Plays chess against the computer. With FILE.pgn, its last game is opened once the launcher\n"
        "has been passed: an unfinished game goes on, a finished one can be stepped through.\n");
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
  }
  InstallQuitSignals();
  WatchForQuit(QuitSignalFd());
  if (PrepareDisplayRoute() == DisplayRoute::drNone) {
    PrintError(std::string(scene::kVideoFailure) + " (" + std::string(kNoInputOnDisplay) + ")");
    return 1;
  }
  if (!InitLauncherToolkit()) {
    PrintError("no display to show the game on");
    return 1;
  }
  platform::SdlPlatform platform;
  TApplication application(platform);
  application.SetTitle("Zelmar Chess");
  const GameFolders folders = FindGameFolders();
  scene::TSceneSetup setup;
  std::optional<GameFileRefusal> refusal;
  if (arguments.Game) {
    OpenedGameFile opened = OpenGameFile(*arguments.Game);
    setup.OpenedGame = std::move(opened.Game);
    refusal = std::move(opened.Refusal);
    if (refusal) PrintError(RefusalText(*refusal, kTerminalLang));
  }
  setup.Launcher = [file = folders.ConfigFile, refusal](GameOptions& options) {
    return RunLauncher(options, file, refusal);
  };
  setup.DataFolder = folders.DataFolder;
  setup.ConfigFile = folders.ConfigFile;
  setup.GamesFolder = folders.GamesFolder;
  setup.ShowError = ShowErrorBox;
  scene::TSceneForm form(application, platform, std::move(setup));
  application.Run();
  if (form.Running()) form.KeepCurrentGame();
  return QuitRequested() ? 0 : form.ExitCode();
}

// scene-startup: measures the game window on the real platform (needs a display). Each run builds the
// window as the program does, with a launcher that closes at once, and times the launcher's close to the
// first frame shown (the content loaded, the device made, the window up); then it reads the resident
// memory at the title screen, plays one game by mouse events at the square centres (the player's side
// searched three plies deep against the computer at one) and reads the memory again, and once more after
// every picture has been given its textures (what the game would hold had it made them all at load).
//   scene-startup [--runs N] [--moves N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/BoardRoot.h"
#include "engine/search/ChessSearch.h"
#include "scene/SceneForm.h"
#include "scene/SceneGeometry.h"
#include "tools/scene-run/GameRun.h"

using namespace zelmar;

namespace {

using Clock = std::chrono::steady_clock;
using zelmar::scene::TSceneForm;

// The resident set of this process and the part of it that is its own (anonymous, not pages of shared
// libraries), in megabytes; 0 when they cannot be read.
struct TResident {
  double Total = 0, Own = 0;
};
TResident ResidentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  TResident resident;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) resident.Total = std::atof(line.c_str() + 6) / 1024.0;
    if (line.rfind("RssAnon:", 0) == 0) resident.Own = std::atof(line.c_str() + 8) / 1024.0;
  }
  return resident;
}

// The player's move for the engine's position: a search three plies deep.
zelmar::TSearchMove SearchedMove(const TChessBrd& board) {
  const zelmar::TSearchRoot root = zelmar::RootFromBoard(board, 3);
  auto search = std::make_unique<zelmar::TChessSearch>();
  search->SetZelmarMode(root.ZelmarMode);
  search->RunSearch(root);
  return search->BestMove();
}

// One window with the settings of a fresh config.ini in a scratch file (perspective board, sound off).
struct Run : zelmar::tools::TGameRun {
  // Binds every texture of every picture once, so each gets its GL storage and pixels.
  void MakeEveryPicture() {
    for (int i = 0; i < Form->Images.Count(); ++i) {
      TGfxImage* image = Form->Images.Items(i);
      for (int t = 0; t < image->TextureCount(); ++t) image->Bind(0, t);
    }
    Loop(100);
  }

  // The main menu's "Game", then the player's moves until the game ends or `moves` were played.
  int PlayGame(int moves) {
    Click(183, 172);
    auto& state = Form->State();
    auto& engine = Form->ChessEngine;
    int played = 0;
    while (played < moves && state.GameState != zelmar::scene::TGameState::GameOver) {
      const auto waitEnd = Clock::now() + std::chrono::seconds(30);
      while ((state.Animating || engine.ComputerToMove()) && Clock::now() < waitEnd &&
             state.GameState != zelmar::scene::TGameState::GameOver)
        Loop(20);
      if (state.GameState == zelmar::scene::TGameState::GameOver) break;
      const zelmar::TSearchMove move = SearchedMove(engine);
      for (const int square : {move.From + 1, move.To + 1}) {
        const auto centre = zelmar::scene::SquareCentre(state, square);
        Click(centre.X, centre.Y);
      }
      if (state.GameState == zelmar::scene::TGameState::ChoosePromotion) Click(675, 626);
      ++played;
    }
    Loop(500);
    return played;
  }
};

}  // namespace

int main(int argc, char** argv) {
  int runs = 3, moves = 150;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--moves") == 0) moves = std::max(0, std::atoi(argv[i + 1]));
  }
  const auto config = std::filesystem::temp_directory_path() / "scene-startup-config.ini";
  std::vector<double> startups;
  TResident title, after, everything;
  int played = 0;
  bool finished = false;
  for (int run = 0; run < runs; ++run) {
    Run window;
    if (!window.Start(config)) {
      std::fprintf(stderr, "scene-startup: the game window did not start (no display or no data?)\n");
      return 1;
    }
    startups.push_back(std::chrono::duration<double>(window.FirstFrame - window.LauncherClosed).count());
    if (run > 0) continue;  // the memory of the first window, as in the program (later ones add the driver's)
    window.Loop(1000);
    title = ResidentMegabytes();
    played = window.PlayGame(moves);
    finished = window.Form->State().GameState == zelmar::scene::TGameState::GameOver;
    after = ResidentMegabytes();
    window.MakeEveryPicture();
    everything = ResidentMegabytes();
  }
  std::sort(startups.begin(), startups.end());
  std::printf(
      "start-up (launcher closed to first frame shown): median %.3f s, best %.3f s, worst %.3f s over %d "
      "runs\n",
      startups[startups.size() / 2], startups.front(), startups.back(), runs);
  std::printf(
      "resident memory: %.1f MB (%.1f MB its own) at the title screen, %.1f MB (%.1f MB its own) after a "
      "game "
      "of %d moves (%s)\n",
      title.Total, title.Own, after.Total, after.Own, played, finished ? "finished" : "unfinished");
  std::printf("resident memory with every picture made: %.1f MB (%.1f MB its own)\n", everything.Total,
              everything.Own);
  std::filesystem::remove(config);
  return 0;
}

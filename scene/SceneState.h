// The scene state: everything the game window's screens, menus, game flow and drawing share. One instance,
// owned by the game window; the initial values are those at program start.
#pragma once

#include <array>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>

#include "launcher/GameOptions.h"
#include "scene/SceneBoard.h"
#include "scene/SquareMarks.h"

namespace zelmar::scene {

// Which screen is shown.
enum class TSceneMode { NotStarted, TitleScreen, GameScreen, HelpScreen };
// Which menu or dialog lies over the screen.
enum class TMenuKind { NoMenu, MainMenu, QuitConfirm, OptionsMenu, HelpButtons, GameDialog };
// Where the game stands.
enum class TGameState { HumanToMove, ComputerThinking, GameOver, ChoosePromotion };

// The tool buttons of the game screen, left to right; `ButtonHover` holds their values, 0 for none.
enum class TToolButton : std::int32_t {
  None = 0,
  Inversion = 1,     // which army stands at the bottom
  ZoomIn = 2,        // larger figures
  ZoomOut = 3,       // smaller figures
  ClassicBoard = 4,  // hides or shows the flat board
  BoardBigger = 5,
  BoardSmaller = 6,
  StepBack = 7,     // one move back through the record
  StepForward = 8,  // one move forward through the record
  GameDialog = 9,   // the in-game window
};
inline constexpr std::int32_t kToolButtonCount = 9;

// The logical screen every position of the scene is given in.
inline constexpr int kLogicalWidth = 1024;
inline constexpr int kLogicalHeight = 768;

// The glide of a moving piece from one square's centre to another's.
struct TGlide {
  std::int32_t AnimStartX = 0, AnimStartY = 0, AnimEndX = 0, AnimEndY = 0;  // back-buffer pixels
  double AnimPosX = 0, AnimPosY = 0;            // exact position of the moving piece
  double AnimStepX = 0, AnimStepY = 0;          // direction of travel, the longer axis 1.0
  std::int32_t AnimX = 0, AnimY = 0;            // rounded position of the moving piece
  static constexpr std::int32_t AnimSpeed = 5;  // pixels per tick along the longer axis
};

struct TSceneState {
  // --- Screen (start-up and frame loop) ---
  std::int32_t OriginX = 0, OriginY = 0;      // top-left of the logical screen inside the back buffer
  std::int32_t CursorX = 512, CursorY = 384;  // the game's own cursor, logical coordinates
  TSceneMode SceneMode = TSceneMode::NotStarted;
  TMenuKind MenuKind = TMenuKind::MainMenu;
  GameOptions Options;  // the twelve settings of config.ini

  // --- Game flow ---
  TGameState GameState = TGameState::HumanToMove;
  std::int32_t HoverSquare = 0;     // board square under the cursor, 0 = none
  std::int32_t SelectedSquare = 0;  // the player's selected piece's square, 0 = none
  std::int32_t MoveFrom = 0, MoveTo = 0;
  std::int32_t MovingPiece = 0;  // piece code of the move being animated or just finished
  std::int32_t PanelPiece = 0;   // piece code shown in the side panel, 0 = panel hidden
  bool Animating = false;
  std::optional<bool> GameZelmar;   // the mode of the game on the board, once one has been set up
  TGlide Glide;                     // the moving piece's way while Animating
  std::string ResultText;           // UTF-8 text shown when the game is over; empty while it runs
  std::int32_t ButtonHover = 0;     // the TToolButton under the cursor, 0 = none
  std::int32_t PromotionHover = 0;  // promotion choice under the cursor, 2..5, 0 = none
  TSquareMarks Marks;               // the move marks of the setting "Move Marks", kept by the game flow
  // The hint the player asked for (key H) until the game changes: asked, then its two squares (1..64) and
  // its move in algebraic notation once it has come (0 and empty while the computer still thinks).
  bool HintAsked = false;
  std::int32_t HintFrom = 0, HintTo = 0;
  std::string HintSan;

  // --- Board view ---
  double PortraitDecay = -0.01;                     // constant of the portrait shrinking
  std::int32_t Pulse = 20;                          // height of the selected square's markers, 1..51
  std::int32_t PulseDir = -1;                       // +1 or -1
  double TitleAngle = 2 * std::numbers::pi;         // phase and size of the title circle, pi..2pi
  double TitleSpeed = -0.01;                        // change of TitleAngle per tick
  std::array<std::int32_t, 12> TitleX{}, TitleY{};  // the twelve title figures; [i - 1] is figure i

  // --- Menus ---
  std::int32_t MenuHover = 0;    // item of the current menu under the cursor, 1-based, 0 = none
  bool ContinueOffered = false;  // an unfinished game is kept: the main menu starts with "Continue"

  // --- View values (kept for the whole run, neither saved nor reset by a new game) ---
  // The tool buttons and the held keys 1..4 step them between their bounds; a step is taken while the
  // value is still inside its bound, so it may end just past it.
  static constexpr double kPieceZoomMin = 0.3, kPieceZoomMax = 1.0;
  static constexpr double kPieceZoomButtonStep = 0.03, kPieceZoomKeyStep = 0.01;
  static constexpr std::int32_t kBoardSizeMin = 27, kBoardSizeMax = 76;
  static constexpr std::int32_t kBoardSizeButtonStep = 7, kBoardSizeKeyStep = 1;
  double PieceZoom = 0.59;                        // size factor of the perspective figures
  double PortraitScale = 6.0;                     // scale of the side-panel portrait
  std::int32_t BoardSizePercent = kBoardSizeMax;  // size of the classic board in percent

  // --- The scene's own board ---
  TSceneBoard Board;
};

// Whether the game is played with the Zelmar as the drawing decides it: the mode of the game on the board,
// and before the first game Mode 2 of the settings.
inline bool ZelmarDrawn(const TSceneState& state) {
  return state.GameZelmar.value_or(state.Options.Mode == 2);
}

}  // namespace zelmar::scene

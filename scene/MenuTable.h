// The menus and dialogs, each defined once: where its items lie, what they say and what a click on them
// does. The hit test, the click handling and the drawing all read these tables.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "launcher/GameOptions.h"
#include "scene/SceneState.h"
#include "scene/SceneTexts.h"

namespace zelmar::scene {

// What a click on a menu item does.
enum class TMenuAction {
  ContinueGame,     // the kept unfinished game on the game screen
  StartGame,        // a new game on the game screen
  OpenHelp,         // the help screen
  OpenOptions,      // the options list over the title screen
  OpenQuitConfirm,  // the quit window over the title screen
  ReturnToMenu,     // the main menu
  Quit,             // ends the program at once (the settings unsaved, the current game kept)
  StepOption,       // steps the item's setting
  StepBoardStyle,   // steps Classic and remembers the board style shown for the tool button
  StepMusic,        // steps Music; turning it off stops the tune
  StepPriority,     // steps Priority and hands it to the computer player
  SaveOptions,      // saves the settings and returns to the main menu
  CloseDialog,      // back to the game
  Rematch,          // a new game, the tune going on
};

// One item of a menu.
struct TMenuItem {
  Message Text;
  TMenuAction Action;
  std::int32_t GameOptions::*Setting = nullptr;  // the setting a step changes and the options list shows
  std::span<const Message> Values = {};          // the texts of its values 1..n; n is its last value
};

// An item box in logical coordinates; all its bounds are exclusive.
struct TItemBox {
  std::int32_t Left, Right, Top, Bottom;
};

// A dialog question's shift to the right in every language, so that it sits in the middle of the window.
using TQuestionShift = std::array<std::int32_t, kLanguageCount>;

// One menu: item i's box is the first box moved by (i - 1) * (StepX, StepY).
struct TMenu {
  TItemBox First;
  std::int32_t StepX, StepY;
  bool ClickSound;                   // a click on an item first plays the click clip
  Message Question;                  // a dialog's question; empty for the lists
  TQuestionShift QuestionShift;      // the question's shift to the right, by LanguageIndex
  std::span<const TMenuItem> Items;  // item i is Items[i - 1]
};

// The menu of `kind`; NoMenu has no items. The main menu has two forms: with `continueOffered` it starts
// with "Continue" and the other items follow one place lower.
const TMenu& MenuOf(TMenuKind kind, bool continueOffered = false);
// The menu over the screen now: MenuKind's, in the form the state's ContinueOffered chooses.
const TMenu& ShownMenu(const TSceneState& state);
// The box of item 1..n of `menu`.
TItemBox ItemBox(const TMenu& menu, std::int32_t item);
// The item of `menu` whose box strictly contains (x, y), 1-based, or 0.
std::int32_t ItemAt(const TMenu& menu, std::int32_t x, std::int32_t y);

}  // namespace zelmar::scene

// The menus and dialogs, each defined once: where its items lie, what they say and what a click on them
// does. The hit test, the click handling and the drawing all read these tables.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "launcher/GameOptions.h"
#include "scene/SceneState.h"
#include "scene/SceneTexts.h"
#include "scene/TextRooms.h"

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

// One menu: item i's box is the first box moved by (i - 1) * (StepX, StepY).
struct TMenu {
  TItemBox First;
  std::int32_t StepX, StepY;
  bool ClickSound;                   // a click on an item first plays the click clip
  Message Question;                  // a dialog's question; empty for the lists
  std::span<const TMenuItem> Items;  // item i is Items[i - 1]
};

// The dialog window's top-left corner, and the room its question is centred in, between the window's frame.
inline constexpr std::int32_t kDialogLeft = 287, kDialogTop = 277;
inline constexpr TTextRoom kQuestionRoom{kDialogLeft + 51, kDialogLeft + 450 - 51};
// The options' value column: a shaded box from this x, this wide, 3 pixels above each item's box and 30
// high, its text inset by kValueInset.
inline constexpr std::int32_t kValueColumnLeft = 243, kValueColumnWidth = 140, kValueColumnRaise = 3,
                              kValueColumnHeight = 30, kValueInset = 3;
// A button's text is inset from its box's top-left corner.
inline constexpr std::int32_t kButtonInset = 3;

// The menu of `kind`; NoMenu has no items. The main menu has two forms: with `continueOffered` it starts
// with "Continue" and the other items follow one place lower.
const TMenu& MenuOf(TMenuKind kind, bool continueOffered = false);
// The menu over the screen now: MenuKind's, in the form the state's ContinueOffered chooses.
const TMenu& ShownMenu(const TSceneState& state);
// The box of item 1..n of `menu`.
TItemBox ItemBox(const TMenu& menu, std::int32_t item);
// The item of `menu` whose box strictly contains (x, y), 1-based, or 0.
std::int32_t ItemAt(const TMenu& menu, std::int32_t x, std::int32_t y);

// The room of the text of item 1..n of the menu of `kind`: a main menu item's box; an option's label, up to
// the value column; a button's box inside its inset.
TTextRoom ItemTextRoom(TMenuKind kind, std::int32_t item, bool continueOffered = false);
// The room of an option's value: its box in the value column inside the inset.
inline constexpr TTextRoom kValueRoom{kValueColumnLeft + kValueInset, kValueColumnLeft + kValueColumnWidth};

}  // namespace zelmar::scene

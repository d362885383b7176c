// Every text the game window shows, in every interface language, in UTF-8 as the fonts draw it. The texts
// are written in English (the menus' in scene/MenuTable.cpp) and translated through the catalogues
// (launcher/Catalog.h). `lang` is a "Lang" value 1..kLanguageCount (any other value gives English); a number
// outside a table gives an empty text.
#pragma once

#include <string>
#include <string_view>

#include "launcher/Catalog.h"
#include "scene/SceneState.h"

namespace zelmar::scene {

enum class TResult { Mate, StaleMate, NoMatingMaterial, Threefold };

// The status line for a state of the game (empty for GameOver, which shows the result text).
const std::string& StatusText(TGameState state, int lang);
// The status line while the player's hint is asked: the computer thinking while `san` is empty, else
// the move it suggests.
std::string HintStatusText(std::string_view san, int lang);
// The help screen's line on the hint key.
const std::string& HelpHintText(int lang);
// The text shown at the end of a game.
const std::string& ResultTextOf(TResult result, int lang);
// The side panel's name of a piece code (the Zelmar's for +-5 when `zelmar`).
const std::string& PieceName(int code, bool zelmar, int lang);

// The text of item 1..n of a menu (of the main menu's form with "Continue" when `continueOffered`), and the
// question of a dialog (empty for the lists).
const std::string& MenuItemText(TMenuKind kind, int item, int lang, bool continueOffered = false);
const std::string& MenuQuestion(TMenuKind kind, int lang);
// The shown value 1..n of options item 1..10.
const std::string& OptionValueText(int item, int value, int lang);
// The help legend of button pattern 0..10.
const std::string& HelpLegend(int pattern, int lang);

}  // namespace zelmar::scene

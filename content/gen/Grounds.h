// The full-screen backgrounds of the game: title, help, and the two game locations with their painted boards.
#pragma once
#include "content/kit/Image.h"

namespace zelmar::content {

constexpr int kScreenW = 1024, kScreenH = 768;

enum class Location { Castle, Town };

// A game background with the perspective board painted on the scene's square quadrilaterals, moved by the
// offset.
Image GameGround(Location where, float offsetX, float offsetY);
// The title screen: the game's name large at the right, calm dark room for the menu at the left.
Image TitleGround();
// The launcher's picture, 630 × 360: the title art recomposed for a wide frame.
Image LauncherArt();
// The help screen: a calm panel for the legend at the left.
Image HelpGround();

}  // namespace zelmar::content

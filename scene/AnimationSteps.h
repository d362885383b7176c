// The small animations of the board view, one step per logic tick: the title circle, the selection pulse and
// the portrait zoom.
#pragma once

#include "scene/SceneState.h"

namespace zelmar::scene {

void TitleStep(TSceneState& state);     // every tick in every screen
void PulseStep(TSceneState& state);     // every tick
void PortraitStep(TSceneState& state);  // every tick in the game screen

}  // namespace zelmar::scene

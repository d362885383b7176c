// Mock-ups of the game's screens composed from the generated pictures at the positions the game draws them.
#pragma once
#include <optional>
#include <string>

#include "content/kit/Image.h"

namespace zelmar::content {

// The title, game (castle and town) and help screens side by side; nothing when a picture is missing.
std::optional<Image> ComposeMockUps(const std::string& recordDir);

}  // namespace zelmar::content

// The game's content as the description lists it: every picture, then the three fonts in their order.
#pragma once
#include <array>
#include <string_view>

namespace zelmar::content {

struct ContentEntry {
  std::string_view Name;        // item and archive key
  std::string_view AlphaLevel;  // "none" for opaque pictures, empty for full alpha
};

inline constexpr std::array<ContentEntry, 15> kPictures = {{{"ground", "none"},
                                                            {"zelmar_piece_2", ""},
                                                            {"zelmar_piece_1", ""},
                                                            {"piece_1", ""},
                                                            {"piece_2", ""},
                                                            {"queen_1", ""},
                                                            {"queen_2", ""},
                                                            {"queen_11", ""},
                                                            {"queen_21", ""},
                                                            {"classic", ""},
                                                            {"button", ""},
                                                            {"timer", ""},
                                                            {"window_1", ""},
                                                            {"cursor", ""},
                                                            {"cursor_1", ""}}};

// Font keys by position: 0 menu, 1 text, 2 clock digits; their record files are font0 … font2.
inline constexpr std::array<std::string_view, 3> kFonts = {"font_menu", "font_text", "font_clock"};

}  // namespace zelmar::content

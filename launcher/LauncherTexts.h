// The launcher's texts in every interface language and the product's web address.
#pragma once

#include <cstdint>
#include <string_view>

namespace zelmar {

// The product's web page, shown by the launcher's link and opened by it and by "Check for Update".
inline constexpr std::string_view kProductWebAddress = "https://www.zelmarchess.com";

// The texts that follow the chosen language (UTF-8). The check box texts keep their blanks.
struct LauncherTexts {
  std::string_view Caption;
  std::string_view FullScreen;
  std::string_view Maximized;
  std::string_view Antialias;
  std::string_view StartGame;
  std::string_view CheckForUpdate;
  std::string_view QuitQuestion;
  std::string_view Yes;  // the answers of the quit question (with their access keys)
  std::string_view No;
  // A game file given on the command line that cannot be opened: the words around its name, then the
  // reason (the size limit and the reader's own words follow the last two).
  std::string_view CannotOpenBefore;
  std::string_view CannotOpenAfter;
  std::string_view FileMissing;
  std::string_view FileUnreadable;
  std::string_view FileTooLarge;
  std::string_view FileHoldsNoGame;
  std::string_view GameRefusedBefore;  // around the refused game's first line
  std::string_view GameRefusedAfter;
  std::string_view Megabytes;
};

// Returns the texts for a "Lang" value 1..kLanguageCount (launcher/Languages.h); any other value gives
// English.
const LauncherTexts& LauncherTextsFor(std::int32_t lang);

}  // namespace zelmar

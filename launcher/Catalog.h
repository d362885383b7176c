// The translations of every text of the game and the launcher, compiled in from the gettext catalogues of
// po/ (all languages at once, so that the language can change while the game runs). A text is written in
// the source as its English, through Msg(), which xgettext collects into po/zelmar-chess.pot.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "launcher/Languages.h"

namespace zelmar {

// One text of the interface: its English and, where one English word needs different translations in
// different places, a context that tells them apart (gettext's msgctxt).
struct Message {
  std::string_view Context;
  std::string_view English;
  bool Translated = true;  // false for a text shown the same in every language (a number, a language's name)
};

// A translated text: Msg("English") or Msg("context", "English").
constexpr Message Msg(std::string_view english) {
  return {{}, english};
}
constexpr Message Msg(std::string_view context, std::string_view english) {
  return {context, english};
}
// A text that is not translated.
constexpr Message Untranslated(std::string_view text) {
  return {{}, text, false};
}

// One entry of the catalogues: a context and English text, with its text in every language (English first).
struct CatalogEntry {
  std::string_view Context;
  std::string_view English;
  std::array<std::string_view, kLanguageCount> Texts;
};

// Every entry of the catalogues, ordered by context, then English (made at build time from po/).
std::span<const CatalogEntry> CatalogEntries();

// The text of `message` in "Lang" `lang` (English outside 1..kLanguageCount). A text that a catalogue lacks
// shows in English, as gettext shows it.
std::string_view Translate(const Message& message, std::int32_t lang);

}  // namespace zelmar

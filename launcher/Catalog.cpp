#include "launcher/Catalog.h"

#include <algorithm>
#include <utility>

namespace zelmar {

std::string_view Translate(const Message& message, std::int32_t lang) {
  const std::size_t index = LanguageIndex(lang);
  if (!message.Translated || index == 0) return message.English;
  const std::span<const CatalogEntry> entries = CatalogEntries();
  const auto key = [](const CatalogEntry& entry) { return std::pair(entry.Context, entry.English); };
  const auto found =
      std::ranges::lower_bound(entries, std::pair(message.Context, message.English), std::less{}, key);
  if (found == entries.end() || key(*found) != std::pair(message.Context, message.English))
    return message.English;
  return found->Texts[index];
}

}  // namespace zelmar

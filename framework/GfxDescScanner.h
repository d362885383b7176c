// Scanning the resource description (zelmar.def) for the tags of one group.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelmar {

// One start or empty-element tag handed to the entry handler.
struct TGfxDescTag {
  std::string Element;                                          // lower-cased
  std::vector<std::pair<std::string, std::string>> Attributes;  // as written, in order

  // The value of the attribute of exactly this name (names are case-sensitive), or "".
  std::string Attribute(std::string_view name) const;
};

// Result of a scan: whether the whole text was well-formed XML, and where it was not.
struct TGfxDescScanResult {
  bool WellFormed = true;
  std::string Error;  // "line L: message" when not well-formed
};

// Scans XML text with three states (0 outside, 1 inside `gfx`, 2 inside the wanted group): `gfx`
// opens state 1 from 0, a `group` whose `name` equals `group` exactly opens state 2 from 1, and in
// state 2 every start or empty-element tag, the group's own included, goes to `handler`. The end
// of `gfx` in state 1 returns to 0, the end of `group` in state 2 returns to 1; other tags are
// ignored. Element names are compared lower-cased. Text that is not well-formed ends the scan at
// the fault; tags handed over before it stay handed over.
TGfxDescScanResult ScanGfxDescription(std::string_view xml, const std::string& group,
                                      const std::function<void(const TGfxDescTag&)>& handler);

}  // namespace zelmar

// Fuzz target: the resource description scanner on arbitrary text.
#include <cstdint>
#include <string_view>

#include "framework/GfxDescScanner.h"

using namespace zelmar;

// Scans for two group names; every tag handed over must carry a lower-case element name.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view xml(reinterpret_cast<const char*>(data), size);
  for (const char* group : {"Content", ""}) {
    (void)ScanGfxDescription(xml, group, [](const TGfxDescTag& tag) {
      for (char c : tag.Element)
        if (c >= 'A' && c <= 'Z') __builtin_trap();
      (void)tag.Attribute("key");
    });
  }
  return 0;
}

// Fuzz target: ReadRecord on arbitrary archive bytes, with and without a decryption key.
#include <cstdint>

#include "framework/GfxDb.h"
#include "framework/GfxDbRecord.h"

using namespace zelmar;

// Reads up to eight records by position and by name; whatever comes back must be exactly the
// declared size and carry the declared digest.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::uint8_t Key[] = {'f', 'u', 'z', 'z', '-', 'k', 'e', 'y'};
  const TGfxDbMemorySource source({data, size});
  TGfxDbTable table;
  if (!ReadGfxDbTable(source, table)) return 0;
  const int count = static_cast<int>(std::min<std::size_t>(table.Records.size(), 8));
  for (int i = 0; i < count; ++i) {
    const TRecordInfo& info = table.Records[static_cast<std::size_t>(i)];
    for (const std::span<const std::uint8_t> key :
         {std::span<const std::uint8_t>(), std::span<const std::uint8_t>(Key)}) {
      std::vector<std::uint8_t> out;
      if (ReadGfxDbRecordAt(source, table, i, key, out)) {
        if (out.size() != static_cast<std::size_t>(info.UnpackedSize) || GfxDbDigest(out) != info.Checksum)
          __builtin_trap();
      } else if (!out.empty()) {
        __builtin_trap();
      }
    }
    std::vector<std::uint8_t> byName;
    (void)ReadGfxDbRecord(source, info.Name, {}, byName);
  }
  return 0;
}

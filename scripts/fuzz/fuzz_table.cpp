// Fuzz target: the record table reader on arbitrary archive bytes.
#include <cstdint>

#include "framework/GfxDb.h"

using namespace zelmar;

// Reads the table and checks every record's bounds; a sound table must describe only records
// that lie inside the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TGfxDbMemorySource source({data, size});
  TGfxDbTable table;
  if (!ReadGfxDbTable(source, table)) {
    if (!table.Records.empty()) __builtin_trap();
    return 0;
  }
  for (const TRecordInfo& info : table.Records) {
    if (info.Offset < 0 || info.Offset + GfxDbRecordHeaderSize > static_cast<std::int64_t>(size))
      __builtin_trap();
    if (RecordIsSound(info, table.FileSize) &&
        info.Offset + GfxDbRecordHeaderSize + info.StoredSize > static_cast<std::int64_t>(size))
      __builtin_trap();
    (void)FindGfxDbRecord(table.Records, info.Name);
  }
  return 0;
}

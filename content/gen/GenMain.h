// Shared start of the generator programs: arguments and the writing of named records.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "content/kit/Records.h"

namespace zelmar::content {

// Writes one record file <dir>/<name>.rec; reports and returns false on failure.
inline bool saveRecord(const std::string& dir, const std::string& name, const Bytes& data) {
  const std::string path = dir + "/" + name + ".rec";
  if (writeFile(path, data)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

// Writes a picture record of equally sized patterns, in A8R8G8B8 unless told otherwise.
inline bool savePicture(const std::string& dir, const std::string& name, const std::vector<Image>& patterns,
                        TPixelFormat format = TPixelFormat::pfA8R8G8B8) {
  return saveRecord(dir, name, encodeImageRecord(patterns, format));
}

}  // namespace zelmar::content

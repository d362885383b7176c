// Shared start of the generator programs: their one entry, and the writing of named records.
#pragma once
#include <cstdio>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "content/kit/Records.h"

namespace zelmar::content {

// A generator's command line, its program name first as in argv.
using Arguments = std::vector<std::string>;

// The entry of every generator program: main returns RunGenerator(argc, argv, ...). Refuses any command line
// but the named parameters (printing the usage, status 2); otherwise runs generate and returns its status,
// 0 for success and 1 for failure, which is also the status when it throws (the reason printed under the
// generator's name).
inline int RunGenerator(int argc, char** argv, const char* name,
                        std::initializer_list<const char*> parameters,
                        const std::function<int(const Arguments&)>& generate) {
  if (argc != static_cast<int>(parameters.size()) + 1) {
    std::string usage;
    for (const char* parameter : parameters) usage += std::string(" ") + parameter;
    std::fprintf(stderr, "usage: %s%s\n", argc > 0 ? argv[0] : name, usage.c_str());
    return 2;
  }
  try {
    return generate(Arguments(argv, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", name, e.what());
    return 1;
  }
}

// Writes one record file <dir>/<name>.rec; reports and returns false on failure.
inline bool SaveRecord(const std::string& dir, const std::string& name, const Bytes& data) {
  const std::string path = dir + "/" + name + ".rec";
  if (WriteFile(path, data)) return true;
  std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return false;
}

// Writes a picture record of equally sized patterns, in A8R8G8B8 unless told otherwise.
inline bool SavePicture(const std::string& dir, const std::string& name, const std::vector<Image>& patterns,
                        TPixelFormat format = TPixelFormat::pfA8R8G8B8) {
  return SaveRecord(dir, name, EncodeImageRecord(patterns, format));
}

}  // namespace zelmar::content

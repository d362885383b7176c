// The commands of zelmar-pack, callable in-process so they can be tested without spawning.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zelmar {

// Runs one zelmar-pack command line (without the program name):
//   create [--key HEX --iv HEX] ARCHIVE NAME=FILE[:TYPE]...
//   list ARCHIVE
//   extract [--key HEX] ARCHIVE NAME OUTFILE      (OUTFILE "-" writes to `out`)
//   check [--key HEX] ARCHIVE
// Listings go to `out`, messages to `err`. Returns the exit status: 0 on success, 1 when the
// archive or a record is unsound, 2 for a usage error.
int RunZelmarPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zelmar

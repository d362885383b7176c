#include "launcher/PlayerName.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace zelmar {

std::string PlayerName() {
  // The account's entry in the user database; the buffer grows while the entry does not fit.
  long hint = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  int status = 0;
  while ((status = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE)
    buffer.resize(buffer.size() * 2);
  if (status != 0 || !found) return kDefaultPlayerName;
  // The comment field's first comma-separated part is the full name.
  const std::string comment = found->pw_gecos ? found->pw_gecos : "";
  const std::string fullName = comment.substr(0, comment.find(','));
  if (!fullName.empty()) return fullName;
  if (found->pw_name && *found->pw_name) return found->pw_name;
  return kDefaultPlayerName;
}

}  // namespace zelmar

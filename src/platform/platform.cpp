#include "platform/platform.h"

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <sys/stat.h>

#include "platform/files.h"

namespace platform {

namespace {
Platform* current = nullptr;
}

Platform& Os() {
  if (!current) throw std::logic_error("no platform installed");
  return *current;
}

void SetPlatform(Platform* p) { current = p; }

std::string SavesFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (data && data[0] == '/') {
    base = data;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && home[0] ? home : ".") + "/.local/share";
  }
  return base + "/mirovaan/saves";
}

namespace {

// mkdir -p, private to the user as the XDG rules ask of the folders under the data home.
bool MakeFolders(const std::string& path, int& error) {
  for (size_t at = 1; at <= path.size(); ++at) {
    if (at != path.size() && path[at] != '/') continue;
    std::string part = path.substr(0, at);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
      error = errno;
      return false;
    }
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    error = ENOTDIR;
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> Platform::OwnSavePath(const std::string& name, bool forLoad,
                                                 std::string& reason) {
  const std::string folder = SavesFolder();
  int error = 0;
  if (!forLoad && !MakeFolders(folder, error)) {
    reason = folder + "\n" + SystemReason(error);
    return std::nullopt;
  }
  return folder + "/" + name;
}

}  // namespace platform

// Writing a saved game without ever leaving a half-written file in place of a good one.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "persist/save.h"
#include "platform/files.h"

namespace persist {

// The reasons live with the other file helpers of the platform layer, shared by every reader.
std::string SystemReason(int error) { return platform::SystemReason(error); }

}  // namespace persist

namespace persist {

namespace {

const FileIo* testIo = nullptr;

long DoWrite(int fd, const void* data, size_t size) {
  return testIo && testIo->write ? testIo->write(fd, data, size) : ::write(fd, data, size);
}
int DoFsync(int fd) { return testIo && testIo->fsync ? testIo->fsync(fd) : ::fsync(fd); }
int DoRename(const char* from, const char* to) {
  return testIo && testIo->rename ? testIo->rename(from, to) : ::rename(from, to);
}

std::string Reason(int error) { return SystemReason(error); }

// The file a save really replaces: through a symbolic link to its target, so that the link
// stays a link.
std::string ResolveTarget(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  std::string target = real;
  std::free(real);
  return target;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A new file gets the permissions any program's new file gets; a replaced one keeps its own.
mode_t ModeFor(const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

std::optional<std::string> WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    long n = DoWrite(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Reason(errno);
    if (n == 0) return Reason(ENOSPC);
    done += static_cast<size_t>(n);
  }
  return std::nullopt;
}

// Makes the rename itself durable; a folder that cannot be synced loses nothing already
// written, so its failure is not reported.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void SetFileIoForTesting(const FileIo* io) { testIo = io; }

std::optional<std::string> WriteFileReplacing(const std::string& path,
                                              const std::vector<uint8_t>& bytes) {
  if (path.empty()) return Reason(ENOENT);
  const std::string target = ResolveTarget(path);
  const std::string folder = FolderOf(target);
  std::string base = target.substr(target.rfind('/') == std::string::npos ? 0 : target.rfind('/') + 1);
  std::string temp = folder + "/." + base + ".XXXXXX";

  int fd = ::mkstemp(temp.data());
  if (fd < 0) return Reason(errno);
  std::optional<std::string> failure;
  if (::fchmod(fd, ModeFor(target)) != 0) failure = Reason(errno);
  if (!failure) failure = WriteAll(fd, bytes);
  if (!failure && DoFsync(fd) != 0) failure = Reason(errno);
  if (::close(fd) != 0 && !failure) failure = Reason(errno);
  if (!failure && DoRename(temp.c_str(), target.c_str()) != 0) failure = Reason(errno);
  if (failure) {
    ::unlink(temp.c_str());
    return failure;
  }
  SyncFolder(folder);
  return std::nullopt;
}

}  // namespace persist

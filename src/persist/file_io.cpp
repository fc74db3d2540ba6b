// Writing a saved game without ever leaving a half-written file in place of a good one, nor
// a temporary file beside it.
#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "persist/save.h"
#include "platform/files.h"
#include "platform/language.h"


namespace {

constexpr Bilingual kNotRegular = {"通常のファイルではありません", "It is not a regular file"};
constexpr Bilingual kNoSaveOverOther = {
    "通常のファイルではありません（パイプや装置には保存しません）",
    "It is not a regular file (the game does not save to pipes or devices)"};
constexpr Bilingual kReadOnly = {"読み取り専用のファイルです。上書きしません",
                                 "The file is read-only; it is not overwritten"};

}  // namespace

namespace persist {

// The load and the replay recorder read a saved game through the one reader of every file
// the game is given. Its box has always called a pipe, a device or a socket simply "not a
// regular file", and keeps that sentence; a folder and the system's errors read as before.
std::optional<std::vector<uint8_t>> ReadSaveBytes(const std::string& path, std::string* reason) {
  std::vector<uint8_t> bytes;
  platform::ReadResult read =
      platform::ReadRegularFile(path, kSaveRecordSize, platform::Excess::Ignore, bytes);
  if (read) return bytes;
  if (reason) *reason = read.OtherKind ? Pick(kNotRegular) : std::move(read.Reason);
  return std::nullopt;
}

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
int DoOpenUnnamed(const char* folder, mode_t mode) {
  if (testIo && testIo->openUnnamed) return testIo->openUnnamed(folder, mode);
  return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save really writes: symbolic links are followed to their end, also to a
// target that does not exist yet, so that the link stays a link and its target is written.
std::optional<std::string> ResolveTarget(std::string& path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
    char buffer[PATH_MAX];
    ssize_t n = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (n <= 0) return platform::SystemReason(n < 0 ? errno : ENOENT);
    std::string next(buffer, static_cast<size_t>(n));
    path = next[0] == '/' ? next : FolderOf(path) + "/" + next;
  }
  return platform::SystemReason(ELOOP);
}

// A save replaces only a saved game: a folder, a pipe, a device or a file marked read-only
// is left exactly as it is.
std::optional<std::string> RefuseOddTarget(const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::nullopt;  // a new file
    return platform::SystemReason(errno);
  }
  if (S_ISDIR(st.st_mode)) return platform::SystemReason(EISDIR);
  if (!S_ISREG(st.st_mode)) return std::string(Pick(kNoSaveOverOther));
  // Checked by the bits as well: the system lets the administrator write anything.
  if ((st.st_mode & 0222) == 0) return std::string(Pick(kReadOnly));
  if (::access(target.c_str(), W_OK) != 0) return platform::SystemReason(errno);
  return std::nullopt;
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
    if (n < 0) return platform::SystemReason(errno);
    if (n == 0) return platform::SystemReason(ENOSPC);
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

// The temporary names this program gives a save of base: ".base." and six letters.
bool IsOurTemporaryName(const std::string& name, const std::string& base) {
  const std::string prefix = "." + base + ".";
  if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) return false;
  for (size_t i = prefix.size(); i < name.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// A save killed part-way on a file system without unnamed files leaves its temporary file;
// the next save of the same name removes what such saves left, and only that.
void RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsOurTemporaryName(name, base)) continue;
    struct stat st;
    const std::string path = folder + "/" + name;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid())
      ::unlink(path.c_str());
  }
  ::closedir(dir);
}

std::string FreshTemporaryName(const std::string& folder, const std::string& base) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[6] = {};
  if (::getrandom(random, sizeof random, 0) != sizeof random) {
    for (unsigned char& r : random) r = static_cast<unsigned char>(std::rand());
  }
  std::string name = folder + "/." + base + ".";
  for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
  return name;
}

// Gives the written unnamed file a temporary name beside the target; the rename that
// follows is the only moment a name exists that the save has not yet moved into place.
std::optional<std::string> LinkUnderTemporaryName(int fd, const std::string& folder,
                                                  const std::string& base, std::string& temp) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = FreshTemporaryName(folder, base);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0)
      return std::nullopt;
    if (errno == EEXIST) continue;
    if (::linkat(fd, "", AT_FDCWD, temp.c_str(), AT_EMPTY_PATH) == 0) return std::nullopt;
    break;
  }
  const int error = errno;
  temp.clear();  // the name is not this save's to remove
  return platform::SystemReason(error);
}

// Writes, flushes and closes fd; then names the file temp (an unnamed file is linked) and
// renames it over target. On failure the temporary name is gone again.
std::optional<std::string> Finish(int fd, bool unnamed, const std::vector<uint8_t>& bytes,
                                  const std::string& target, std::string temp, Flush flush) {
  const std::string folder = FolderOf(target), base = BaseOf(target);
  std::optional<std::string> failure;
  if (::fchmod(fd, ModeFor(target)) != 0) failure = platform::SystemReason(errno);
  if (!failure) failure = WriteAll(fd, bytes);
  if (!failure && flush == Flush::ToDisk && DoFsync(fd) != 0)
    failure = platform::SystemReason(errno);
  if (!failure && unnamed) failure = LinkUnderTemporaryName(fd, folder, base, temp);
  if (::close(fd) != 0 && !failure) failure = platform::SystemReason(errno);
  if (!failure && DoRename(temp.c_str(), target.c_str()) != 0)
    failure = platform::SystemReason(errno);
  if (failure) {
    if (!temp.empty()) ::unlink(temp.c_str());
    return failure;
  }
  if (flush == Flush::ToDisk) SyncFolder(folder);
  return std::nullopt;
}

// File systems that cannot hold a file without a name get a named temporary file.
bool NoUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL || error == ENOSYS;
}

}  // namespace

void SetFileIoForTesting(const FileIo* io) { testIo = io; }

std::optional<std::string> WriteFileReplacing(const std::string& path,
                                              const std::vector<uint8_t>& bytes, Flush flush) {
  if (path.empty()) return platform::SystemReason(ENOENT);
  std::string target = path;
  if (auto failure = ResolveTarget(target)) return failure;
  if (auto refused = RefuseOddTarget(target)) return refused;
  const std::string folder = FolderOf(target), base = BaseOf(target);
  RemoveStaleTemporaries(folder, base);

  int fd = DoOpenUnnamed(folder.c_str(), 0600);
  if (fd >= 0) return Finish(fd, true, bytes, target, std::string(), flush);
  if (!NoUnnamedFiles(errno)) return platform::SystemReason(errno);
  std::string temp = folder + "/." + base + ".XXXXXX";
  fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return platform::SystemReason(errno);
  return Finish(fd, false, bytes, target, temp, flush);
}

}  // namespace persist

#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/language.h"

namespace platform {

std::string SystemReason(int error) {
  switch (error) {
    case ENOENT: return Pick({"ファイルまたはフォルダが見つかりません", "No such file or folder"});
    case EACCES: case EPERM: return Pick({"アクセスが許可されていません", "Permission denied"});
    case EISDIR: return Pick({"フォルダです", "It is a folder"});
    case ENOTDIR: return Pick({"途中にフォルダでないものがあります", "Part of the path is not a folder"});
    case ENOSPC: return Pick({"ディスクに空きがありません", "The disk is full"});
    case EROFS: return Pick({"書き込みできない場所です", "The place is read-only"});
    case EDQUOT: return Pick({"ディスクの割り当てを超えました", "The disk quota is exceeded"});
    case EIO: return Pick({"入出力エラーです", "Input/output error"});
    case ENAMETOOLONG: return Pick({"名前が長すぎます", "The name is too long"});
    case EMFILE: case ENFILE: return Pick({"開いているファイルが多すぎます", "Too many open files"});
    case EXDEV: return Pick({"別のディスクへは名前の変更で移せません", "A rename cannot move it to another disk"});
    case EMLINK: return Pick({"リンクが多すぎます", "Too many links"});
    case ELOOP: return Pick({"シンボリックリンクの参照が多すぎます", "Too many levels of symbolic links"});
    case ENOMEM: return Pick({"メモリが足りません", "Not enough memory"});
    case EFBIG: return Pick({"ファイルが大きすぎます", "The file is too large"});
    case EBUSY: case ETXTBSY: return Pick({"ほかのプログラムが使用中です", "Another program is using it"});
    case EAGAIN: return Pick({"今は読み書きできません", "It cannot be read or written just now"});
    case ENXIO: case ENODEV: return Pick({"装置がありません", "No such device"});
    case EEXIST: return Pick({"同じ名前のものがすでにあります", "Something of that name already exists"});
    case EINVAL: case EOPNOTSUPP: return Pick({"この場所ではできない操作です", "This cannot be done in that place"});
    case ENOTEMPTY: return Pick({"フォルダが空ではありません", "The folder is not empty"});
    case ESTALE: return Pick({"ネットワーク上のファイルが見えなくなりました", "The file on the network is no longer reachable"});
    default:
      return Say({"システムエラーです（番号 {0}）", "System error (number {0})"}, {std::to_string(error)});
  }
}

namespace {

ReadResult Fail(std::string reason) { return ReadResult{false, std::move(reason)}; }

ReadResult OtherKindOfFile(const struct stat& st) {
  if (S_ISFIFO(st.st_mode)) return Fail(Pick({"通常のファイルではなく名前付きパイプです", "It is a named pipe, not a regular file"}));
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return Fail(Pick({"通常のファイルではなく装置です", "It is a device, not a regular file"}));
  if (S_ISSOCK(st.st_mode)) return Fail(Pick({"通常のファイルではなくソケットです", "It is a socket, not a regular file"}));
  return Fail(Pick({"通常のファイルではありません", "It is not a regular file"}));
}

ReadResult Refusal(const struct stat& st) {
  if (S_ISDIR(st.st_mode)) return Fail(SystemReason(EISDIR));
  ReadResult refused = OtherKindOfFile(st);
  refused.OtherKind = true;
  return refused;
}

// Reads up to want bytes; a file that shrinks while read simply ends early.
ReadResult ReadAll(int fd, size_t want, std::vector<uint8_t>& out) {
  std::vector<uint8_t> bytes(want);
  size_t got = 0;
  while (got < want) {
    ssize_t n = ::read(fd, bytes.data() + got, want - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Fail(SystemReason(errno));
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  out = std::move(bytes);
  return ReadResult{true, {}};
}

}  // namespace

ReadResult ReadRegularFile(const std::string& path, size_t limit, Excess excess,
                           std::vector<uint8_t>& bytes) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return Fail(SystemReason(errno));
  struct stat st;
  ReadResult result;
  if (::fstat(fd, &st) != 0) {
    result = Fail(SystemReason(errno));
  } else if (!S_ISREG(st.st_mode)) {
    result = Refusal(st);
  } else if (static_cast<uint64_t>(st.st_size) > limit && excess == Excess::Refuse) {
    result = Fail(Say({"ファイルが大きすぎます（{0} バイト、上限 {1} バイト）",
                       "The file is too large ({0} bytes; the limit is {1})"},
                      {std::to_string(st.st_size), std::to_string(limit)}));
  } else {
    // A regular file opened without blocking reads as usual; the flag only mattered for
    // the open itself.
    size_t want = static_cast<uint64_t>(st.st_size) < limit ? static_cast<size_t>(st.st_size) : limit;
    result = ReadAll(fd, want, bytes);
  }
  ::close(fd);
  return result;
}

}  // namespace platform

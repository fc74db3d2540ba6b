#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::string SystemReason(int error) {
  switch (error) {
    case ENOENT: return "ファイルまたはフォルダが見つかりません";
    case EACCES: case EPERM: return "アクセスが許可されていません";
    case EISDIR: return "フォルダです";
    case ENOTDIR: return "途中にフォルダでないものがあります";
    case ENOSPC: return "ディスクに空きがありません";
    case EROFS: return "書き込みできない場所です";
    case EDQUOT: return "ディスクの割り当てを超えました";
    case EIO: return "入出力エラーです";
    case ENAMETOOLONG: return "名前が長すぎます";
    case EMFILE: case ENFILE: return "開いているファイルが多すぎます";
    case EXDEV: return "別のディスクへは名前の変更で移せません";
    case EMLINK: return "リンクが多すぎます";
    case ELOOP: return "シンボリックリンクの参照が多すぎます";
    case ENOMEM: return "メモリが足りません";
    case EFBIG: return "ファイルが大きすぎます";
    case EBUSY: case ETXTBSY: return "ほかのプログラムが使用中です";
    case EAGAIN: return "今は読み書きできません";
    case ENXIO: case ENODEV: return "装置がありません";
    case EEXIST: return "同じ名前のものがすでにあります";
    case EINVAL: case EOPNOTSUPP: return "この場所ではできない操作です";
    case ENOTEMPTY: return "フォルダが空ではありません";
    case ESTALE: return "ネットワーク上のファイルが見えなくなりました";
    default: return "システムエラーです（番号 " + std::to_string(error) + "）";
  }
}

namespace {

ReadResult Fail(std::string reason) { return ReadResult{false, std::move(reason)}; }

ReadResult OtherKindOfFile(const struct stat& st) {
  if (S_ISFIFO(st.st_mode)) return Fail("通常のファイルではなく名前付きパイプです");
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return Fail("通常のファイルではなく装置です");
  if (S_ISSOCK(st.st_mode)) return Fail("通常のファイルではなくソケットです");
  return Fail("通常のファイルではありません");
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
    result = Fail("ファイルが大きすぎます（" + std::to_string(st.st_size) + " バイト、上限 " +
                  std::to_string(limit) + " バイト）");
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

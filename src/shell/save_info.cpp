#include "shell/save_info.h"

#include <cctype>
#include <cstdio>
#include <ctime>
#include <sstream>
#include <sys/stat.h>
#include <vector>

#include "gfx/png.h"
#include "persist/record_fields.h"
#include "persist/save.h"
#include "platform/files.h"
#include "shell/save_texts.h"
#include "state/state.h"

namespace saves {

namespace {

constexpr char kInfoHeader[] = "mirovaan-save-info 1";
constexpr size_t kMostInfoBytes = 4096;
constexpr int64_t kMostPlayMs = 100000LL * 3600 * 1000;  // a hundred thousand hours

std::string Stem(const std::string& savePath) {
  const size_t slash = savePath.rfind('/');
  const size_t dot = savePath.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    return savePath.substr(0, dot);
  return savePath;
}

std::string TimeText(time_t when) {
  struct tm local {};
  localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

bool PlainText(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

int Field(const uint8_t* record, const char* name) {
  auto place = persist::FindField(name);
  return place ? static_cast<int>(persist::ReadElement(record + place->offset, *place->field, 0)) : 0;
}

}  // namespace

bool ValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

std::string SlotFileName(int slot) {
  char name[32];
  std::snprintf(name, sizeof name, "slot-%02d.sav", slot);
  return name;
}

std::string AutosaveFileName(int n) { return "autosave-" + std::to_string(n) + ".sav"; }

std::string InfoPathOf(const std::string& savePath) { return Stem(savePath) + ".info"; }
std::string PicturePathOf(const std::string& savePath) { return Stem(savePath) + ".png"; }

std::string SideInfoText(const SideInfo& info) {
  return std::string(kInfoHeader) + "\nplaytime-ms " + std::to_string(info.PlayMs) + "\nsaved " +
         info.SavedAt + "\n";
}

std::optional<SideInfo> ParseSideInfo(const std::string& text) {
  std::istringstream in(text);
  std::string header, playLine, savedLine;
  if (!std::getline(in, header) || header != kInfoHeader) return std::nullopt;
  if (!std::getline(in, playLine) || playLine.rfind("playtime-ms ", 0) != 0) return std::nullopt;
  if (!std::getline(in, savedLine) || savedLine.rfind("saved ", 0) != 0) return std::nullopt;
  const std::string digits = playLine.substr(12);
  if (digits.empty() || digits.size() > 15) return std::nullopt;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  }
  SideInfo info;
  info.PlayMs = std::stoll(digits);
  info.SavedAt = savedLine.substr(6);
  if (info.PlayMs > kMostPlayMs || info.SavedAt.size() > 32 || !PlainText(info.SavedAt))
    return std::nullopt;
  return info;
}

std::optional<SideInfo> ReadSideInfo(const std::string& savePath) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadRegularFile(InfoPathOf(savePath), kMostInfoBytes, platform::Excess::Refuse,
                                 bytes))
    return std::nullopt;
  return ParseSideInfo(std::string(bytes.begin(), bytes.end()));
}

std::string NowText() { return TimeText(std::time(nullptr)); }

gfx::Bitmap Thumbnail(const gfx::Bitmap& view) {
  gfx::Bitmap small(view.Width() / 2, view.Height() / 2);
  for (int y = 0; y < small.Height(); ++y) {
    for (int x = 0; x < small.Width(); ++x) small.Row(y)[x] = view.Row(y * 2)[x * 2];
  }
  return small;
}

bool WriteSideFiles(const std::string& savePath, const SideInfo& info, const gfx::Bitmap& view) {
  const std::string text = SideInfoText(info);
  // Lazily flushed: they are optional, and a save must stay about as quick as a File save.
  bool ok = !persist::WriteFileReplacing(InfoPathOf(savePath),
                                         std::vector<uint8_t>(text.begin(), text.end()),
                                         persist::Flush::Lazy);
  if (!view.Empty())
    ok = !persist::WriteFileReplacing(PicturePathOf(savePath), gfx::EncodePng(Thumbnail(view)),
                                      persist::Flush::Lazy) &&
         ok;
  return ok;
}

Summary Summarize(const std::string& savePath) {
  Summary s;
  struct stat st {};
  if (lstat(savePath.c_str(), &st) != 0) return s;  // nothing there: an empty slot
  s.Kind = Summary::State::Damaged;
  std::string reason;
  auto bytes = persist::ReadSaveBytes(savePath, &reason);
  if (!bytes) {
    s.Problem = reason;
    return s;
  }
  if (bytes->size() < kSaveRecordSize) {
    s.Problem = savetext::Damaged();
    return s;
  }
  if (auto problem = persist::CheckSaveRecord(bytes->data())) {
    s.Problem = *problem;
    return s;
  }
  s.Kind = Summary::State::Ready;
  const uint8_t* r = bytes->data();
  s.Hero = Field(r, "HeroIndex");
  s.Level = Field(r, "Level");
  s.Mode = Field(r, "GameMode");
  s.Dungeon = Field(r, "DungeonIndex");
  s.Floor = Field(r, "FloorIndex");
  if (auto info = ReadSideInfo(savePath)) {
    s.PlayMs = info->PlayMs;
    s.SavedAt = info->SavedAt;
  } else {
    s.SavedAt = TimeText(st.st_mtime);
  }
  const std::string picture = PicturePathOf(savePath);
  if (stat(picture.c_str(), &st) == 0 && S_ISREG(st.st_mode)) s.Picture = picture;
  return s;
}

std::string WhereText(const Summary& summary) {
  if (summary.Mode == kModePlay || summary.Mode == kModeMenu)
    return savetext::DungeonFloor(summary.Dungeon, summary.Floor);
  return savetext::WorldMap();
}

}  // namespace saves

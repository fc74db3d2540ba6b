#include "replay/start.h"

#include <cstring>

#include "state/window_model.h"
#include "state/random.h"
#include "state/state.h"
#include "persist/save.h"
#include "replay/state_hash.h"
#include "replay/text_codec.h"
#include "shell/about.h"
#include "platform/language.h"

namespace replay {

namespace {

Header BaseHeader() {
  Header h;
  h.GameVersion = AboutVersion();
  h.ContentHash = ContentHash(AppDir);
  h.Seed = RandSeed;
  return h;
}

KeptFields CaptureKept() {
  KeptFields k;
  std::memcpy(k.KeyState, G.KeyState, sizeof k.KeyState);
  k.StairLatch = G.StairLatch;
  k.SpeechIndex = G.SpeechIndex;
  k.MessageTimer = G.MessageTimer;
  k.MessageItem = G.MessageItem;
  k.TickCount = G.TickCount;
  return k;
}

void ApplyKept(const KeptFields& k) {
  std::memcpy(G.KeyState, k.KeyState, sizeof k.KeyState);
  G.StairLatch = k.StairLatch;
  G.SpeechIndex = k.SpeechIndex;
  G.MessageTimer = k.MessageTimer;
  G.MessageItem = k.MessageItem;
  G.TickCount = k.TickCount;
}

}  // namespace

Header FreshStartHeader() {
  Header h = BaseHeader();
  h.Options.TickInterval = G.TickInterval;
  h.Options.Music = G.MusicOn != 0;
  h.Options.Effects = G.EffectsOn != 0;
  return h;
}

Header SaveStartHeader(std::vector<uint8_t> record) {
  Header h = BaseHeader();
  h.StartSave = std::move(record);
  h.Kept = CaptureKept();
  return h;
}

std::optional<Refusal> CheckCompatible(const Header& header) {
  if (header.GameVersion != AboutVersion())
    return Refusal{"the replay was recorded by version " + header.GameVersion +
                       " of the game; this is version " + AboutVersion(),
                   "このリプレイはバージョン " + header.GameVersion +
                       " で記録されました。このゲームはバージョン " + AboutVersion() + " です。"};
  uint64_t ours = ContentHash(AppDir);
  if (header.ContentHash != ours)
    return Refusal{"the replay was recorded with other dungeon files (content hash " +
                       Hex64(header.ContentHash) + ", this game has " + Hex64(ours) + ")",
                   "このリプレイは別のダンジョンデータで記録されました（内容のハッシュ " +
                       Hex64(header.ContentHash) + "、このゲームは " + Hex64(ours) + "）。"};
  return std::nullopt;
}

bool ApplyStart(const Header& header) {
  RandSeed = header.Seed;
  if (!header.StartSave) {
    G.TickInterval = header.Options.TickInterval;
    Window.TickTimer.Interval = header.Options.TickInterval;
    G.MusicOn = header.Options.Music ? 1 : 0;
    G.EffectsOn = header.Options.Effects ? 1 : 0;
    return true;
  }
  if (!LoadGameRecord(*header.StartSave, Pick({"リプレイの開始データ", "the replay's starting game"})))
    return false;
  ApplyKept(header.Kept);
  return true;
}

}  // namespace replay

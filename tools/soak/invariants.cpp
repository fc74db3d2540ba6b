// The state is read, never written: the record the save command would write must pass the
// load check (every range the game keeps: hit points within the maximum, the caps of level,
// gold and experience, every index into a table or a sheet), and the window's pictures and
// the fields outside the record must keep their sizes and ranges.
#include "invariants.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "state/window_model.h"
#include "state/state.h"
#include "persist/save.h"

namespace soak {

namespace {

std::optional<std::string> Picture(const char* name, const gfx::Bitmap& b, int w, int h) {
  if (b.Width() == w && b.Height() == h) return std::nullopt;
  return std::string(name) + " is " + std::to_string(b.Width()) + " x " +
         std::to_string(b.Height());
}

std::optional<std::string> Small(const char* name, long value, long lo, long hi) {
  if (value >= lo && value <= hi) return std::nullopt;
  return std::string(name) + " is " + std::to_string(value);
}

std::optional<std::string> OutsideTheRecord() {
  if (auto p = Picture("ShownFrame", Window.ShownFrame.Picture, 312, 216)) return p;
  if (auto p = Picture("Frame", Window.Frame.Picture, 312, 216)) return p;
  // Empty until the first floor is drawn into it.
  if (!Window.FloorPicture.Picture.Empty())
    if (auto p = Picture("FloorPicture", Window.FloorPicture.Picture, 1440, 1440)) return p;
  if (auto p = Small("StairLatch", G.StairLatch, 0, 1)) return p;
  if (auto p = Small("SpeechIndex", G.SpeechIndex, 0, 11)) return p;
  for (uint8_t held : G.KeyState)
    if (auto p = Small("KeyState", held, 0, 1)) return p;
  if (G.MessageTimer > 0)
    if (auto p = Small("MessageItem", G.MessageItem, 0, 149)) return p;
  return std::nullopt;
}

}  // namespace

std::optional<std::string> BrokenInvariant() {
  std::vector<uint8_t> record = BuildSaveRecord();
  // No hero has been made yet while the title or the selection is shown for the first time;
  // the check allows that on the title only, so those two are checked as the title.
  if (G.GameMode == kModeSelect) {
    const int32_t title = kModeTitle;
    std::memcpy(record.data() + offsetof(GameState, GameMode), &title, sizeof title);
  }
  if (auto problem = persist::CheckSaveRecord(record.data())) return "record: " + *problem;
  return OutsideTheRecord();
}

}  // namespace soak

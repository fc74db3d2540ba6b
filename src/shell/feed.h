// The one door through which the player's input reaches the game: key-downs and key-ups (as
// the game's virtual keys), the menu commands and the timer's ticks. The window and the
// headless runner both come through here, so a replay can listen to every input at one
// place, and while a replay plays, the window's own input can be shut out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace feed {

enum class Command : uint8_t {
  Save, Load, Exit, Options, View624, View312, View156, Help, About,
  QuickSave, QuickLoad, SlotSave, SlotLoad, Autosave,
};

// The command's name in replay files and scripts ("save", "load", ...).
const char* NameOf(Command command);
std::optional<Command> CommandNamed(const std::string& name);
// The commands that name a slot, 1 to 10 (slot-save, slot-load).
bool TakesSlot(Command command);

// Told of every input before the game handles it, and of every tick after it has run.
class Listener {
 public:
  virtual ~Listener() = default;
  virtual void OnKey(bool down, uint16_t key) = 0;
  virtual void OnCommand(Command command, int slot) = 0;  // slot 0 for the slotless ones
  virtual void AfterTick() = 0;
};
void SetListener(Listener* listener);  // null: nobody listens

// Who hands the game an input: the player (window or runner) or a replay being played.
enum class From : uint8_t { Player, Replay };

// While a replay drives the game, the player's inputs and the window's ticks are dropped,
// so nothing but the replay changes the game.
void SetReplayDriving(bool on);
bool ReplayDriving();

void KeyDown(uint16_t key, From from = From::Player);
void KeyUp(uint16_t key, From from = From::Player);
void Run(Command command, From from = From::Player);
void RunSlot(Command command, int slot, From from = From::Player);  // slot-save, slot-load
void Tick(From from = From::Player);  // the game timer's tick

// Whether the hero entering or leaving a dungeon saves by itself (the autosave command,
// which goes through this door as the player's own command so a replay holds it). Off
// unless the program turns it on; a replay being played never autosaves by itself.
void SetAutosave(bool on);

}  // namespace feed

#include "shell/feed.h"

#include <iterator>

#include "persist/save.h"
#include "game/keys.h"
#include "shell/about.h"
#include "game/window_handlers.h"
#include "shell/options.h"
#include "shell/own_saves.h"
#include "shell/play_clock.h"
#include "state/state.h"
#include "state/window_model.h"

namespace feed {

namespace {

Listener* listener = nullptr;
bool replayDriving = false;

struct CommandRow {
  Command command;
  const char* name;
  void (*handler)(int slot);
};

const CommandRow kCommands[] = {
    {Command::Save, "save", [](int) { OnSaveCommand(); }},
    {Command::Load, "load", [](int) { OnLoadCommand(); }},
    {Command::Exit, "exit", [](int) { OnExitCommand(); }},
    {Command::Options, "options", [](int) { OnOptionsCommand(); }},
    {Command::View624, "view624", [](int) { OnView624Command(); }},
    {Command::View312, "view312", [](int) { OnView312Command(); }},
    {Command::View156, "view156", [](int) { OnView156Command(); }},
    {Command::Help, "help", [](int) { OnHelpCommand(); }},
    {Command::About, "about", [](int) { OnAboutCommand(); }},
    {Command::QuickSave, "quicksave", [](int) { ownsaves::OnQuickSave(); }},
    {Command::QuickLoad, "quickload", [](int) { ownsaves::OnQuickLoad(); }},
    {Command::SlotSave, "slot-save", ownsaves::OnSlotSave},
    {Command::SlotLoad, "slot-load", ownsaves::OnSlotLoad},
    {Command::Autosave, "autosave", [](int) { ownsaves::OnAutosave(); }},
};

const CommandRow& RowOf(Command command) { return kCommands[static_cast<size_t>(command)]; }

bool Admitted(From from) { return (from == From::Replay) == replayDriving; }

// After a key or a tick of the player's that took the hero into a dungeon or out of one.
// A replay holds the autosave as a command of its own, delivered after the same input.
void AutosaveAfter(int modeBefore, From from) {
  if (from != From::Player || !ownsaves::AutosaveEnabled()) return;
  if (ownsaves::AutosaveDue(modeBefore, G.GameMode)) Run(Command::Autosave, from);
}

}  // namespace

const char* NameOf(Command command) { return RowOf(command).name; }

std::optional<Command> CommandNamed(const std::string& name) {
  for (const CommandRow& row : kCommands) {
    if (name == row.name) return row.command;
  }
  return std::nullopt;
}

void SetListener(Listener* l) { listener = l; }
void SetReplayDriving(bool on) { replayDriving = on; }
void SetAutosave(bool on) { ownsaves::SetAutosaveEnabled(on); }
bool TakesSlot(Command command) {
  return command == Command::SlotSave || command == Command::SlotLoad;
}
bool ReplayDriving() { return replayDriving; }

void KeyDown(uint16_t key, From from) {
  if (!Admitted(from)) return;
  if (listener) listener->OnKey(true, key);
  const int before = G.GameMode;
  OnKeyDown(key);
  AutosaveAfter(before, from);
}

void KeyUp(uint16_t key, From from) {
  if (!Admitted(from)) return;
  if (listener) listener->OnKey(false, key);
  const int before = G.GameMode;
  OnKeyUp(key);
  AutosaveAfter(before, from);
}

void Run(Command command, From from) { RunSlot(command, 0, from); }

void RunSlot(Command command, int slot, From from) {
  if (!Admitted(from)) return;
  if (!TakesSlot(command)) slot = 0;
  if (listener) listener->OnCommand(command, slot);
  RowOf(command).handler(slot);
}

void Tick(From from) {
  if (!Admitted(from)) return;
  // The tick counts even when an error escapes it (the caller reports it and goes on).
  const int before = G.GameMode;
  {
    struct AfterTick {
      ~AfterTick() {
        if (listener) listener->AfterTick();
      }
    } after;
    OnTickTimer();
  }
  playclock::AfterTick(G.GameMode, Window.TickTimer.Interval);
  // Once the tick is over and counted, so the replay puts the autosave after it too.
  AutosaveAfter(before, from);
}

}  // namespace feed

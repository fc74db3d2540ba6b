#include "shell/feed.h"

#include <iterator>

#include "persist/save.h"
#include "game/keys.h"
#include "shell/about.h"
#include "game/window_handlers.h"
#include "shell/options.h"

namespace feed {

namespace {

Listener* listener = nullptr;
bool replayDriving = false;

struct CommandRow {
  Command command;
  const char* name;
  void (*handler)();
};

const CommandRow kCommands[] = {
    {Command::Save, "save", OnSaveCommand},          {Command::Load, "load", OnLoadCommand},
    {Command::Exit, "exit", OnExitCommand},       {Command::Options, "options", OnOptionsCommand},
    {Command::View624, "view624", OnView624Command}, {Command::View312, "view312", OnView312Command},
    {Command::View156, "view156", OnView156Command}, {Command::Help, "help", OnHelpCommand},
    {Command::About, "about", OnAboutCommand},
};

const CommandRow& RowOf(Command command) { return kCommands[static_cast<size_t>(command)]; }

bool Admitted(From from) { return (from == From::Replay) == replayDriving; }

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
bool ReplayDriving() { return replayDriving; }

void KeyDown(uint16_t key, From from) {
  if (!Admitted(from)) return;
  if (listener) listener->OnKey(true, key);
  OnKeyDown(key);
}

void KeyUp(uint16_t key, From from) {
  if (!Admitted(from)) return;
  if (listener) listener->OnKey(false, key);
  OnKeyUp(key);
}

void Run(Command command, From from) {
  if (!Admitted(from)) return;
  if (listener) listener->OnCommand(command);
  RowOf(command).handler();
}

void Tick(From from) {
  if (!Admitted(from)) return;
  // The tick counts even when an error escapes it (the caller reports it and goes on).
  struct AfterTick {
    ~AfterTick() {
      if (listener) listener->AfterTick();
    }
  } after;
  OnTickTimer();
}

}  // namespace feed

#include "replay/recorder.h"

#include <cstdio>

#include "state/window_model.h"
#include "persist/save.h"
#include "replay/start.h"
#include "replay/state_hash.h"
#include "shell/options.h"

namespace replay {

Recorder::Recorder(std::unique_ptr<Writer> writer, const Header&) : writer_(std::move(writer)) {
  // The start itself is checked first: a playback that begins elsewhere fails at tick 0.
  Event e = At(EventKind::Hash);
  e.Hash = StateHash();
  writer_->Add(e);
}

Recorder::~Recorder() { writer_->End(ticks_, StateHash()); }

Event Recorder::At(EventKind kind) const {
  Event e;
  e.Tick = ticks_;
  e.Kind = kind;
  return e;
}

void Recorder::OnKey(bool down, uint16_t key) {
  Event e = At(down ? EventKind::KeyDown : EventKind::KeyUp);
  e.Key = key;
  writer_->Add(e);
}

void Recorder::OnCommand(feed::Command command, int slot) {
  Event e = At(EventKind::Command);
  e.Cmd = command;
  e.Slot = slot;
  writer_->Add(e);
}

void Recorder::AfterTick() {
  ++ticks_;
  if (ticks_ % kHashEvery == 0) {
    Event e = At(EventKind::Hash);
    e.Hash = StateHash();
    writer_->Add(e);
  }
  writer_->FlushIfDue();
}

// A dialog may stay open for long: what came before it is on the disk by then.
void Recorder::AddAnswer(const Event& event) {
  writer_->Add(event);
  writer_->Flush();
}

void Recorder::Answer(bool yes) {
  Event e = At(EventKind::Answer);
  e.Yes = yes;
  AddAnswer(e);
}

void Recorder::SaveAnswer(bool chosen) {
  Event e = At(EventKind::SaveAnswer);
  e.Yes = chosen;
  AddAnswer(e);
}

void Recorder::OptionsAnswer() {
  Event e = At(EventKind::OptionsAnswer);
  e.Interval = OptionsWindow.SpeedPosition;
  e.Music = OptionsWindow.MusicChecked;
  e.Effects = OptionsWindow.EffectsChecked;
  AddAnswer(e);
}

RecordingSession::RecordingSession(platform::Platform& inner) : inner_(inner), decorator_(inner) {
  platform::SetPlatform(&decorator_);
}

RecordingSession::~RecordingSession() {
  Stop();
  platform::SetPlatform(&inner_);
}

bool RecordingSession::Start(const std::string& path, bool fromSave, std::string& error) {
  Stop();
  Header header = fromSave ? SaveStartHeader(BuildSaveRecord()) : FreshStartHeader();
  auto writer = Writer::Create(path, header, error);
  if (!writer) {
    error = "cannot write the replay " + path + ": " + error;
    return false;
  }
  if (!ApplyStart(header)) {
    writer.reset();
    std::remove(path.c_str());
    error = "the game could not be loaded back from its own saved state";
    return false;
  }
  recorder_ = std::make_unique<Recorder>(std::move(writer), header);
  decorator_.SetRecorder(recorder_.get());
  feed::SetListener(recorder_.get());
  return true;
}

void RecordingSession::Stop() {
  if (!recorder_) return;
  feed::SetListener(nullptr);
  decorator_.SetRecorder(nullptr);
  recorder_.reset();
}

}  // namespace replay

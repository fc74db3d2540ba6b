#include "state_json.h"

#include <sstream>
#include <vector>

#include "audio/sound.h"
#include "persist/record_fields.h"
#include "state/window_model.h"
#include "state/state.h"

namespace {

// A small writer that keeps commas and nesting right.
class Json {
 public:
  void Begin(char open) {
    Comma();
    out_ << open;
    first_.push_back(true);
  }
  void End(char close) {
    out_ << close;
    first_.pop_back();
  }
  void Key(const char* name) {
    Comma();
    out_ << '"' << name << "\":";
    pendingValue_ = true;
  }
  template <typename T>
  void Value(T v) {
    Comma();
    out_ << static_cast<long long>(v);
  }
  void Bool(bool v) {
    Comma();
    out_ << (v ? "true" : "false");
  }
  template <typename T>
  void Field(const char* name, T v) {
    Key(name);
    Value(v);
  }
  template <typename T>
  void Array(const char* name, const T* values, int count) {
    Key(name);
    Begin('[');
    for (int i = 0; i < count; ++i) Value(values[i]);
    End(']');
  }
  std::string Text() const { return out_.str(); }

 private:
  void Comma() {
    if (pendingValue_) {
      pendingValue_ = false;
      return;
    }
    if (!first_.empty()) {
      if (!first_.back()) out_ << ',';
      first_.back() = false;
    }
  }
  std::ostringstream out_;
  std::vector<bool> first_;
  bool pendingValue_ = false;
};

// The fields of a saved record, in the file's order, under the names the load check uses;
// padding and bytes the game never reads are left out.
void RecordFields(Json& j, const persist::RecordInfo& record, const uint8_t* held) {
  for (const persist::FieldInfo* f : persist::InFileOrder(record)) {
    if (f->role != persist::Role::kValue) continue;
    const uint8_t* at = held + f->stateOffset;
    j.Key(f->name);
    if (f->record) {
      j.Begin('[');
      for (int i = 0; i < f->count; ++i) {
        j.Begin('{');
        RecordFields(j, *f->record, at + static_cast<size_t>(i) * f->width);
        j.End('}');
      }
      j.End(']');
    } else if (f->count > 1) {
      j.Begin('[');
      for (int i = 0; i < f->count; ++i) j.Value(persist::ReadElement(at, *f, i));
      j.End(']');
    } else {
      j.Value(persist::ReadElement(at, *f, 0));
    }
  }
}

void SavedFields(Json& j) {
  RecordFields(j, persist::SaveRecordInfo(), reinterpret_cast<const uint8_t*>(&G));
}

// What a running game holds beyond the record, the window's state and the sounds played.
void RunningFields(Json& j) {
  j.Field("TickCount", G.TickCount);
  j.Field("SpeechIndex", G.SpeechIndex);
  j.Field("MessageTimer", G.MessageTimer);
  j.Field("MessageItem", G.MessageItem);
  j.Field("StairLatch", G.StairLatch);
  j.Array("KeyState", G.KeyState, 8);
  j.Key("K1Enabled");
  j.Bool(Window.SaveCommand.Enabled);
  j.Key("K2Enabled");
  j.Bool(Window.LoadCommand.Enabled);
  j.Key("Timer1Enabled");
  j.Bool(Window.TickTimer.Enabled);
  j.Field("Timer1Interval", Window.TickTimer.Interval);
  const auto& music = audio::MusicCalls();
  const auto& effects = audio::EffectCalls();
  j.Array("music", music.data(), static_cast<int>(music.size()));
  j.Array("effects", effects.data(), static_cast<int>(effects.size()));
}

}  // namespace

std::string StateJson() {
  Json j;
  j.Begin('{');
  SavedFields(j);
  RunningFields(j);
  j.End('}');
  return j.Text() + "\n";
}

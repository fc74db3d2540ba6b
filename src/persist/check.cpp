// The check of a saved game before it replaces the running one. The record has no version
// and no checksum, and the game indexes its tables and sprite sheets with the saved values
// directly, so a damaged or foreign file is refused here, naming the first value that no
// game could have written. The ranges are those that play keeps; wherever play can reach a
// value, it is accepted.
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>

#include "persist/record_fields.h"
#include "persist/save.h"
#include "state/state.h"
#include "platform/language.h"


namespace {

// How a refused saved game names its fault: the field, its value and what it should be.
constexpr Bilingual kProblem = {"{0} が {1} です（{2} のはずです）", "{0} is {1} (it should be {2})"};
constexpr Bilingual kSpan = {"{0}〜{1}", "{0} to {1}"};
constexpr Bilingual kOr = {"{0} または {1}", "{0} or {1}"};

}  // namespace

namespace persist {

namespace {

// Where a value sits, for the message: "Monsters[3]" then "State" make "Monsters[3].State".
// Built only when a value is refused, so a passing check writes no text.
struct Path {
  const Path* parent;
  const char* name;
  int index;  // -1: not an element of an array
};

std::string Text(const Path& p) {
  std::string text = p.parent ? Text(*p.parent) + "." : std::string();
  text += p.name;
  if (p.index >= 0) text += "[" + std::to_string(p.index) + "]";
  return text;
}

class Checker {
 public:
  // The relations between fields (hit points within the maximum, a hero made outside the
  // title) need the record's mode and the hero's maximum.
  Checker(int32_t gameMode, int32_t heroMaxHP) : gameMode_(gameMode), heroMaxHP_(heroMaxHP) {}

  bool Failed() const { return problem_.has_value(); }
  std::optional<std::string> Problem() const { return problem_; }

  void Record(const RecordInfo& record, const uint8_t* base, const Path* parent) {
    const bool live = !record.live || record.live(base);
    for (const FieldInfo& f : record.fields) {
      if (Failed()) return;
      if (f.rule == Rule::kAny && !f.record) continue;
      if (f.when == When::kLive && !live) continue;
      if (f.when == When::kShooting && !(live && Shoots(base))) continue;
      for (int i = 0; i < f.count && !Failed(); ++i) {
        const Path here{parent, f.name, f.count > 1 ? i : -1};
        const uint8_t* at = base + f.offset;
        if (f.record)
          Record(*f.record, at + static_cast<size_t>(i) * f.width, &here);
        else
          Value(f, ReadElement(at, f, i), base, here);
      }
    }
  }

 private:
  static bool Shoots(const uint8_t* monster) {
    return monster[offsetof(MonsterRecord, Shoots)] != 0;
  }

  void Value(const FieldInfo& f, long long value, const uint8_t* record, const Path& where) {
    switch (f.rule) {
      case Rule::kAny: return;
      case Rule::kRange: return Range(where, value, f.lo, f.hi);
      case Rule::kRangeOr:
        if ((value < f.lo || value > f.hi) && value != f.extra)
          Fail(where, value, Say(kOr, {Span(f.lo, f.hi), std::to_string(f.extra)}));
        return;
      case Rule::kMadeHero:
        // Zero is the value of a program that has not started a game yet (the title
        // screen); a hero of any other mode has been made.
        return Range(where, value, gameMode_ == kModeTitle ? 0 : 1, f.hi);
      case Rule::kHeroHP: return Range(where, value, 0, heroMaxHP_);
      case Rule::kSpriteRow: {
        MonsterRecord m;
        std::memcpy(&m, record, sizeof m);
        // Bosses come from a sheet of one row, the others from three rows; chests are
        // drawn from the hero sheet and do not use the row.
        if (m.IsBoss)
          Range(where, value, 0, 0);
        else if (!m.IsChest)
          Range(where, value, 0, 2);
        return;
      }
    }
  }

  static std::string Span(long long lo, long long hi) {
    return Say(kSpan, {std::to_string(lo), std::to_string(hi)});
  }
  void Range(const Path& where, long long value, long long lo, long long hi) {
    if (value < lo || value > hi) Fail(where, value, Span(lo, hi));
  }
  void Fail(const Path& where, long long value, const std::string& expected) {
    if (Failed()) return;
    problem_ = Say(kProblem, {Text(where), std::to_string(value), expected});
  }

  int32_t gameMode_, heroMaxHP_;
  std::optional<std::string> problem_;
};

}  // namespace

std::optional<std::string> CheckSaveRecord(const uint8_t* data) {
  int32_t gameMode, heroMaxHP;
  std::memcpy(&gameMode, data + offsetof(GameState, GameMode), sizeof gameMode);
  std::memcpy(&heroMaxHP, data + offsetof(GameState, MaxHP), sizeof heroMaxHP);
  Checker c(gameMode, heroMaxHP);
  c.Record(SaveRecordInfo(), data, nullptr);
  return c.Problem();
}

}  // namespace persist

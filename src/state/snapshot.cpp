#include "state/snapshot.h"

#include <exception>
#include <new>

#include "state/random.h"
#include "platform/platform.h"
#include "platform/language.h"


namespace {

constexpr Bilingual kOutOfMemory = {"メモリが足りません。", "Not enough memory."};
constexpr Bilingual kGameAsBefore = {"\nゲームは画面が切り替わる前のままです。",
                                     "\nThe game is as it was before the screen was to change."};

}  // namespace

GameSnapshot::GameSnapshot()
    : state_(std::make_unique<GameState>(G)),
      seed_(RandSeed),
      floorPicture_(Window.FloorPicture),
      frame_(Window.Frame),
      shownFrame_(Window.ShownFrame),
      backdrop_(Window.Backdrop),
      monsterSheet_(Window.MonsterSheet),
      bossSheet_(Window.BossSheet),
      k1_(Window.SaveCommand),
      k2_(Window.LoadCommand) {}

void GameSnapshot::Restore() const {
  G = *state_;
  RandSeed = seed_;
  Window.FloorPicture = floorPicture_;
  Window.Frame = frame_;
  Window.ShownFrame = shownFrame_;
  Window.Backdrop = backdrop_;
  Window.MonsterSheet = monsterSheet_;
  Window.BossSheet = bossSheet_;
  Window.SaveCommand = k1_;
  Window.LoadCommand = k2_;
  platform::Os().WindowChanged();
}

void CompleteOrRestore(const std::function<void()>& change) {
  GameSnapshot before;
  try {
    change();
  } catch (const ChangeUndone&) {
    before.Restore();
    throw;
  } catch (const std::bad_alloc&) {
    before.Restore();
    throw ChangeUndone(std::string(Pick(kOutOfMemory)) + Pick(kGameAsBefore));
  } catch (const std::exception& e) {
    before.Restore();
    throw ChangeUndone(std::string(e.what()) + Pick(kGameAsBefore));
  }
}

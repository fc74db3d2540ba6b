#include "state/snapshot.h"

#include <exception>
#include <new>

#include "state/random.h"
#include "platform/platform.h"

GameSnapshot::GameSnapshot()
    : state_(std::make_unique<GameState>(G)),
      seed_(RandSeed),
      buf_(Form1.BUF),
      buf2_(Form1.buf2),
      image1_(Form1.Image1),
      image2_(Form1.Image2),
      sp4_(Form1.Sp4),
      sp11_(Form1.Sp11),
      k1_(Form1.K1),
      k2_(Form1.K2) {}

void GameSnapshot::Restore() const {
  G = *state_;
  RandSeed = seed_;
  Form1.BUF = buf_;
  Form1.buf2 = buf2_;
  Form1.Image1 = image1_;
  Form1.Image2 = image2_;
  Form1.Sp4 = sp4_;
  Form1.Sp11 = sp11_;
  Form1.K1 = k1_;
  Form1.K2 = k2_;
  platform::Os().FormChanged();
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
    throw ChangeUndone("メモリが足りません。\nゲームは画面が切り替わる前のままです。");
  } catch (const std::exception& e) {
    before.Restore();
    throw ChangeUndone(std::string(e.what()) + "\nゲームは画面が切り替わる前のままです。");
  }
}

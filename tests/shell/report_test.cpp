// What the error box of a failed handler says: the game's own Japanese messages as they
// are, never a library's English words.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "state/window_model.h"
#include "gfx/image.h"
#include "game/window_handlers.h"
#include "support/test_support.h"

namespace {

std::string BoxAfter(void (*fail)()) {
  testsupport::ResetGame();
  testsupport::Os().lines.clear();
  RunHandler(fail);
  EXPECT_EQ(testsupport::Os().lines.size(), 1u);
  return testsupport::Os().lines.empty() ? "" : testsupport::Os().lines.back();
}

TEST(ReportUncaught, LibraryErrorsAreSaidInJapaneseAndOursKeptAsTheyAre) {
  std::string box = BoxAfter([] { throw std::bad_alloc(); });
  EXPECT_EQ(box.find("bad_alloc"), std::string::npos) << box;
  EXPECT_NE(box.find("メモリが足りない"), std::string::npos) << box;

  box = BoxAfter([] { throw std::ios_base::failure("basic_filebuf::underflow error reading the file"); });
  EXPECT_EQ(box.find("basic_filebuf"), std::string::npos) << box;
  EXPECT_NE(box.find("予期しないエラー"), std::string::npos) << box;

  box = BoxAfter([] { throw gfx::FileError("画像ファイルを読み込めません：/x/title.bmp\nフォルダです"); });
  EXPECT_NE(box.find("/x/title.bmp\nフォルダです"), std::string::npos) << box;
  EXPECT_TRUE(Window.TickTimer.Enabled);  // the tick runs again once the box is closed
}

}  // namespace

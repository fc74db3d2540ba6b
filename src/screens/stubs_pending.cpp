// Pending: replaced by the screens of this folder.
#include "screens/gameover.h"
#include "screens/menu.h"
#include "screens/status.h"
#include "screens/text.h"
#include "screens/title.h"

void DrawShadowText(int, int, int, gfx::Color, const std::string&) {}
int SjisLength(const std::string& s) { return static_cast<int>(s.size()); }
std::string SjisCut(const std::string& s, int n) { return s.substr(0, n); }
void DrawStatusPanel() {}
void DrawSpeechLine() {}
void DrawTitle() {}
void DrawSelection() {}
void DrawMenu() {}
void MoveCursor(int) {}
void UseItem() {}
void DiscardItem() {}
void RemoveSlot(int) {}
void CompactInventory() {}
void DrawDeathRemains() {}
void DrawGameOver() {}
void DrawEnding() {}

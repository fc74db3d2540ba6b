#include "desktop/input/actions.h"

#include <QCoreApplication>
#include <Qt>
#include <QtGlobal>
#include <algorithm>
#include <array>

#include "game/key_codes.h"

namespace input {

namespace {

constexpr KeyChord kUpKeys[] = {{Qt::Key_Up}, {Qt::Key_8, true}};
constexpr KeyChord kRightKeys[] = {{Qt::Key_Right}, {Qt::Key_6, true}};
constexpr KeyChord kDownKeys[] = {{Qt::Key_Down}, {Qt::Key_2, true}};
constexpr KeyChord kLeftKeys[] = {{Qt::Key_Left}, {Qt::Key_4, true}};
constexpr KeyChord kRunKeys[] = {{Qt::Key_Shift}};
constexpr KeyChord kMenuKeys[] = {{Qt::Key_Escape}};
constexpr KeyChord kFireKeys[] = {{Qt::Key_Space}};
constexpr KeyChord kEnterKeys[] = {{Qt::Key_Return}, {Qt::Key_Enter}};
constexpr KeyChord kF1Keys[] = {{Qt::Key_F1}};
constexpr KeyChord kF2Keys[] = {{Qt::Key_F2}};
constexpr KeyChord kF3Keys[] = {{Qt::Key_F3}};
constexpr KeyChord kUseKeys[] = {{Qt::Key_V}};
constexpr KeyChord kDropKeys[] = {{Qt::Key_D}};
constexpr KeyChord kCloseKeys[] = {{Qt::Key_C}};
constexpr KeyChord kMapToggleKeys[] = {{Qt::Key_5, true}};
constexpr KeyChord kDetailToggleKeys[] = {{Qt::Key_0, true}};
constexpr KeyChord kQuickSaveKeys[] = {{Qt::Key_F5}};
constexpr KeyChord kQuickLoadKeys[] = {{Qt::Key_F9}};
constexpr KeyChord kSlotSaveKeys[] = {{Qt::Key_F6}};
constexpr KeyChord kSlotLoadKeys[] = {{Qt::Key_F7}};

constexpr PadInput kUpPad[] = {PadInput::DpadUp, PadInput::LeftStickUp};
constexpr PadInput kRightPad[] = {PadInput::DpadRight, PadInput::LeftStickRight};
constexpr PadInput kDownPad[] = {PadInput::DpadDown, PadInput::LeftStickDown};
constexpr PadInput kLeftPad[] = {PadInput::DpadLeft, PadInput::LeftStickLeft};
constexpr PadInput kRunPad[] = {PadInput::B};
constexpr PadInput kMenuPad[] = {PadInput::Y, PadInput::Start};
constexpr PadInput kFirePad[] = {PadInput::A};
constexpr PadInput kEnterPad[] = {PadInput::X};
constexpr PadInput kF1Pad[] = {PadInput::LeftShoulder};
constexpr PadInput kF2Pad[] = {PadInput::Back};
constexpr PadInput kF3Pad[] = {PadInput::RightShoulder};
// The triggers and stick presses were free; a trigger is hard to press by mistake while
// walking, and the slot screens are harmless to open by accident.
constexpr PadInput kQuickSavePad[] = {PadInput::RightTrigger};
constexpr PadInput kQuickLoadPad[] = {PadInput::LeftTrigger};
constexpr PadInput kSlotSavePad[] = {PadInput::RightStick};
constexpr PadInput kSlotLoadPad[] = {PadInput::LeftStick};

constexpr uint16_t kUpCodes[] = {VK_UP, VK_NUMPAD8}, kRightCodes[] = {VK_RIGHT, VK_NUMPAD6},
                   kDownCodes[] = {VK_DOWN, VK_NUMPAD2}, kLeftCodes[] = {VK_LEFT, VK_NUMPAD4},
                   kRunCodes[] = {VK_SHIFT}, kMenuCodes[] = {VK_ESCAPE}, kFireCodes[] = {VK_SPACE},
                   kEnterCodes[] = {VK_RETURN}, kF1Codes[] = {VK_F1}, kF2Codes[] = {VK_F2},
                   kF3Codes[] = {VK_F3}, kUseCodes[] = {VK_V},
                   kDropCodes[] = {VK_D}, kCloseCodes[] = {VK_C},
                   kMapToggleCodes[] = {VK_NUMPAD5}, kDetailToggleCodes[] = {VK_NUMPAD0},
                   kQuickSaveCodes[] = {VK_F5}, kQuickLoadCodes[] = {VK_F9},
                   kSlotSaveCodes[] = {VK_F6}, kSlotLoadCodes[] = {VK_F7};

const std::array<ActionInfo, kActionCount> kInfo = {{
    {"up", QT_TRANSLATE_NOOP("input::Actions", "上へ移動"), VK_UP, kUpKeys, kUpPad, kUpCodes},
    {"right", QT_TRANSLATE_NOOP("input::Actions", "右へ移動"),
     VK_RIGHT, kRightKeys, kRightPad, kRightCodes},
    {"down", QT_TRANSLATE_NOOP("input::Actions", "下へ移動"), VK_DOWN, kDownKeys, kDownPad, kDownCodes},
    {"left", QT_TRANSLATE_NOOP("input::Actions", "左へ移動"), VK_LEFT, kLeftKeys, kLeftPad, kLeftCodes},
    {"run", QT_TRANSLATE_NOOP("input::Actions", "走る"), VK_SHIFT, kRunKeys, kRunPad, kRunCodes},
    {"menu", QT_TRANSLATE_NOOP("input::Actions", "メニュー・戻る"),
     VK_ESCAPE, kMenuKeys, kMenuPad, kMenuCodes},
    {"fire", QT_TRANSLATE_NOOP("input::Actions", "攻撃・使う・決定"),
     VK_SPACE, kFireKeys, kFirePad, kFireCodes},
    {"enter", QT_TRANSLATE_NOOP("input::Actions", "決定・捨てる"),
     VK_RETURN, kEnterKeys, kEnterPad, kEnterCodes},
    {"equip_page", QT_TRANSLATE_NOOP("input::Actions", "装備画面"), VK_F1, kF1Keys, kF1Pad, kF1Codes},
    {"map_page", QT_TRANSLATE_NOOP("input::Actions", "全体マップ画面"), VK_F2, kF2Keys, kF2Pad, kF2Codes},
    {"detail_page", QT_TRANSLATE_NOOP("input::Actions", "アイテム詳細画面"),
     VK_F3, kF3Keys, kF3Pad, kF3Codes},
    {"use", QT_TRANSLATE_NOOP("input::Actions", "アイテムを使う"), VK_V, kUseKeys, {}, kUseCodes},
    {"drop", QT_TRANSLATE_NOOP("input::Actions", "アイテムを捨てる"), VK_D, kDropKeys, {}, kDropCodes},
    {"close", QT_TRANSLATE_NOOP("input::Actions", "メニューを閉じる"), VK_C, kCloseKeys, {}, kCloseCodes},
    {"map_toggle", QT_TRANSLATE_NOOP("input::Actions", "全体マップ切り替え"),
     VK_NUMPAD5, kMapToggleKeys, {}, kMapToggleCodes},
    {"detail_toggle", QT_TRANSLATE_NOOP("input::Actions", "アイテム詳細切り替え"),
     VK_NUMPAD0, kDetailToggleKeys, {}, kDetailToggleCodes},
    {"quick_save", QT_TRANSLATE_NOOP("input::Actions", "クイックセーブ"), VK_F5, kQuickSaveKeys,
     kQuickSavePad, kQuickSaveCodes},
    {"quick_load", QT_TRANSLATE_NOOP("input::Actions", "クイックロード"), VK_F9, kQuickLoadKeys,
     kQuickLoadPad, kQuickLoadCodes},
    {"slot_save", QT_TRANSLATE_NOOP("input::Actions", "スロットにセーブ"), VK_F6, kSlotSaveKeys,
     kSlotSavePad, kSlotSaveCodes},
    {"slot_load", QT_TRANSLATE_NOOP("input::Actions", "スロットからロード"), VK_F7, kSlotLoadKeys,
     kSlotLoadPad, kSlotLoadCodes},
}};

}  // namespace

const ActionInfo& InfoOf(Action action) { return kInfo[static_cast<int>(action)]; }

std::optional<Action> ActionOfId(std::string_view id) {
  for (int i = 0; i < kActionCount; ++i)
    if (kInfo[i].id == id) return static_cast<Action>(i);
  return std::nullopt;
}

std::optional<Action> ProgramActionOf(uint16_t code) {
  for (Action action : {Action::QuickSave, Action::QuickLoad, Action::SlotSaveScreen,
                        Action::SlotLoadScreen})
    if (code != 0 && InfoOf(action).gameKey == code) return action;
  return std::nullopt;
}

bool IsGameCode(uint16_t code) {
  return std::any_of(kInfo.begin(), kInfo.end(), [code](const ActionInfo& info) {
    return std::find(info.defaultCodes.begin(), info.defaultCodes.end(), code) !=
           info.defaultCodes.end();
  });
}

}  // namespace input

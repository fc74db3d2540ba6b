// The options dialog: game speed, music and sound effects, applied while it is open.
// This is the dialog's model; the Qt window (desktop/options_dialog.h) shows it and
// forwards its controls' events here, and the headless runner drives it directly.
#pragma once

#include <string>

struct OptionsDialogModel {
  std::string Caption = "オプション";
  // The design values equal the start-up options, so the first opening changes nothing.
  int SpeedPosition = 50;  // the speed slider: 1 .. 100, the game timer's interval in ms
  std::string SpeedCaption;  // "今現在のゲームスピード : " + the interval
  bool MusicChecked = true;  // 音楽演奏
  bool EffectsChecked = true;   // 効果音
  bool Visible = false;
  int ModalResult = 0;  // 1 (OK) once the close button has closed it
};

extern OptionsDialogModel OptionsWindow;

constexpr int kSpeedMin = 1;
constexpr int kSpeedMax = 100;

// The menu item "オプション(&O)": stops the game, fills the controls from the state and shows
// the dialog modally.
void OnOptionsCommand();

// Setting a control as the user or the program does: a value different from the current one
// runs the control's handler, as the controls of the window do. The position is kept within
// the scroll bar's range.
void SetSpeedPosition(int position);
void SetMusicChecked(bool checked);
void SetEffectsChecked(bool checked);

// The dialog's handlers.
void OnSpeedChange();
void OnMusicBoxClick();
void OnEffectsBoxClick();
void OnOptionsClose();  // 閉じる: the game runs again and the dialog closes

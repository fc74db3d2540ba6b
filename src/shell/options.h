// The options dialog TForm2: game speed, music and sound effects, applied while it is open.
// This is the dialog's model; the Qt window (shell/qt/options_dialog.h) shows it and
// forwards its controls' events here, and the headless runner drives it directly.
#pragma once

#include <string>

struct TForm2 {
  std::string Caption = "オプション";
  // The design values equal the start-up options, so the first opening changes nothing.
  int ScrollBar1Position = 50;  // ScrollBar1: 1 .. 100, the game timer's interval in ms
  std::string Label4Caption;  // "今現在のゲームスピード : " + the interval
  bool CheckBox1Checked = true;  // 音楽演奏
  bool CheckBox2Checked = true;   // 効果音
  bool Visible = false;
  int ModalResult = 0;  // 1 (OK) once Button1 has closed it
};

extern TForm2 Form2;

constexpr int kScrollBar1Min = 1;
constexpr int kScrollBar1Max = 100;

// Menu item K3 ("オプション(&O)"): stops the game, fills the controls from the state and shows
// the dialog modally.
void K3Click();

// Setting a control as the user or the program does: a value different from the current one
// runs the control's handler, as the controls of the window do. The position is kept within
// the scroll bar's range.
void SetScrollBar1Position(int position);
void SetCheckBox1Checked(bool checked);
void SetCheckBox2Checked(bool checked);

// The dialog's handlers.
void ScrollBar1Change();
void CheckBox1Click();
void CheckBox2Click();
void Button1Click();  // 閉じる: the game runs again and the dialog closes

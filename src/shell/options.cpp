#include "shell/options.h"

#include <algorithm>

#include "audio/sound.h"
#include "state/form.h"
#include "state/state.h"
#include "platform/platform.h"

TForm2 Form2;

namespace {

void SetLabel4() {
  Form2.Label4Caption = "今現在のゲームスピード : " + std::to_string(Form1.Timer1.Interval);
}

}  // namespace

void SetScrollBar1Position(int position) {
  position = std::clamp(position, kScrollBar1Min, kScrollBar1Max);
  if (position == Form2.ScrollBar1Position) return;
  Form2.ScrollBar1Position = position;
  ScrollBar1Change();
}

void SetCheckBox1Checked(bool checked) {
  if (checked == Form2.CheckBox1Checked) return;
  Form2.CheckBox1Checked = checked;
  CheckBox1Click();
}

void SetCheckBox2Checked(bool checked) {
  if (checked == Form2.CheckBox2Checked) return;
  Form2.CheckBox2Checked = checked;
  CheckBox2Click();
}

void ScrollBar1Change() {
  G.TickInterval = Form2.ScrollBar1Position;
  Form1.Timer1.Interval = Form2.ScrollBar1Position;
  SetLabel4();
  platform::Os().FormChanged();
}

void CheckBox1Click() {
  G.MusicOn = Form2.CheckBox1Checked ? 1 : 0;
  // On: the current track from its beginning; off: silence.
  PlayMusic(G.MusicTrack);
}

void CheckBox2Click() { G.EffectsOn = Form2.CheckBox2Checked ? 1 : 0; }

void Button1Click() {
  SetTimerEnabled(Form1.Timer1, true);
  Form2.ModalResult = 1;
  Form2.Visible = false;
}

void K3Click() {
  SetTimerEnabled(Form1.Timer1, false);
  SetScrollBar1Position(G.TickInterval);
  SetLabel4();
  SetCheckBox1Checked(G.MusicOn != 0);
  SetCheckBox2Checked(G.EffectsOn != 0);
  Form2.ModalResult = 0;
  Form2.Visible = true;
  platform::Os().ShowOptionsDialog();
  Form2.Visible = false;
}

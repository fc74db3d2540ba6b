#include "shell/options.h"

#include <algorithm>

#include "audio/sound.h"
#include "state/window_model.h"
#include "state/state.h"
#include "platform/platform.h"
#include "platform/language.h"

OptionsDialogModel OptionsWindow;

namespace {

void ShowSpeedCaption() {
  OptionsWindow.SpeedCaption = Say({"今現在のゲームスピード : {0}", "Current game speed: {0}"},
                                   {std::to_string(Window.TickTimer.Interval)});
}

}  // namespace

void SetSpeedPosition(int position) {
  position = std::clamp(position, kSpeedMin, kSpeedMax);
  if (position == OptionsWindow.SpeedPosition) return;
  OptionsWindow.SpeedPosition = position;
  OnSpeedChange();
}

void SetMusicChecked(bool checked) {
  if (checked == OptionsWindow.MusicChecked) return;
  OptionsWindow.MusicChecked = checked;
  OnMusicBoxClick();
}

void SetEffectsChecked(bool checked) {
  if (checked == OptionsWindow.EffectsChecked) return;
  OptionsWindow.EffectsChecked = checked;
  OnEffectsBoxClick();
}

void OnSpeedChange() {
  G.TickInterval = OptionsWindow.SpeedPosition;
  Window.TickTimer.Interval = OptionsWindow.SpeedPosition;
  ShowSpeedCaption();
  platform::Os().WindowChanged();
}

void OnMusicBoxClick() {
  G.MusicOn = OptionsWindow.MusicChecked ? 1 : 0;
  // On: the current track from its beginning; off: silence.
  PlayMusic(G.MusicTrack);
}

void OnEffectsBoxClick() { G.EffectsOn = OptionsWindow.EffectsChecked ? 1 : 0; }

void OnOptionsClose() {
  SetTimerEnabled(Window.TickTimer, true);
  OptionsWindow.ModalResult = 1;
  OptionsWindow.Visible = false;
}

void OnOptionsCommand() {
  SetTimerEnabled(Window.TickTimer, false);
  SetSpeedPosition(G.TickInterval);
  ShowSpeedCaption();
  SetMusicChecked(G.MusicOn != 0);
  SetEffectsChecked(G.EffectsOn != 0);
  OptionsWindow.ModalResult = 0;
  OptionsWindow.Visible = true;
  platform::Os().ShowOptionsDialog();
  OptionsWindow.Visible = false;
}

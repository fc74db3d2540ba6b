#include "shell/about.h"

#include "state/state.h"
#include "platform/platform.h"
#include "shell/mailhp.h"

#ifndef MIROVAAN_MAKER_LINE
#define MIROVAAN_MAKER_LINE ""
#endif
#ifndef MIROVAAN_ABOUT_NOTE
#define MIROVAAN_ABOUT_NOTE ""
#endif
#ifndef MIROVAAN_VERSION
#define MIROVAAN_VERSION ""
#endif

TForm3 Form3;

std::string AboutTitleLine() { return "ミロヴァーン  Version " + AboutVersion(); }
std::string AboutNote() { return MIROVAAN_ABOUT_NOTE; }
std::string AboutMakerLine() { return MIROVAAN_MAKER_LINE; }
std::string AboutVersion() { return MIROVAAN_VERSION; }
std::string AboutHomePage() {
  return MHP.HomePageAddress.empty() ? "マニュアルを開く" : MHP.HomePageAddress;
}
std::string AboutMailAddress() { return MHP.MailAddress.empty() ? "（なし）" : MHP.MailAddress; }
std::string AboutIconPath() { return AppDir + "icon.bmp"; }

void KA1Click() {
  Form3.Visible = true;
  platform::Os().ShowAboutDialog();
  Form3.Visible = false;
}

void Help1Click() {
  if (platform::Os().AskYesNo("ヘルプ", "直接ブラウザを起動してヘルプを見ます。よろしいですか？"))
    OpenHomePageOrManual();
}

void Button2Click() { OpenHomePageOrManual(); }
void Button3Click() { OpenMailToMaker(); }

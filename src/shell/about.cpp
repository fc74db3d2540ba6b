#include "shell/about.h"

#include "state/state.h"
#include "platform/platform.h"
#include "shell/maker_contact.h"
#include "platform/language.h"

#ifndef MIROVAAN_MAKER_LINE
#define MIROVAAN_MAKER_LINE ""
#endif
#ifndef MIROVAAN_ABOUT_NOTE
#define MIROVAAN_ABOUT_NOTE ""
#endif
#ifndef MIROVAAN_VERSION
#define MIROVAAN_VERSION ""
#endif

AboutDialogModel AboutWindow;

std::string AboutTitleLine() {
  return Say({"ミロヴァーン  Version {0}", "Mirovaan  Version {0}"}, {AboutVersion()});
}
std::string AboutNote() { return MIROVAAN_ABOUT_NOTE; }
std::string AboutMakerLine() { return MIROVAAN_MAKER_LINE; }
std::string AboutVersion() { return MIROVAAN_VERSION; }
std::string AboutHomePage() {
  return Maker.HomePageAddress.empty() ? Pick({"マニュアルを開く", "Open the manual"})
                                        : Maker.HomePageAddress;
}
std::string AboutMailAddress() {
  return Maker.MailAddress.empty() ? Pick({"（なし）", "(none)"}) : Maker.MailAddress;
}
std::string AboutIconPath() { return AppDir + "icon.bmp"; }

void OnAboutCommand() {
  AboutWindow.Visible = true;
  platform::Os().ShowAboutDialog();
  AboutWindow.Visible = false;
}

void OnHelpCommand() {
  if (platform::Os().AskYesNo(Pick({"ヘルプ", "Help"}),
                              Pick({"直接ブラウザを起動してヘルプを見ます。よろしいですか？",
                                    "The help opens in your web browser. Open it now?"})))
    OpenHomePageOrManual();
}

void OnHomePageButton() { OpenHomePageOrManual(); }
void OnMailButton() { OpenMailToMaker(); }

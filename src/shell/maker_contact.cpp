#include "shell/maker_contact.h"

#include <filesystem>
#include <vector>

#include "state/state.h"
#include "platform/language.h"
#include "platform/platform.h"
#include "platform/language.h"

#ifndef MIROVAAN_MAIL_ADDRESS
#define MIROVAAN_MAIL_ADDRESS ""
#endif
#ifndef MIROVAAN_HOME_PAGE
#define MIROVAAN_HOME_PAGE ""
#endif
#ifndef MIROVAAN_INSTALL_DOC_DIR
#define MIROVAAN_INSTALL_DOC_DIR ""
#endif
#ifndef MIROVAAN_SOURCE_MANUAL_DIR
#define MIROVAAN_SOURCE_MANUAL_DIR ""
#endif

namespace {

MakerContact MakerLinks() {
  MakerContact links;
  links.MailAddress = MIROVAAN_MAIL_ADDRESS;
  links.HomePageAddress = MIROVAAN_HOME_PAGE;
  return links;
}

// Installed beside the content (share/mirovaan -> share/doc/mirovaan), where the build
// installs it, and the source tree's for a game started from its build folder. A player who
// reads English gets the English manual (en/), or the Japanese one rather than none.
std::vector<std::string> ManualCandidates() {
  std::vector<std::string> names = {"index.html"};
  if (CurrentLanguage() == Language::kEnglish) names.insert(names.begin(), "en/index.html");
  std::vector<std::string> places;
  for (const std::string& name : names) {
    if (!AppDir.empty()) places.push_back(AppDir + "../doc/mirovaan/" + name);
    for (const char* dir : {MIROVAAN_INSTALL_DOC_DIR, MIROVAAN_SOURCE_MANUAL_DIR})
      if (*dir) places.push_back(std::string(dir) + "/" + name);
  }
  return places;
}

void SayCannotOpen(const std::string& address) {
  std::string manual = ManualPath();
  const std::string where =
      manual.empty() ? Say({"マニュアルも見つかりません（探した場所：{0}）。",
                            "The manual cannot be found either (looked in: {0})."},
                           {ManualPlaces()})
                     : Say({"マニュアルはここにあります：\n{0}", "The manual is here:\n{0}"}, {manual});
  platform::Os().ShowMessage(Pick({"ヘルプ", "Help"}),
                             Say({"次のアドレスを開くプログラムが見つかりませんでした：\n{0}\n\n{1}",
                                  "No program was found to open this address:\n{0}\n\n{1}"},
                                 {address, where}));
}

}  // namespace

MakerContact Maker = MakerLinks();

bool MakerContact::OpenMail() const { return platform::Os().ShellOpen("mailto:" + MailAddress); }

bool MakerContact::OpenHomePage() const { return platform::Os().ShellOpen(HomePageAddress); }

std::string ManualPath() {
  std::error_code ec;
  for (const std::string& path : ManualCandidates())
    if (std::filesystem::is_regular_file(path, ec))
      return std::filesystem::weakly_canonical(path, ec).string();
  return {};
}

std::string ManualPlaces() {
  std::string list;
  const std::string comma = Pick({"、", ", "});
  for (const std::string& path : ManualCandidates()) list += (list.empty() ? "" : comma) + path;
  return list;
}

void OpenHomePageOrManual() {
  if (!Maker.HomePageAddress.empty() && Maker.HomePageAddress != "http://") {
    if (!Maker.OpenHomePage()) SayCannotOpen(Maker.HomePageAddress);
    return;
  }
  std::string manual = ManualPath();
  std::string address = manual.empty() ? std::string() : "file://" + manual;
  if (address.empty() || !platform::Os().ShellOpen(address))
    SayCannotOpen(address.empty() ? std::string(Pick({"マニュアル", "the manual"})) : address);
}

void OpenMailToMaker() {
  if (Maker.MailAddress.empty()) return;
  if (!Maker.OpenMail()) SayCannotOpen("mailto:" + Maker.MailAddress);
}

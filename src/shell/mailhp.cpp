#include "shell/mailhp.h"

#include "platform/platform.h"

#ifndef MIROVAAN_MAIL_ADDRESS
#define MIROVAAN_MAIL_ADDRESS ""
#endif
#ifndef MIROVAAN_HOME_PAGE
#define MIROVAAN_HOME_PAGE "http://"
#endif

namespace {
TMailAndHP MakerLinks() {
  TMailAndHP links;
  links.MailAddress = MIROVAAN_MAIL_ADDRESS;
  links.HomePageAddress = MIROVAAN_HOME_PAGE;
  return links;
}
}  // namespace

TMailAndHP MHP = MakerLinks();

void TMailAndHP::OpenMail() const { platform::Os().ShellOpen("mailto:" + MailAddress); }

void TMailAndHP::OpenHomePage() const { platform::Os().ShellOpen(HomePageAddress); }

// TMailAndHP: the small link component that hands a mail or web address to the desktop,
// which starts the user's mail program or browser.
#pragma once

#include <string>

class TMailAndHP {
 public:
  std::string MailAddress;                  // without "mailto:"
  std::string HomePageAddress = "http://";  // complete, scheme included; used unchanged

  // The desktop's answer is not reported: without a mail program or browser nothing happens.
  void OpenMail() const;
  void OpenHomePage() const;
};

// The main window's instance, holding the maker's addresses of this build.
extern TMailAndHP MHP;

// The maker's contact: the small link component that hands a mail or web address to the desktop,
// which starts the user's mail program or browser.
#pragma once

#include <string>

class MakerContact {
 public:
  std::string MailAddress;                  // without "mailto:"
  std::string HomePageAddress = "http://";  // complete, scheme included; used unchanged

  // False when nothing on the desktop could take the address.
  bool OpenMail() const;
  bool OpenHomePage() const;
};

// The main window's instance, holding the maker's addresses of this build (empty when the
// build configured none).
extern MakerContact Maker;

// The offline manual: the first index.html found among the installed and the source
// manual's places ("" when none is there), and the places looked at.
std::string ManualPath();
std::string ManualPlaces();

// What the help command and the about dialog's buttons open. The home page when the build
// configured one, else the manual; when the desktop cannot open it, a message box says what
// could not be opened and where the manual is.
void OpenHomePageOrManual();
void OpenMailToMaker();

// The about dialog TForm3, the help command and the dialog's two link buttons. The dialog's
// texts come from the build's configuration (the maker's addresses and lines).
#pragma once

#include <string>

struct TForm3 {
  std::string Caption = "ミロヴァーン";
  bool Visible = false;
};

extern TForm3 Form3;

// The texts of the dialog's labels and buttons.
std::string AboutTitleLine();   // Label1: the game's name and version
std::string AboutNote();        // Label2: the note to users about passing the program on
std::string AboutMakerLine();   // Label3: the year and the maker
std::string AboutVersion();
std::string AboutHomePage();    // Button2's caption: the home page, or the manual without one
std::string AboutMailAddress(); // Button3's caption: the mail address, or "（なし）"
std::string AboutIconPath();    // the program icon shown in Image1, under AppDir

// Menu items: "バージョン情報(&A)" shows the dialog modally, "ﾍﾙﾌﾟ(&H)" offers the home page.
// Neither stops the game.
void KA1Click();
void Help1Click();

// The dialog's link buttons; the dialog stays open.
void Button2Click();  // the home page
void Button3Click();  // a new mail to the maker

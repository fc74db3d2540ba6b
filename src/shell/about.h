// The about dialog, the help command and the dialog's two link buttons. The dialog's texts
// come from the build's configuration (the maker's addresses and lines).
#pragma once

#include <string>

struct AboutDialogModel {
  std::string Caption = "ミロヴァーン";
  bool Visible = false;
};

extern AboutDialogModel AboutWindow;

// The texts of the dialog's labels and buttons.
std::string AboutTitleLine();   // the title line: the game's name and version
std::string AboutNote();        // the note to users about passing the program on
std::string AboutMakerLine();   // the year and the maker
std::string AboutVersion();
std::string AboutHomePage();    // the home page button's caption: the home page, or the manual without one
std::string AboutMailAddress(); // the mail button's caption: the mail address, or "（なし）"
std::string AboutIconPath();    // the program icon shown at the top left, under AppDir

// Menu items: "バージョン情報(&A)" shows the dialog modally, "ﾍﾙﾌﾟ(&H)" offers the home page.
// Neither stops the game.
void OnAboutCommand();
void OnHelpCommand();

// The dialog's link buttons; the dialog stays open.
void OnHomePageButton();  // the home page
void OnMailButton();  // a new mail to the maker

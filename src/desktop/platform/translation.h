// The program's language on the desktop: Qt's translators for our own texts and for Qt's
// buttons, the language the game's picture is drawn in, and the door through which the
// game's fixed captions and questions reach a message box in the player's language.
#pragma once

#include <QString>
#include <string>

#include "platform/language.h"

namespace mirovaan_qt {

// Switches everything at once: the game draws its next frame in this language, and every
// open window receives a LanguageChange event to put its texts in it. Japanese is the
// program's own language: no translator of ours is loaded for it.
void UseLanguage(Language language);

// The program's name as the desktop shows it: "ﾐﾛｳﾞｧｰﾝ", or "Mirovaan".
QString ProgramName();

// A caption or question the game itself asks (its texts are Japanese below the desktop) in
// the player's language. A text not in the catalogue, such as one that names a file, is
// shown as the game wrote it.
QString GameText(const std::string& text);

}  // namespace mirovaan_qt

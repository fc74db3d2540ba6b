// The program's own settings (never the game's): one INI file under the user's configuration
// folder, read through a default-constructed QSettings anywhere in the program.
#pragma once

#include <QString>

#include "audio/sound.h"
#include "platform/language.h"

namespace prefs {

// The program's identity ("mirovaan": ~/.config/mirovaan, ~/.local/share/mirovaan) and the
// INI format. Call before anything reads a setting.
void SetUpIdentity();

// Makes sure the settings file can be read safely. A damaged, unreadable or foreign file is
// set aside (renamed "*.damaged") or, failing that, left unread for this run; the defaults
// hold and one line on stderr says so. Returns that line, or "" when the file is usable.
QString CheckSettingsFile();

// Where the settings file is, whether or not it exists.
QString SettingsFilePath();

// The sound set-up as remembered (volumes clamped, unknown outputs back to automatic).
audio::Setup ReadSoundSetup();
void WriteSoundSetup(const audio::Setup& setup);

// The language chosen in the preferences (interface/language, "ja" or "en"); Japanese when
// none is stored or the stored one is unknown.
Language StoredLanguage();
// Returns false when the settings file could not be written.
bool StoreLanguage(Language language);

}  // namespace prefs

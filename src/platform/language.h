// The language the game and the program speak to the player in. It belongs to whoever is
// watching, not to the game: no game state, saved game or replay holds it, so a replay made in
// one language plays in the other. Japanese is the default.
#pragma once

#include <optional>
#include <string_view>

enum class Language { kJapanese, kEnglish };

Language CurrentLanguage();
void SetCurrentLanguage(Language language);

// "ja" or "en" (the settings file, --language); anything else is no language.
std::optional<Language> LanguageFromCode(std::string_view code);
const char* LanguageCode(Language language);

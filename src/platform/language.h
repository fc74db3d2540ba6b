// The language the game and the program speak to the player in. It belongs to whoever is
// watching, not to the game: no game state, saved game or replay holds it, so a replay made in
// one language plays in the other. Japanese is the default.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Language { kJapanese, kEnglish };

Language CurrentLanguage();
void SetCurrentLanguage(Language language);

// "ja" or "en" (the settings file, --language); anything else is no language.
std::optional<Language> LanguageFromCode(std::string_view code);
const char* LanguageCode(Language language);

// A text the program shows the player, in both languages. The layers below the game's own
// catalogue (files, pictures, sound, saved games, floors, the menu's questions) keep theirs
// in a table of these beside the code that reports, so a translator finds them together.
// A text may hold places {0}, {1}... for numbers, paths and reasons filled in when shown.
struct Bilingual {
  const char* japanese;
  const char* english;
};

// The text in the language the player reads.
const char* Pick(const Bilingual& text);
// The pattern with {0}, {1}... replaced by the values; a place with no value stays empty,
// and braces that name no place are kept as they are.
std::string Fill(const std::string& pattern, const std::vector<std::string>& values);
// Pick, then Fill.
std::string Say(const Bilingual& text, const std::vector<std::string>& values = {});

#include "platform/language.h"

#include <atomic>

namespace {
// Read from the tick and from message boxes, set from the preferences: atomic so a switch
// never tears, though both run on the one thread today.
std::atomic<Language> current_language{Language::kJapanese};
}  // namespace

Language CurrentLanguage() { return current_language.load(std::memory_order_relaxed); }

void SetCurrentLanguage(Language language) {
  current_language.store(language, std::memory_order_relaxed);
}

std::optional<Language> LanguageFromCode(std::string_view code) {
  if (code == "ja") return Language::kJapanese;
  if (code == "en") return Language::kEnglish;
  return std::nullopt;
}

const char* LanguageCode(Language language) {
  return language == Language::kEnglish ? "en" : "ja";
}

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

const char* Pick(const Bilingual& text) {
  return CurrentLanguage() == Language::kEnglish ? text.english : text.japanese;
}

std::string Fill(const std::string& pattern, const std::vector<std::string>& values) {
  std::string out;
  out.reserve(pattern.size() + 16);
  for (size_t i = 0; i < pattern.size(); ++i) {
    const size_t close = pattern[i] == '{' ? pattern.find('}', i) : std::string::npos;
    if (close != std::string::npos && close > i + 1 && close - i <= 3) {
      const std::string digits = pattern.substr(i + 1, close - i - 1);
      if (digits.find_first_not_of("0123456789") == std::string::npos) {
        const size_t k = std::stoul(digits);
        if (k < values.size()) out += values[k];
        i = close;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

std::string Say(const Bilingual& text, const std::vector<std::string>& values) {
  return Fill(Pick(text), values);
}

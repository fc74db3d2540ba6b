// The short texts of the game's screens (prompts, headings, the menu's labels and notes, the
// pick-up message) in Japanese and English: the screens ask for a phrase, never for words.
// With the story (story.h), the heroes' lines (heroes.h) and the item names (items.h) this
// is everything the game draws in words; a translator works in those four files.
//
// A pattern may hold the places {0}, {1}...: numbers and item names filled in when drawn,
// so each language puts them where its grammar wants them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/language.h"  // Fill

enum class Phrase : uint8_t {
  kTitlePrompt,       // blinking under the title
  kSelectionHeading,  // under the hero on the selection screen
  kGameOver,
  kGameOverPrompt,
  kHitPoints,         // {0} HP, {1} MaxHP
  kWeaponRow,         // {0} the weapon's name
  kArmourRow,         // {0} the armour's name
  kAttack,            // {0}
  kDefence,           // {0}
  kShotSpeed,         // {0}
  kShotLife,          // {0}
  kRapidFire,         // {0} shots
  kCursed,
  kBlessed,
  kOpensChests,
  kNeverUsedUp,       // a reusable medicine
  kEscapeItem,
  kItemData,          // the detail page's heading
  kHeal,              // {0}
  kUsableBy,          // before the heroes' figures
  kSpaceEquips,       // {0} the item under the cursor
  kSpaceUses,         // {0}
  kSpaceWears,        // {0}
  kMenuKeyHelp,       // the help line that crawls along the menu's foot
  kItemFound,         // {0} the item picked up
  kCount
};

struct PhraseText {
  const char* japanese;
  const char* english;
};

// The pattern in the language the player reads.
const char* PhrasePattern(Phrase phrase);
// Both languages' patterns (for checks and for the translator's tools).
const PhraseText& PhraseTexts(Phrase phrase);

// The phrase in the language the player reads, filled.
std::string Say(Phrase phrase, const std::vector<std::string>& values = {});

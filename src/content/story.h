// The fixed texts of the title story and of the ending, in each of the game's languages.
#pragma once

#include <string>

struct StoryLine {
  int X;
  int Y0;
  int Size;
  const char* Text;  // UTF-8
};

// The 46 lines of the title story (title line first) with their places.
extern const StoryLine kStoryLines[46];
// The 21 lines of the ending (title line first).
extern const StoryLine kEndingLines[21];

// The same stories in English: line for line the same base lines and sizes, so the story
// scrolls and the walking figures step exactly as in Japanese; only x and the words differ.
extern const StoryLine kStoryLinesEnglish[46];
extern const StoryLine kEndingLinesEnglish[21];

// The lines in the language the player reads (CurrentLanguage()), chosen at draw time.
const StoryLine* StoryLines();   // 46 lines
const StoryLine* EndingLines();  // 21 lines

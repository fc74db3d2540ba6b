// The fixed texts of the title story and of the ending.
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

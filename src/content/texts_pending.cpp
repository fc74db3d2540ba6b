// Pending: replaced by hero_texts.cpp and story.cpp.
#include "content/heroes.h"
#include "content/story.h"

void InitHeroTexts() {}
const StoryLine kStoryLines[46] = {};
const StoryLine kEndingLines[21] = {};

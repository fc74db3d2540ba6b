// The menu screens (mode 2): the three pages, the item grid and the crawling key help.
#pragma once

void DrawMenu();

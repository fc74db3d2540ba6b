#pragma once

void CountExperience();  // modes 1 and 3

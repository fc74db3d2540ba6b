// The monster pass of the tick (modes 1 and 3).
#pragma once

void MonsterPass();

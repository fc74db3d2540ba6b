#pragma once

void GameTick();

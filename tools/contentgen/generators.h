// The content generator's parts; each writes its files below outDir and throws
// std::runtime_error with a message when something cannot be made.
#pragma once

#include <string>

void GenerateArt(const std::string& assetsDir, const std::string& outDir);
void GenerateFloors(const std::string& assetsDir, const std::string& outDir);
void GenerateMusic(const std::string& assetsDir, const std::string& outDir);
void GenerateEffects(const std::string& assetsDir, const std::string& outDir);

// The small encodings of the replay text: base64 for embedded files, hexadecimal hashes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace replay {

std::string Base64(const std::vector<uint8_t>& bytes);
// nullopt for anything but canonical base64 (padding included).
std::optional<std::vector<uint8_t>> FromBase64(const std::string& text);

std::string Hex64(uint64_t value);  // 16 lower-case digits
std::optional<uint64_t> FromHex64(const std::string& text);

// A decimal number within [low, high], nothing else in the text.
std::optional<int64_t> Decimal(const std::string& text, int64_t low, int64_t high);

}  // namespace replay

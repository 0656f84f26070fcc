// UTF-8 text as the forms and the saved-game names handle it: code points,
// character counts and lower case, for the scripts a player is likely to type.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace plat {

// Code points of s; a malformed byte stands for itself as U+FFFD.
std::vector<char32_t> Utf8Decode(const std::string& s);
void AppendUtf8(std::string& s, char32_t cp);
std::size_t Utf8Length(const std::string& s);  // characters, not bytes
// Lower case of Latin (with its accented letters), Greek and Cyrillic.
char32_t ToLower(char32_t cp);
std::string Utf8ToLower(const std::string& s);

}  // namespace plat

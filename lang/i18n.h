// The marks around every text the player sees, and the lookup in the chosen catalog.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <initializer_list>
#include <string>

namespace lang {

// The text in the player's language: the text itself (French) when no catalog
// is in use or the catalog has no entry for it.
const char* Translate(const char* text);
// The same, for a text that means one thing in one place (a level's name, a
// word on a picture): the catalog keys it by its context.
const char* TranslateIn(const char* context, const char* text);
// A sentence about a number, in the form the language uses for that number.
const char* TranslatePlural(const char* one, const char* many, unsigned long n);

// The pattern with each %s or %d replaced by the next value, %% by %. Missing
// values leave nothing; extra ones are dropped. Never reads past the pattern.
std::string Format(const char* pattern, std::initializer_list<std::string> values);

}  // namespace lang

#define _(text) ::lang::Translate(text)
#define C_(context, text) ::lang::TranslateIn(context, text)
#define N_(text) text

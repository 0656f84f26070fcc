// The shape of the day: a solvable shape that is a fixed function of the calendar date.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "levels/level_text.h"

namespace levels {

// The shape of the day for a calendar date: a fixed function of the date alone; always solvable; its name is
// "forme du jour" (translated by the game with msgctxt "level"); its cells hold its reference tiling.
Level ShapeOfTheDay(int year, int month, int day);

// 0 for Monday .. 6 for Sunday, for a date of the Gregorian calendar.
int DayOfWeek(int year, int month, int day);

}  // namespace levels

// The piece catalogue lives in levels/; the asset generator still includes it by this name.
#pragma once
#include "levels/catalogue.h"

#pragma once
// The wilderness areas, their paths and the start of every fight.

void wildernessScreen();

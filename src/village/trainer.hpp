#pragma once
// The trainer: stat points and skill points turned into better numbers.

void trainerScreen();

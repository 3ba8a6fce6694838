#pragma once
// What a slain enemy leaves: the dragon's ending, drops, gold, xp and level-ups.

void enemySlain();

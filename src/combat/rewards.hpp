#pragma once
// What a slain enemy leaves: the dragon's ending, drops, gold, xp and level-ups.

// Runs once per fall, after "You have slain the enemy!"; the caller then ends the fight.
void enemySlain();

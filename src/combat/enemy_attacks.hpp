#pragma once
// The enemies' special attacks.

// Tries the current enemy's special; false when it has none, it does not apply or the
// player evades it, in which case the enemy attacks ordinarily.
bool enemySpecialAttack();

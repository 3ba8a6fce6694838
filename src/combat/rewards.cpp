#include "combat/rewards.hpp"

void enemySlain() {}

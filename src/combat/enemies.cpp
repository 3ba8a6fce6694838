#include "combat/enemies.hpp"

void generateEnemy() {}

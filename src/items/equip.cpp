#include "items/equip.hpp"

void equipScreen() {}

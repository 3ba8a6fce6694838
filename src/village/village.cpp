#include "village/village.hpp"

void villageScreen() {}

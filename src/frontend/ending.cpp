#include "frontend/screens.hpp"

void endingScreen() {}

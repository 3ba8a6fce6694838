#include "frontend/screens.hpp"

void awakeningScreen() {}

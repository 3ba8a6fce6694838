#include "village/wilderness.hpp"

void wildernessScreen() {}

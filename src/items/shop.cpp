#include "items/shop.hpp"

void shopScreen() {}

#include "village/town_crier.hpp"

void townCrierScreen() {}

#include "village/trainer.hpp"

void trainerScreen() {}

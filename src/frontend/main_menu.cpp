#include "frontend/screens.hpp"

#include "console/input.hpp"
#include "console/screen_loop.hpp"

void mainMenuScreen() {
    if (!mainMenuActive) return;
    readLine();
}

#pragma once
// The village hub, its hospital and the hidden lair's entrance.

void villageScreen();

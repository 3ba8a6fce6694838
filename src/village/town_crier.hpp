#pragma once
// The town crier: help topics and the sale of rare item locations.

void townCrierScreen();

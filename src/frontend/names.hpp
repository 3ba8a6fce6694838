#pragma once
// Which character names may become file names in the working directory.
#include <string>

// Why the name cannot be used, as the nurse says it; empty when it can.
std::string nameRefusal(const std::string &name);
// True when "<entry>.txt" is a plain file of ours in the working directory.
bool isSafeProfileName(const std::string &entry);

#include "combat/skills.hpp"

void skillMenu() {}

void useSkill(std::string) {}

#include "combat/specials.hpp"

#include "combat/effects.hpp"
#include "combat/enemies.hpp"
#include "console/random.hpp"
#include "items/catalogue.hpp"

namespace {

bool isUnavoidable() {
    return enemyName == "jackalope" || enemyName == "salamander" || enemyName == "ancient ogre";
}

bool unavoidableSpecial() { return false; }

bool evadableSpecial() { return false; }

} // namespace

bool enemySpecialAttack() {
    if (isUnavoidable()) return unavoidableSpecial();
    // Every other enemy, with a special or not, rolls the evasion first.
    if (randomInt(1, 150) + 200 * playerStunRounds < effectiveAgility()) return false;
    return evadableSpecial();
}

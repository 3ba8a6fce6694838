#include "village/trainer.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"
#include "console/screen_loop.hpp"

#include <array>
#include <string>
#include <string_view>

namespace {

struct TrainedSkill {
    std::string_view name;
    std::string_view description;
    int32_t Character::*level;
    int32_t Character::*mana;
    int32_t costStep; // added to the mana cost by every level after the first
};

// clang-format off
const std::array<TrainedSkill, 5> warriorSkills{{
    {"whirlwind", "attack and chance to stun - ", &Character::whirlwind, &Character::whirlwindMana, 1},
    {"stab", "attack that cannot miss - ", &Character::stab, &Character::stabMana, 1},
    {"blades", "several continuous attacks at 50% damage - ", &Character::blades, &Character::bladesMana, 1},
    {"slice", "two attacks with large damage range - ", &Character::slice, &Character::sliceMana, 1},
    {"gouge", "attack and bleeding damage for 3 rounds - ", &Character::gouge, &Character::gougeMana, 1},
}};
const std::array<TrainedSkill, 5> mageSkills{{
    {"bolt", "magic damage - ", &Character::bolt, &Character::boltMana, 4},
    {"stun", "stuns enemy for a few rounds - ", &Character::stun, &Character::stunMana, 5},
    {"fire", "magic damage and burning damage for 2 rounds - ", &Character::fire, &Character::fireMana, 3},
    {"heal", "recovers some health - ", &Character::heal, &Character::healMana, 3},
    {"poison", "poison damage for 4 round - ", &Character::poison, &Character::poisonMana, 3},
}};
// clang-format on

const std::string typeAnOption = "Please type in one of the options in purple.";

void printHeading(std::string_view heading) {
    setColour("white");
    printLine(heading);
    printEmptyLine();
}

void printPoints(int32_t points, std::string_view kind) {
    setColour("yellow");
    printLine("You have " + toText(points) + " " + std::string(kind) + " point(s).");
}

void readChoice() {
    setColour("green");
    readLine();
}

void trainerMain() {
    printHeading("TRAINER");
    setColour("yellow");
    printLine("You have " + toText(character.skillPoints) + " skill point(s) and " +
              toText(character.statPoints) + " stat point(s).");
    setColour("white");
    printEmptyLine();
    printLine("\"Here you can level up your stats and learn new skills.");
    printLine("You earn 1 skill point and 5 stat points when you level up.");
    printLine("Your current level for each item will be listed after the description.\"");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    printOption("skills", "special attacks and magic spells");
    printOption("stats", "attack, defense, agility, mana");
    setColour("purple");
    printLine("exit");
    printEmptyLine();
    readChoice();

    if (inputLine == "stats") {
        trainerStatsActive = true;
    } else if (inputLine == "skills") {
        trainerSkillsActive = true;
    } else if (inputLine == "exit") {
        trainerActive = false;
    } else {
        messageLog.push_back(typeAnOption);
    }
}

// The stat a word raises, or nullptr when the word names none.
int32_t *statNamed(const std::string &word) {
    if (word == "attack") return &character.attack;
    if (word == "defense") return &character.defense;
    if (word == "agility") return &character.agility;
    if (word == "mana") return &character.maxMana;
    return nullptr;
}

void trainerStats() {
    printHeading("TRAINER>Stats");
    printPoints(character.statPoints, "stat");
    setColour("white");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    printOption("attack", "physical damage (" + toText(character.attack) + ")");
    printOption("defense", "damage reduction (" + toText(character.defense) + ")");
    printOption("agility", "dodge chance (" + toText(character.agility) + ")");
    printOption("mana", "skill energy (" + toText(character.maxMana) + ")");
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    readChoice();

    int32_t *stat = statNamed(inputLine);
    if (character.statPoints > 0 && stat != nullptr) {
        *stat = saturatingAdd(*stat, 1);
        --character.statPoints;
        saveCharacter();
    } else if (inputLine == "go back") {
        trainerStatsActive = false;
    } else if (character.statPoints > 0) {
        messageLog.push_back(typeAnOption);
    } else {
        messageLog.push_back("You don't have any more stat points to use.");
    }
}

void trainerSkills() {
    printHeading("TRAINER>Skills");
    printPoints(character.skillPoints, "skill");
    setColour("white");
    printEmptyLine();
    printLine("\"When a skill is at or above level 1, it is available for use.");
    printLine("Every level after that increases the power and the mana cost.");
    printLine("A mage can use warrior skills and vice versa.");
    printLine("For more detailed information, talk to the town crier.\"");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    setColour("purple");
    printLine("warrior");
    printLine("mage");
    printLine("go back");
    printEmptyLine();
    readChoice();

    if (inputLine == "warrior") {
        warriorSkillsActive = true;
    } else if (inputLine == "mage") {
        mageSkillsActive = true;
    } else if (inputLine == "go back") {
        trainerSkillsActive = false;
    } else {
        messageLog.push_back(typeAnOption);
    }
}

void learnSkill(const TrainedSkill &skill) {
    --character.skillPoints;
    int32_t &level = character.*skill.level;
    level = saturatingAdd(level, 1);
    if (level > 1) character.*skill.mana = saturatingAdd(character.*skill.mana, skill.costStep);
    saveCharacter();
}

// The warrior and the mage page differ only in their heading, skills and flag.
void skillPage(std::string_view heading, const std::array<TrainedSkill, 5> &skills,
               bool &pageActive) {
    printHeading(heading);
    printPoints(character.skillPoints, "skill");
    setColour("white");
    printEmptyLine();
    printLine("The number in the parenthesis is the skill's current level.");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    for (const TrainedSkill &skill : skills)
        printOption(skill.name, std::string(skill.description) + toText(character.*skill.mana) +
                                    " mana (" + toText(character.*skill.level) + ")");
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    readChoice();

    if (character.skillPoints > 0) {
        for (const TrainedSkill &skill : skills) {
            if (inputLine == skill.name) {
                learnSkill(skill);
                return;
            }
        }
    }
    if (inputLine == "go back") {
        pageActive = false;
    } else if (character.skillPoints > 0) {
        messageLog.push_back(typeAnOption);
    } else {
        messageLog.push_back("You don't have any more skill points to use.");
    }
}

} // namespace

void trainerScreen() {
    if (!trainerActive && !trainerStatsActive && !trainerSkillsActive) return;
    if (trainerStatsActive) {
        trainerStats();
    } else if (trainerSkillsActive && warriorSkillsActive) {
        skillPage("TRAINER>Skills>Warrior", warriorSkills, warriorSkillsActive);
    } else if (trainerSkillsActive && mageSkillsActive) {
        skillPage("TRAINER>Skills>Mage", mageSkills, mageSkillsActive);
    } else if (trainerSkillsActive) {
        trainerSkills();
    } else {
        trainerMain();
    }
}

#include "village/trainer.hpp"

#include "character/character.hpp"
#include "character/character_file.hpp"
#include "console/input.hpp"
#include "console/output.hpp"

#include <array>
#include <string>
#include <string_view>

namespace {

struct Training {
    std::string_view description;
    int32_t costStep; // added to the mana cost by every level after the first
};

// What the trainer says of each skill, in the order of skillFields: the first five on the
// warrior page, the last five on the mage page.
constexpr auto training = std::to_array<Training>({
    {"attack and chance to stun - ", 1},
    {"attack that cannot miss - ", 1},
    {"several continuous attacks at 50% damage - ", 1},
    {"two attacks with large damage range - ", 1},
    {"attack and bleeding damage for 3 rounds - ", 1},
    {"magic damage - ", 4},
    {"stuns enemy for a few rounds - ", 5},
    {"magic damage and burning damage for 2 rounds - ", 3},
    {"recovers some health - ", 3},
    {"poison damage for 4 round - ", 3},
});
constexpr size_t warriorPage = 0;
constexpr size_t magePage = 5;
constexpr size_t skillsPerPage = 5;

void printHeading(std::string_view heading) {
    setColour("white");
    printLine(heading);
    printEmptyLine();
}

void printPoints(int32_t points, std::string_view kind) {
    setColour("yellow");
    printLine("You have " + toText(points) + " " + std::string(kind) + " point(s).");
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
    readAnswer();

    if (inputLine == "stats") {
        trainerStatsActive = true;
    } else if (inputLine == "skills") {
        trainerSkillsActive = true;
    } else if (inputLine == "exit") {
        trainerActive = false;
    } else {
        logLine(typeAnOption);
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
    readAnswer();

    int32_t *stat = statNamed(inputLine);
    if (character.statPoints > 0 && stat != nullptr) {
        *stat = saturatingAdd(*stat, 1);
        --character.statPoints;
        saveCharacter();
    } else if (inputLine == "go back") {
        trainerStatsActive = false;
    } else if (character.statPoints > 0) {
        logLine(typeAnOption);
    } else {
        logLine("You don't have any more stat points to use.");
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
    readAnswer();

    if (inputLine == "warrior") {
        warriorSkillsActive = true;
    } else if (inputLine == "mage") {
        mageSkillsActive = true;
    } else if (inputLine == "go back") {
        trainerSkillsActive = false;
    } else {
        logLine(typeAnOption);
    }
}

void learnSkill(size_t skill) {
    --character.skillPoints;
    int32_t &level = character.*skillFields[skill].level;
    int32_t &cost = character.*skillFields[skill].cost;
    level = saturatingAdd(level, 1);
    if (level > 1) cost = saturatingAdd(cost, training[skill].costStep);
    saveCharacter();
}

// The warrior and the mage page differ only in their heading, skills and flag.
void skillPage(std::string_view heading, size_t firstSkill, bool &pageActive) {
    printHeading(heading);
    printPoints(character.skillPoints, "skill");
    setColour("white");
    printEmptyLine();
    printLine("The number in the parenthesis is the skill's current level.");
    printEmptyLine();
    printLine("Your options:");
    printEmptyLine();
    for (size_t skill = firstSkill; skill < firstSkill + skillsPerPage; ++skill)
        printOption(skillFields[skill].name, std::string(training[skill].description) +
                                                 toText(character.*skillFields[skill].cost) +
                                                 " mana (" +
                                                 toText(character.*skillFields[skill].level) + ")");
    setColour("purple");
    printLine("go back");
    printEmptyLine();
    readAnswer();

    if (character.skillPoints > 0) {
        for (size_t skill = firstSkill; skill < firstSkill + skillsPerPage; ++skill) {
            if (inputLine == skillFields[skill].name) {
                learnSkill(skill);
                return;
            }
        }
    }
    if (inputLine == "go back") {
        pageActive = false;
    } else if (character.skillPoints > 0) {
        logLine(typeAnOption);
    } else {
        logLine("You don't have any more skill points to use.");
    }
}

} // namespace

void trainerScreen() {
    if (!trainerActive && !trainerStatsActive && !trainerSkillsActive) return;
    if (trainerStatsActive) {
        trainerStats();
    } else if (trainerSkillsActive && warriorSkillsActive) {
        skillPage("TRAINER>Skills>Warrior", warriorPage, warriorSkillsActive);
    } else if (trainerSkillsActive && mageSkillsActive) {
        skillPage("TRAINER>Skills>Mage", magePage, mageSkillsActive);
    } else if (trainerSkillsActive) {
        trainerSkills();
    } else {
        trainerMain();
    }
}

#include "character/character_file.hpp"

#include "character/character.hpp"
#include "character/profiles.hpp"
#include "character/text_file.hpp"
#include "console/output.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace {

using NumberField = int32_t Character::*;

// The numeric lines in file order; the skill levels and mana costs follow the same pattern.
const auto statLines = std::to_array<std::pair<std::string_view, NumberField>>({
    {"Level:", &Character::level},
    {"XP:", &Character::xp},
    {"Stat Points:", &Character::statPoints},
    {"Skill Points:", &Character::skillPoints},
    {"Gold:", &Character::gold},
    {"Current Health:", &Character::currentHealth},
    {"Max Health:", &Character::maxHealth},
    {"Attack:", &Character::attack},
    {"Defense:", &Character::defense},
    {"Agility:", &Character::agility},
    {"Current Mana:", &Character::currentMana},
    {"Max Mana:", &Character::maxMana},
    {"Wilderness:", &Character::wilderness},
});

using KeyedFields = std::vector<std::pair<std::string, NumberField>>;

// "Whirlwind:" for a skill's level, "Whirlwind Mana:" for its cost, in the skills' own order.
KeyedFields skillKeys(int32_t Character::*SkillFields::*field, std::string_view suffix) {
    KeyedFields keys;
    for (const SkillFields &skill : skillFields) {
        std::string key(skill.name);
        key[0] = static_cast<char>(key[0] - 'a' + 'A');
        keys.emplace_back(key + std::string(suffix), skill.*field);
    }
    return keys;
}

const KeyedFields skillLines = skillKeys(&SkillFields::level, ":");
const KeyedFields manaLines = skillKeys(&SkillFields::cost, " Mana:");

std::string characterFile() {
    return profileName + ".txt";
}

std::string joinedNumbers(std::string_view key, const std::vector<int32_t> &numbers) {
    std::string line(key);
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) line += ',';
        line += toText(numbers[i]);
    }
    return line;
}

// The numbers that follow each ':' or ',' of the line; entries that do not read are skipped.
std::vector<int32_t> listedNumbers(std::string_view line) {
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ':' && line[i] != ',') continue;
        if (std::optional<int32_t> number = readNumber(line.substr(i + 1)))
            numbers.push_back(*number);
    }
    return numbers;
}

void setNumber(NumberField field, std::string_view value) {
    if (std::optional<int32_t> number = readNumber(value)) character.*field = *number;
}

// An id the catalogue does not know would leave a slot holding nothing real: keep it empty.
void loadSlot(int32_t &slot, std::string_view value) {
    if (std::optional<int32_t> id = readNumber(value)) slot = isItemId(*id) ? *id : 0;
}

template <typename Keys>
bool applyNumberLine(const Keys &keys, std::string_view line, std::string_view value) {
    for (const auto &[key, field] : keys) {
        if (line.starts_with(key)) {
            setNumber(field, value);
            return true;
        }
    }
    return false;
}

void applyLine(std::string_view line) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) return;
    std::string_view value = line.substr(colon + 1);
    if (line.starts_with("Name:")) {
        character.name = std::string(value);
        return;
    }
    if (applyNumberLine(statLines, line, value)) return;
    if (line.starts_with("Safe Area:")) {
        character.safeArea = true;
        return;
    }
    if (applyNumberLine(skillLines, line, value) || applyNumberLine(manaLines, line, value)) return;
    if (line.starts_with("Inventory:")) {
        for (int32_t id : listedNumbers(line)) {
            if (isItemId(id)) character.inventory.push_back(id);
        }
    } else if (line.starts_with("Weapon:")) {
        loadSlot(character.weapon, value);
    } else if (line.starts_with("Armor:")) {
        loadSlot(character.armor, value);
    } else if (line.starts_with("Gameover:")) {
        character.gameOver = true;
    } else if (line.starts_with("Revealed:")) {
        for (int32_t index : listedNumbers(line)) {
            if (index >= 0 && index < revealedCount)
                character.revealed[static_cast<size_t>(index)] = true;
        }
    }
}

} // namespace

std::optional<int32_t> readNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{1} << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value != saturate(value)) return std::nullopt;
    return static_cast<int32_t>(value);
}

void buildSaveLines() {
    const Character &c = character;
    saveLines.clear();
    saveLines.push_back("Name:" + c.name);
    for (const auto &[key, field] : statLines)
        saveLines.push_back(std::string(key) + toText(c.*field));
    if (c.safeArea) saveLines.push_back("Safe Area:1");
    for (const auto &[key, field] : skillLines) {
        if (c.*field > 0) saveLines.push_back(std::string(key) + toText(c.*field));
    }
    for (const auto &[key, field] : manaLines)
        saveLines.push_back(std::string(key) + toText(c.*field));
    if (!c.inventory.empty()) saveLines.push_back(joinedNumbers("Inventory:", c.inventory));
    if (c.weapon > 0) saveLines.push_back("Weapon:" + toText(c.weapon));
    if (c.armor > 0) saveLines.push_back("Armor:" + toText(c.armor));
    if (c.gameOver) saveLines.push_back("Gameover:1");
    std::vector<int32_t> revealedIndexes;
    for (int32_t i = 0; i < revealedCount; ++i) {
        if (c.revealed[static_cast<size_t>(i)]) revealedIndexes.push_back(i);
    }
    if (!revealedIndexes.empty()) saveLines.push_back(joinedNumbers("Revealed:", revealedIndexes));
}

bool saveCharacter() {
    buildSaveLines();
    const FileStatus status = writeTextLines(characterFile(), saveLines, true);
    if (status != FileStatus::done && status != FileStatus::unsure) {
        logLine("Your progress could not be saved.");
        return false;
    }
    if (status == FileStatus::unsure)
        logLine("Your progress was saved, but the disk may not have kept it.");
    // A character whose first save failed joins the list with its first save that works.
    if (std::find(profiles.begin(), profiles.end(), profileName) == profiles.end())
        addProfile(profileName);
    return true;
}

bool loadCharacter() {
    resetCharacter();
    FileStatus status = readTextLines(characterFile(), saveLines);
    if (status == FileStatus::missing) return true;
    if (status == FileStatus::done && applySaveLines()) return true;
    // Nothing of a damaged file is played, so nothing of it is saved over the file.
    resetCharacter();
    releaseCharacter();
    return false;
}

bool claimCharacter(const std::string &stem) {
    const FileStatus status = claimFile(stem + ".txt");
    if (status == FileStatus::unguarded) tellSavesUnguarded();
    return status != FileStatus::busy;
}

void releaseCharacter() {
    releaseClaim();
}

void deleteCharacterFile(const std::string &stem) {
    removeFile(stem + ".txt");
}

bool characterFileExists(const std::string &stem) {
    return fileExists(stem + ".txt");
}

bool applySaveLines() {
    for (const std::string &line : saveLines)
        applyLine(line);
    Character &c = character;
    // No screen serves a level below 1, and a name that steers the terminal is never shown.
    if (c.level < 1 || hasControlCharacter(c.name)) return false;
    // A damaged area number would leave the character nowhere: it wakes in the village.
    if (!isKnownArea(c.wilderness)) c.wilderness = 0;
    // Damaged numbers never reach play: a negative maximum would knock out in every fight.
    for (int32_t *value : {&c.currentHealth, &c.maxHealth, &c.attack, &c.defense, &c.agility,
                           &c.currentMana, &c.maxMana})
        *value = std::max(*value, 0);
    c.maxHealth = std::max(c.maxHealth, 1);
    c.currentHealth = std::min(c.currentHealth, c.maxHealth);
    // Current mana is capped by whoever loads, once the equipment's mana can be counted.
    return true;
}

void resetCharacterFile() {
    saveLines.clear();
}

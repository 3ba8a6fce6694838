#include "console/terminal.hpp"

#include "console/input.hpp"
#include "console/output.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <readline/history.h>
#include <readline/readline.h>
#include <unistd.h>

namespace {

constexpr int historyLines = 500;
constexpr int stopSignals[] = {SIGINT, SIGTERM, SIGHUP};
// xterm's stack of titles: the player's title is kept while the game shows its own.
constexpr std::string_view keepTitle = "\x1b[22;0t";
constexpr std::string_view restoreTitle = "\x1b[23;0t";

bool titleShown = false;
// What a signal leaves on the terminal, made before any signal can come: the handler may
// only write bytes ready in memory.
char farewell[16];
size_t farewellSize = 0;

sigset_t stopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : stopSignals)
        sigaddset(&set, signal);
    return set;
}

// Readline catches the signal first while a line is typed: it puts the terminal's mode back
// and sends the signal again, to this handler. Ending by the signal itself gives the status
// the shell expects (130 for Ctrl-C).
extern "C" void stopOnSignal(int signal) {
    if (farewellSize > 0 && ::write(STDOUT_FILENO, farewell, farewellSize) < 0) {
        // Nothing more can be done for a terminal that is gone.
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void catchStopSignals() {
    std::string text;
    if (colourEnabled) text += colourReset;
    if (titleShown) text += restoreTitle;
    farewellSize = std::min(text.size(), sizeof farewell);
    std::memcpy(farewell, text.data(), farewellSize);

    struct sigaction stop {};
    stop.sa_handler = stopOnSignal;
    stop.sa_mask = stopSignalSet(); // one farewell, even when two signals come at once
    for (int signal : stopSignals) {
        struct sigaction before {};
        // A signal ignored from the start (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(signal, &stop, nullptr);
    }
}

// Readline measures its prompt to place the cursor: each escape sequence is marked with
// \001 and \002 as taking no room on the screen.
std::string markedPrompt(std::string_view text) {
    std::string prompt;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\x1b') {
            prompt += text[i++];
            continue;
        }
        size_t end = i + 1;
        if (end < text.size() && text[end] == ']') { // title: ends with BEL
            while (end < text.size() && text[end] != '\x07')
                ++end;
        } else { // colour: ends with its final letter
            ++end;
            while (end < text.size() && (text[end] < 0x40 || text[end] > 0x7e))
                ++end;
        }
        end = std::min(end + 1, text.size());
        prompt += '\001';
        prompt += text.substr(i, end - i);
        prompt += '\002';
        i = end;
    }
    return prompt;
}

// Whatever follows the last line break is still on the cursor's line (at least the colour
// selected for the player's typing): readline gets it as the prompt and redraws it itself.
std::string takePrompt() {
    size_t lineStart = consoleOutput.rfind('\n');
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    std::string prompt = markedPrompt(std::string_view(consoleOutput).substr(lineStart));
    consoleOutput.resize(lineStart);
    return prompt;
}

// Readline's generator: the offered options that begin with what is typed, one per call.
char *nextOffered(const char *typed, int state) {
    static size_t next = 0;
    if (state == 0) next = 0;
    const std::string_view start = typed;
    while (next < offeredOptions.size()) {
        const std::string &option = offeredOptions[next++];
        if (option.starts_with(start)) return strdup(option.c_str());
    }
    return nullptr;
}

// Tab completes the whole line typed so far into one of the options on screen: no blank
// is added after it, since a trailing blank matches nothing, and never a file name.
char **completeOffered(const char *typed, int, int) {
    rl_attempted_completion_over = 1;
    rl_completion_suppress_append = 1;
    return rl_completion_matches(typed, nextOffered);
}

} // namespace

void startConsole(std::string_view colourWhen) {
    const bool terminal = isatty(STDOUT_FILENO);
    colourEnabled = !screenReaderActive &&
                    (colourWhen == "always" ||
                     (colourWhen == "auto" && terminal && std::getenv("NO_COLOR") == nullptr));
    if (terminal && !screenReaderActive) {
        consoleOutput += keepTitle;
        consoleOutput += "\x1b]0;Kelmarch: Orvanis\x07";
        titleShown = true;
    }
    // Readline's own escapes (the bracketed paste around each read) would reach the speech too.
    if (screenReaderActive) rl_variable_bind("enable-bracketed-paste", "off");
    catchStopSignals();
}

bool setConsoleAttribute(int) {
    return false;
}

bool writeStandardOutput(const char *data, size_t size) {
    while (size > 0) {
        ssize_t written = write(STDOUT_FILENO, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void restoreConsole() {
    if (titleShown) writeStandardOutput(restoreTitle.data(), restoreTitle.size());
}

void holdInterruptions() {
    const sigset_t held = stopSignalSet();
    ::sigprocmask(SIG_BLOCK, &held, nullptr);
}

// A signal that came meanwhile is delivered here, and ends the game.
void releaseInterruptions() {
    const sigset_t held = stopSignalSet();
    ::sigprocmask(SIG_UNBLOCK, &held, nullptr);
}

// Readline echoes to standard output, so it is used only when both ends are the terminal:
// with output redirected, the player's typing would land in the file instead.
bool gameEditsLines() {
    static const bool terminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    return terminal;
}

std::string readEditedLine(bool remember) {
    rl_attempted_completion_function = completeOffered;
    rl_completer_word_break_characters = const_cast<char *>(""); // options hold blanks
    std::string prompt = takePrompt();
    flushOutput();
    char *typed = readline(prompt.c_str());
    if (typed == nullptr) {
        consoleOutput += '\n'; // leave the shell's prompt a line of its own
        throw InputEnded{};
    }
    std::string line(typed, std::min(std::strlen(typed), longestLine));
    std::free(typed);
    if (remember && !line.empty()) {
        stifle_history(historyLines);
        add_history(line.c_str());
    }
    return line;
}

// The game as WebAssembly. In a page, the page's terminal widget shows the output and the
// page edits the lines (kelmarchShow and kelmarchReadLine in web/index.html); under Node.js
// the game reads standard input and writes standard output as on Linux.
#include "console/terminal.hpp"

#include "console/input.hpp"
#include "console/output.hpp"

#include <cerrno>
#include <cstdlib>
#include <emscripten.h>
#include <unistd.h>

namespace {

// JavaScript, which clang-format would break.
// clang-format off
EM_JS(int, inPage, (), { return typeof window === 'object'; });

EM_JS(int, onTerminal, (), {
    return typeof window === 'object' || (typeof process === 'object' && !!process.stdout.isTTY);
});

EM_JS(void, showInPage, (const char *data, size_t size), {
    Module.kelmarchShow(HEAPU8.slice(data, data + size));
});

// Waits for the player's next line; the page keeps the history when remember is set. Returns
// the bytes written to buffer, whole characters only, at most capacity - 1 and a zero.
EM_ASYNC_JS(int, readPageLine, (char *buffer, int capacity, int remember), {
    const line = await Module.kelmarchReadLine(remember !== 0);
    return stringToUTF8(line, buffer, capacity);
});
// clang-format on

} // namespace

void startConsole(std::string_view colourWhen) {
    const bool terminal = onTerminal() != 0;
    colourEnabled = !screenReaderActive &&
                    (colourWhen == "always" ||
                     (colourWhen == "auto" && terminal && std::getenv("NO_COLOR") == nullptr));
    if (terminal && !screenReaderActive) consoleOutput += "\x1b]0;Kelmarch: Orvanis\x07";
}

bool setConsoleAttribute(int) {
    return false;
}

bool writeStandardOutput(const char *data, size_t size) {
    if (inPage() != 0) {
        showInPage(data, size);
        return true;
    }
    while (size > 0) {
        ssize_t written = write(STDOUT_FILENO, data, size);
        // Node.js may leave a pipe non-blocking: a full pipe asks for another try.
        if (written < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (written <= 0) return false;
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

void restoreConsole() {}

bool gameEditsLines() {
    return inPage() != 0;
}

std::string readEditedLine(bool remember) {
    flushOutput();
    std::string line(longestLine + 1, '\0');
    const int length = readPageLine(line.data(), static_cast<int>(line.size()), remember);
    line.resize(static_cast<size_t>(length));
    return line;
}

// No signal reaches the game here: a page runs a save to its end before it can close, and a
// Node.js stopped by Ctrl-C dies where it is, the rename leaving the old file whole.
void holdInterruptions() {}

void releaseInterruptions() {}

#include "console/terminal.hpp"

#include "console/output.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

HANDLE standardOutput = INVALID_HANDLE_VALUE;
bool attributesOnConsole = false; // colours through SetConsoleTextAttribute
bool consoleSaved = false;
WORD savedAttributes = 0;
UINT savedInputPage = 0;
UINT savedOutputPage = 0;
wchar_t savedTitle[1024] = L"";
bool titleSaved = false;
SRWLOCK saveUnderWay = SRWLOCK_INIT; // held by a save, and by Ctrl-C from then on

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

// Closing the window, Ctrl-C or Ctrl-Break ends the game without finishOutput, from a thread of
// its own: once a save under way is done, the console gets its colours and title back here
// before the default handler ends the process.
BOOL WINAPI restoreOnBreak(DWORD) {
    AcquireSRWLockExclusive(&saveUnderWay);
    if (colourEnabled) writeStandardOutput(colourReset.data(), colourReset.size());
    restoreConsole();
    return FALSE;
}

// Before main, so that --help and the usage line are Linux's bytes too: a line break is "\n"
// in files and pipes alike. Typed console lines keep the text mode that turns the console's
// "\r\n" into "\n" and Ctrl-Z into the end of input.
const bool binaryStreams = [] {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (!isConsole(GetStdHandle(STD_INPUT_HANDLE))) _setmode(_fileno(stdin), _O_BINARY);
    return true;
}();

} // namespace

void startConsole(std::string_view colourWhen) {
    standardOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    const bool console = isConsole(standardOutput);

    const bool wanted = !screenReaderActive &&
                        (colourWhen == "always" ||
                         (colourWhen == "auto" && console && std::getenv("NO_COLOR") == nullptr));
    attributesOnConsole = wanted && console;
    colourEnabled = wanted && !console;
    SetConsoleCtrlHandler(restoreOnBreak, TRUE);
    if (!console) return;

    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(standardOutput, &info)) {
        savedAttributes = info.wAttributes;
        savedInputPage = GetConsoleCP();
        savedOutputPage = GetConsoleOutputCP();
        consoleSaved = true;
        titleSaved = GetConsoleTitleW(savedTitle, sizeof savedTitle / sizeof savedTitle[0]) > 0;
    }
    // Names and saves are UTF-8, as on Linux.
    SetConsoleCP(CP_UTF8);
    SetConsoleOutputCP(CP_UTF8);
    if (!screenReaderActive) SetConsoleTitleW(L"Kelmarch: Orvanis");
}

bool setConsoleAttribute(int attribute) {
    if (!attributesOnConsole) return false;
    flushOutput(); // the text before it keeps the colour it was printed in
    SetConsoleTextAttribute(standardOutput, static_cast<WORD>(attribute));
    return true;
}

bool writeStandardOutput(const char *data, size_t size) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size, 0x10000));
        DWORD written = 0;
        if (!WriteFile(output, data, chunk, &written, nullptr) || written == 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

void restoreConsole() {
    if (!consoleSaved) return;
    SetConsoleTextAttribute(standardOutput, savedAttributes);
    SetConsoleCP(savedInputPage);
    SetConsoleOutputCP(savedOutputPage);
    if (titleSaved) SetConsoleTitleW(savedTitle);
}

void holdInterruptions() {
    AcquireSRWLockExclusive(&saveUnderWay);
}

void releaseInterruptions() {
    ReleaseSRWLockExclusive(&saveUnderWay);
}

bool gameEditsLines() {
    return false;
}

std::string readEditedLine(bool) {
    return {};
}

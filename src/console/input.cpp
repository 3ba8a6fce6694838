#include "console/input.hpp"

#include "console/output.hpp"
#include "console/terminal.hpp"

#include <iostream>

namespace {

// Byte by byte up to the line feed, so a line without end never fills the memory.
std::string readStreamLine() {
    flushOutput();
    std::istream &stream = lineSource != nullptr ? *lineSource : std::cin;
    std::streambuf &source = *stream.rdbuf();
    std::string line;
    bool anyByte = false;
    bool endsInReturn = false; // the last byte read was a carriage return, and kept
    for (int byte = source.sbumpc(); byte != std::char_traits<char>::eof();
         byte = source.sbumpc()) {
        anyByte = true;
        if (byte == '\n') break;
        endsInReturn = false;
        if (line.size() < longestLine) {
            line += static_cast<char>(byte);
            endsInReturn = byte == '\r';
        }
    }
    if (!anyByte) throw InputEnded{};
    if (endsInReturn) line.pop_back();
    return line;
}

std::string readAnyLine(bool remember) {
    std::string line = lineSource == nullptr && consoleToStdout && gameEditsLines()
                           ? readEditedLine(remember)
                           : readStreamLine();
    ++linesRead;
    endTypedLine();
    offeredOptions.clear(); // the next screen offers its own
    return line;
}

} // namespace

std::string readPrivateLine() {
    return readAnyLine(false);
}

void readLine() {
    inputLine = readAnyLine(true);
}

void readAnswer() {
    setColour("green");
    readLine();
}

void readYesOrNo() {
    setColour("purple");
    printLine("yes");
    printLine("no");
    printEmptyLine();
    readAnswer();
}

void resetInput() {
    inputLine.clear();
}

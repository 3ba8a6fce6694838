#include "game_run.hpp"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <regex>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// Polls instead of sleeping a fixed time: a loaded machine may take seconds to redraw.
bool waitFor(const std::function<bool()> &condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// A tmux server of this test's own, on a private socket and with no configuration,
// killed when the test ends whatever happened.
class Tmux {
  public:
    Tmux()
        : socket(std::filesystem::temp_directory_path() /
                 ("kelmarch-tmux-" + std::to_string(::getpid()))),
          base("tmux -S '" + socket.string() + "' -f /dev/null") {}
    ~Tmux() {
        run("kill-server");
        std::filesystem::remove(socket);
    }
    Tmux(const Tmux &) = delete;
    Tmux &operator=(const Tmux &) = delete;

    bool run(const std::string &arguments) const {
        return std::system((base + " " + arguments + " >/dev/null 2>&1").c_str()) == 0;
    }
    std::string output(const std::string &arguments) const {
        std::string text;
        FILE *pipe = ::popen((base + " " + arguments + " 2>/dev/null").c_str(), "r");
        if (pipe == nullptr) return text;
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, got);
        ::pclose(pipe);
        return text;
    }
    // Typed once readline has the terminal: keys that came before would be echoed by the
    // terminal itself, ahead of the prompt, and the screen would not show what readline made
    // of them.
    void keys(const std::string &keys) const {
        waitFor([&] { return lineEdited(); });
        run("send-keys -t game " + keys);
    }
    // The game in a detached pane of a fixed size, in its working directory.
    bool play(const GameDir &dir, const std::string &variable = "INPUTRC=/dev/null") const {
        return run("new-session -d -s game -x 100 -y 40 -e " + variable + " -c '" +
                   dir.path().string() + "' '" KELMARCH_BINARY "'");
    }
    std::string screen(const std::string &flags = "") const {
        return output("capture-pane -p " + flags + " -t game");
    }

  private:
    // Readline works with the terminal's line mode off; the game and the shell have it on.
    bool lineEdited() const {
        std::string terminal = output("display -p -t game '#{pane_tty}'");
        if (!terminal.empty()) terminal.pop_back();
        const int fd = ::open(terminal.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        termios mode{};
        const bool edited = fd >= 0 && ::tcgetattr(fd, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
        if (fd >= 0) ::close(fd);
        return edited;
    }

    std::filesystem::path socket;
    std::string base;
};

std::string lastLine(const std::string &screen) {
    size_t end = screen.find_last_not_of('\n');
    if (end == std::string::npos) return "";
    size_t start = screen.rfind('\n', end);
    return screen.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

// A game on a pseudo-terminal, started as a shell starts it: a session of its own with that
// terminal as its controlling one, so that Ctrl-C typed there interrupts it.
struct TerminalGame {
    pid_t pid = -1;
    int master = -1;
    std::string shown; // every byte the game sent to the terminal
};

TerminalGame startOnTerminal(const GameDir &dir, const char *screenReader = "0") {
    TerminalGame game;
    game.pid = ::forkpty(&game.master, nullptr, nullptr, nullptr);
    if (game.pid == 0) {
        if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
        ::setenv("TERM", "xterm", 1);
        ::setenv("INPUTRC", "/dev/null", 1);
        ::setenv("KELMARCH_SCREEN_READER", screenReader, 1);
        ::execl(KELMARCH_BINARY, KELMARCH_BINARY, static_cast<char *>(nullptr));
        ::_exit(127);
    }
    return game;
}

// Reads what the game sends until `text` has come, or for `patience` at most.
bool readUntil(TerminalGame &game, const std::string &text,
               std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    auto deadline = std::chrono::steady_clock::now() + patience;
    while (!contains(game.shown, text) && std::chrono::steady_clock::now() < deadline) {
        pollfd ready{game.master, POLLIN, 0};
        if (::poll(&ready, 1, 50) <= 0) continue;
        char buffer[4096];
        ssize_t got = ::read(game.master, buffer, sizeof buffer);
        if (got <= 0) break;
        game.shown.append(buffer, static_cast<size_t>(got));
    }
    return contains(game.shown, text);
}

} // namespace

// Ctrl-C, SIGTERM and SIGHUP at a prompt: the game dies of the signal (the shell shows 130, 143,
// 129) with the terminal's colours, title and line mode given back.
TEST(Terminal, StopSignalsEndTheGameAndGiveTheTerminalBack) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        GameDir dir;
        TerminalGame game = startOnTerminal(dir);
        ASSERT_GT(game.pid, 0);
        // Held open here as well, to read the terminal's mode once the game is gone.
        const int terminal = ::open(::ptsname(game.master), O_RDWR | O_NOCTTY);
        // The prompt's green comes once the options are out and the line is being edited.
        ASSERT_TRUE(readUntil(game, "new game [n]\r\n\r\n"));
        ASSERT_TRUE(readUntil(game, "\x1b[92m")) << signal;
        if (signal == SIGINT)
            EXPECT_EQ(::write(game.master, "\x03", 1), 1);
        else
            ::kill(game.pid, signal);
        int status = 0;
        ::waitpid(game.pid, &status, 0);
        readUntil(game, "\x01", std::chrono::milliseconds(300)); // what is left on its way
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(game.shown.ends_with("\x1b[0m\x1b[23;0t")) << signal;
        EXPECT_NE(game.shown.find("\x1b[22;0t\x1b]0;Kelmarch: Orvanis\x07"), std::string::npos);
        termios mode{};
        ASSERT_EQ(::tcgetattr(terminal, &mode), 0);
        EXPECT_EQ(mode.c_lflag & (ICANON | ECHO), tcflag_t{ICANON | ECHO}) << signal;
        ::close(terminal);
        ::close(game.master);
    }
}

TEST(Terminal, NewGameInARealTerminalWithTitleAndRecall) {
    ASSERT_EQ(std::system("command -v tmux >/dev/null 2>&1"), 0) << "tmux is missing: make deps";
    GameDir dir;
    Tmux tmux;
    auto shows = [&](const std::string &text) {
        return waitFor([&] { return tmux.screen().find(text) != std::string::npos; });
    };
    // A terminal gets colours unasked.
    ASSERT_TRUE(tmux.play(dir));

    ASSERT_TRUE(shows("new game [n]")) << tmux.screen();
    EXPECT_EQ(tmux.output("display -p -t game '#{pane_title}'"), "Kelmarch: Orvanis\n");
    tmux.keys("n Enter");
    ASSERT_TRUE(shows("Type your name below:")) << tmux.screen();
    tmux.keys("Ann Enter");
    ASSERT_TRUE(shows("\"So your name is Ann, correct?\"")) << tmux.screen();
    tmux.keys("yes Enter");
    ASSERT_TRUE(shows("\"Which class do you belong to?\"")) << tmux.screen();
    tmux.keys("mage Enter");
    ASSERT_TRUE(shows("plains [p] - level 1+ area (west)")) << tmux.screen();

    // The typing shows green; the up arrow brings back the lines before, newest first.
    tmux.keys("xyz Enter");
    ASSERT_TRUE(shows("Please type in one of the options in purple.")) << tmux.screen();
    tmux.keys("Up");
    ASSERT_TRUE(waitFor([&] { return lastLine(tmux.screen()) == "xyz"; })) << tmux.screen();
    EXPECT_NE(tmux.screen("-e").find("\x1b[92mxyz"), std::string::npos);
    tmux.keys("Up");
    ASSERT_TRUE(waitFor([&] { return lastLine(tmux.screen()) == "mage"; })) << tmux.screen();

    // Ctrl-D on the empty line ends the game, which has saved the new mage.
    tmux.keys("C-u C-d");
    EXPECT_TRUE(waitFor([&] { return !tmux.run("has-session -t game"); })) << tmux.screen();
    EXPECT_EQ(dir.read("profiles.txt"), "ann\n");

    // NO_COLOR turns them off, even on a terminal.
    ASSERT_TRUE(tmux.play(dir, "NO_COLOR=1"));
    ASSERT_TRUE(shows("load character [l]")) << tmux.screen();
    EXPECT_EQ(tmux.screen("-e").find("\x1b["), std::string::npos) << tmux.screen("-e");
}

// The up arrow goes back through the last 500 lines and no further, and never to the name
// of a character one thought of deleting.
TEST(Terminal, HistoryKeepsTheLast500LinesButNoNameToDelete) {
    GameDir dir;
    dir.addCharacter("ann", {});
    Tmux tmux;
    ASSERT_TRUE(tmux.play(dir));
    ASSERT_TRUE(waitFor([&] { return contains(tmux.screen(), "new game [n]"); }));
    tmux.keys("d Enter ann Enter no Enter Up Up");
    ASSERT_TRUE(waitFor([&] { return lastLine(tmux.screen()) == "d"; })) << tmux.screen();
    tmux.keys("C-u");
    std::string lines, ups;
    for (int i = 1; i <= 501; ++i)
        lines += " x" + std::to_string(i) + " Enter";
    for (int i = 1; i <= 501; ++i)
        ups += " Up";
    tmux.keys(lines + " x502");
    ASSERT_TRUE(waitFor([&] { return lastLine(tmux.screen()) == "x502"; })) << tmux.screen();
    tmux.keys("C-u" + ups);
    EXPECT_TRUE(waitFor([&] { return lastLine(tmux.screen()) == "x2"; })) << tmux.screen();
}

// Tab completes the options the screen shows, and the names on the load list, but never a file
// name: at the new character's name prompt it does nothing.
TEST(Terminal, TabCompletesWhatTheScreenOffers) {
    GameDir dir;
    dir.addCharacter("thorvald", {});
    Tmux tmux;
    ASSERT_TRUE(tmux.play(dir));
    auto lastLineIs = [&](const std::string &line) {
        return waitFor([&] { return lastLine(tmux.screen()) == line; });
    };
    ASSERT_TRUE(waitFor([&] { return contains(tmux.screen(), "new game [n]"); }));
    tmux.keys("lo Tab");
    ASSERT_TRUE(lastLineIs("load character")) << tmux.screen();
    tmux.keys("Enter");
    ASSERT_TRUE(waitFor([&] { return contains(tmux.screen(), "LOAD CHARACTER"); }));
    tmux.keys("th Tab");
    ASSERT_TRUE(lastLineIs("thorvald")) << tmux.screen();
    tmux.keys("C-u 'go back' Enter n Enter");
    ASSERT_TRUE(waitFor([&] { return contains(tmux.screen(), "Type your name below:"); }));
    tmux.keys("th Tab x");
    EXPECT_TRUE(lastLineIs("thx")) << tmux.screen();
}

// Either palette only adds escapes; the light one (for a light background) uses the terminal's
// own foreground for white and no bright colour at all.
TEST(Terminal, ColoursAddEscapesAndNothingElse) {
    const std::vector<std::string> session{"n",      "Ann",    "yes",    "warrior", "x", "p",
                                           "attack", "attack", "attack", "v",       "s", "exit"};
    GameDir colourDir, lightDir, plainDir;
    GameRun coloured = colourDir.play(session, {"--seed", "7", "--color=always"});
    GameRun light = lightDir.play(session, {"--seed=7", "--color=always", "--theme", "light"});
    GameRun plain = plainDir.play(session, {"--seed", "7", "--color", "never"});
    EXPECT_NE(plain.output.find("You dealt"), std::string::npos);
    EXPECT_NE(coloured.output.find("\x1b[95mplains [p]\x1b[97m - level 1+"), std::string::npos);
    EXPECT_NE(light.output.find("\x1b[35mplains [p]\x1b[39m - level 1+"), std::string::npos);
    EXPECT_NE(light.output.find("\x1b[33mYou have"), std::string::npos);
    EXPECT_EQ(light.output.find("\x1b[9"), std::string::npos);
    EXPECT_EQ(plain.output.find('\x1b'), std::string::npos);
    for (const std::string &output : {coloured.output, light.output})
        EXPECT_EQ(std::regex_replace(output, std::regex("\x1b\\[[0-9;]*m"), ""), plain.output);
}

// For a screen reader not one escape reaches a terminal: no title, no colour, and not the
// bracketed paste that readline turns on around each read.
TEST(Terminal, AScreenReaderGetsNoEscapeOnATerminal) {
    for (const char *mode : {"0", "1"}) {
        GameDir dir;
        TerminalGame game = startOnTerminal(dir, mode);
        ASSERT_GT(game.pid, 0);
        const int terminal = ::open(::ptsname(game.master), O_RDWR | O_NOCTTY);
        // Each answer once its question is out and readline has the terminal in its own mode:
        // a Ctrl-D typed while the line discipline still collects whole lines would never
        // reach it as an end of input.
        auto lineBeingEdited = [&] {
            termios mode{};
            return ::tcgetattr(terminal, &mode) == 0 && (mode.c_lflag & ICANON) == 0;
        };
        for (auto [shown, typed] : {std::pair{"new game [n]", "n\r"},
                                    {"Type your name below:", "Ann\r"},
                                    {"correct?", "yes\r"},
                                    {"tactical spell caster", "warrior\r"},
                                    {"level 1+ area (west)", "\x04"}}) {
            ASSERT_TRUE(readUntil(game, shown)) << mode << game.shown;
            ASSERT_TRUE(waitFor(lineBeingEdited)) << mode << game.shown;
            ASSERT_EQ(::write(game.master, typed, std::strlen(typed)),
                      static_cast<ssize_t>(std::strlen(typed)));
        }
        ::close(terminal);
        // Read to the end, so the game never waits on a full terminal; the terminal reads
        // as closed once the game has gone.
        readUntil(game, "\x01", std::chrono::seconds(20));
        int status = 0;
        if (!waitFor([&] { return ::waitpid(game.pid, &status, WNOHANG) == game.pid; })) {
            ::kill(game.pid, SIGKILL);
            ::waitpid(game.pid, &status, 0);
        }
        ::close(game.master);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << mode << game.shown;
        if (mode[0] == '0')
            EXPECT_NE(game.shown.find("\x1b]0;Kelmarch: Orvanis\x07"), std::string::npos);
        else
            EXPECT_EQ(game.shown.find('\x1b'), std::string::npos) << game.shown;
    }
}

#include "game_run.hpp"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// The terminal's line mode and echo bits (ICANON alone when it cannot be read). Readline works
// with the line mode off; the game and the shell have it on. Keys typed before readline has the
// terminal would be echoed by the terminal itself, and a Ctrl-D would never reach readline as
// an end of input.
tcflag_t lineMode(const std::string &terminal) {
    termios mode{};
    mode.c_lflag = ICANON; // left as it is when the terminal does not open
    const int fd = ::open(terminal.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ::tcgetattr(fd, &mode);
    ::close(fd);
    return mode.c_lflag & (ICANON | ECHO);
}

// A tmux server of this test's own, on a private socket and with no configuration, killed
// when the test ends whatever happened. The game plays in a detached pane of a fixed size.
class Tmux {
  public:
    ~Tmux() {
        run("kill-server");
        std::filesystem::remove(socket);
    }
    std::string run(const std::string &arguments) const {
        std::string text;
        FILE *pipe = ::popen((base + arguments + " 2>/dev/null").c_str(), "r");
        for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;)
            text += static_cast<char>(c);
        if (pipe != nullptr) ::pclose(pipe);
        return text;
    }
    void play(const GameDir &dir, const std::string &variable,
              const std::string &redirect = "") const {
        run("new-session -d -s game -x 100 -y 40 -e " + variable + " -c '" + dir.path().string() +
            "' '" KELMARCH_BINARY + redirect + "'");
    }
    void keys(const std::string &keys) const {
        std::string terminal = run("display -p -t game '#{pane_tty}'");
        waitFor([&] { return lineMode(terminal.substr(0, terminal.size() - 1)) != ICANON; });
        if (!keys.empty()) run("send-keys -t game " + keys);
    }
    std::string screen(const std::string &flags = "") const {
        return run("capture-pane -p " + flags + " -t game");
    }
    std::string lastLine() const {
        std::string text = screen();
        text.erase(text.find_last_not_of('\n') + 1);
        return text.substr(text.rfind('\n') + 1);
    }

  private:
    std::filesystem::path socket =
        std::filesystem::temp_directory_path() / ("kelmarch-tmux-" + std::to_string(::getpid()));
    std::string base = "tmux -S '" + socket.string() + "' -f /dev/null ";
};

// A game on a pseudo-terminal, started as a shell starts it: a session of its own with that
// terminal as its controlling one, so that Ctrl-C typed there interrupts it.
struct TerminalGame {
    TerminalGame(const GameDir &dir, const char *screenReader) {
        pid = ::forkpty(&master, nullptr, nullptr, nullptr);
        if (pid == 0) {
            if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
            ::setenv("TERM", "xterm", 1);
            ::setenv("INPUTRC", "/dev/null", 1);
            ::setenv("KELMARCH_SCREEN_READER", screenReader, 1);
            ::execl(KELMARCH_BINARY, KELMARCH_BINARY, static_cast<char *>(nullptr));
            ::_exit(127);
        }
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        terminal = ::ptsname(master);
        held = ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
    }
    ~TerminalGame() {
        ::close(held);
        ::close(master);
    }
    // Reads what the game sends until `text` has come, or for `patience` at most.
    bool readUntil(const std::string &text, std::chrono::milliseconds patience = 10s) {
        auto arrived = [&] {
            char buffer[4096];
            for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;)
                shown.append(buffer, static_cast<size_t>(got));
            return contains(shown, text);
        };
        return waitFor(arrived, patience);
    }
    // Types (or only waits) once `question` is out and readline has the terminal.
    bool answer(const std::string &question, const std::string &typed) {
        return readUntil(question) && waitFor([&] { return (lineMode(terminal) & ICANON) == 0; }) &&
               ::write(master, typed.data(), typed.size()) == static_cast<ssize_t>(typed.size());
    }
    // How the game ended (-1: it did not); read meanwhile, so that it never waits on a full
    // terminal. The terminal is held open to read its mode once the game is gone.
    int status() {
        int status = -1;
        waitFor([&] {
            readUntil("\x01", 0ms);
            return ::waitpid(pid, &status, WNOHANG) == pid;
        });
        readUntil("\x01", 300ms); // what is left on its way
        return status;
    }

    pid_t pid = -1;
    int master = -1, held = -1;
    std::string terminal, shown; // shown: every byte the game sent to the terminal
};

} // namespace

// Ctrl-C, SIGTERM and SIGHUP at a prompt: the game dies of the signal (the shell shows 130, 143,
// 129) with the terminal's colours, title and line mode given back. For a screen reader not one
// escape reaches the terminal: no title, no colour, and not the bracketed paste that readline
// turns on around each read; Ctrl-D ends its game.
TEST(Terminal, StopSignalsEndTheGameAndGiveTheTerminalBack) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP, 0}) {
        GameDir dir;
        TerminalGame game(dir, signal == 0 ? "1" : "0");
        ASSERT_TRUE(game.answer("new game [n]", signal == SIGINT ? "\x03"
                                                : signal == 0    ? "\x04"
                                                                 : ""))
            << signal;
        if (signal == SIGTERM || signal == SIGHUP) ::kill(game.pid, signal);
        const int status = game.status();
        EXPECT_EQ(lineMode(game.terminal), tcflag_t{ICANON | ECHO}) << signal;
        if (signal == 0) {
            EXPECT_EQ(status, 0);
            EXPECT_EQ(game.shown.find('\x1b'), std::string::npos) << game.shown;
            continue;
        }
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(game.shown.ends_with("\x1b[0m\x1b[23;0t")) << signal;
        EXPECT_TRUE(contains(game.shown, "\x1b[22;0t\x1b]0;Kelmarch: Orvanis\x07")) << signal;
    }
}

// On a real terminal: the title is set and colours come unasked; Tab completes the options the
// screen shows, blanks and all, and the names on the load list but never a file name; the up arrow
// goes back, newest first, through the last 500 lines and no further, never to the name of a
// character one thought of deleting; the typing is green (the name to delete too); Ctrl-D on the
// empty line ends the game, which has saved. NO_COLOR turns the colours off.
TEST(Terminal, LineEditingOnARealTerminal) {
    ASSERT_EQ(std::system("command -v tmux >/dev/null 2>&1"), 0) << "tmux is missing: make deps";
    GameDir dir;
    dir.addCharacter("thorvald", {});
    Tmux tmux;
    tmux.play(dir, "INPUTRC=/dev/null");
    std::string lines, ups;
    for (int i = 1; i <= 501; ++i) {
        lines += " x" + std::to_string(i) + " Enter";
        ups += " Up";
    }
    // Keys, then what the screen shows: the whole last line after '=', else a text, escapes
    // and all.
    const std::vector<std::pair<std::string, std::string>> steps{
        {"", "new game [n]"},
        {"d Enter thorvald", "\x1b[92mthorvald"},
        {"Enter no Enter Up Up", "=d"},
        {"C-u 'load c' Tab", "=load character"},
        {"Enter", "LOAD CHARACTER"},
        {"th Tab", "=thorvald"},
        {"C-u 'go back' Enter n Enter", "Type your name below:"},
        {"th Tab x", "=thx"},
        {"C-u Ann Enter yes Enter mage Enter", "level 1+ area (west)"},
        {"xyz Enter", "Please type in one of the options in purple."},
        {"Up", "=xyz"},
        {"", "\x1b[92mxyz"},
        {"Up", "=mage"},
        {"C-u" + lines + " x502", "=x502"},
        {"C-u" + ups, "=x2"},
    };
    for (const auto &[keys, shown] : steps) {
        tmux.keys(keys);
        EXPECT_TRUE(waitFor([&] {
            return shown[0] == '=' ? tmux.lastLine() == shown.substr(1)
                                   : contains(tmux.screen("-e"), shown);
        })) << keys
            << " should show " << shown << ":\n"
            << tmux.screen();
    }
    EXPECT_EQ(tmux.run("display -p -t game '#{pane_title}'"), "Kelmarch: Orvanis\n");
    tmux.keys("C-u C-d");
    EXPECT_TRUE(waitFor([&] { return tmux.run("list-panes -t game").empty(); }));
    EXPECT_TRUE(dir.exists("ann.txt"));

    tmux.play(dir, "NO_COLOR=1");
    ASSERT_TRUE(waitFor([&] { return contains(tmux.screen(), "load character [l]"); }));
    EXPECT_FALSE(contains(tmux.screen("-e"), "\x1b[")) << tmux.screen("-e");

    // Typed at the terminal but shown in a file: no line editing, whose echo and escapes would
    // land in the file.
    tmux.run("kill-session -t game");
    tmux.play(dir, "INPUTRC=/dev/null", " > shown.txt");
    tmux.run("send-keys -t game n Enter C-d");
    EXPECT_TRUE(waitFor([&] { return tmux.run("list-panes -t game").empty(); }));
    EXPECT_TRUE(contains(dir.read("shown.txt"), "Type your name below:"));
    EXPECT_FALSE(contains(dir.read("shown.txt"), "\x1b")) << dir.read("shown.txt");
}

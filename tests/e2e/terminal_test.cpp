#include "game_run.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

// A tmux server of this test's own, on a private socket and with no configuration,
// killed when the test ends whatever happened.
class Tmux {
  public:
    Tmux() : base("tmux -L kelmarch-test-" + std::to_string(::getpid()) + " -f /dev/null") {}
    ~Tmux() {
        run("kill-server");
        if (!socket.empty()) std::filesystem::remove(socket);
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
        size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, got);
        ::pclose(pipe);
        return text;
    }
    // Starts the game in a detached pane of a fixed size, in the given working directory.
    bool start(const std::filesystem::path &dir, const std::string &command) {
        if (!run("new-session -d -s game -x 100 -y 40 -e INPUTRC=/dev/null -c '" + dir.string() +
                 "' '" + command + "'"))
            return false;
        std::string path = output("display -p '#{socket_path}'");
        socket = path.substr(0, path.find('\n'));
        return true;
    }
    void keys(const std::string &keys) const { run("send-keys -t game " + keys); }
    std::string screen() const { return output("capture-pane -p -t game"); }
    std::string colouredScreen() const { return output("capture-pane -p -e -t game"); }

  private:
    std::string base;
    std::string socket; // tmux leaves its socket file behind
};

// Polls instead of sleeping a fixed time: a loaded machine may take seconds to redraw.
bool waitFor(const std::function<bool()> &condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

std::string lastLine(const std::string &screen) {
    size_t end = screen.find_last_not_of('\n');
    if (end == std::string::npos) return "";
    size_t start = screen.rfind('\n', end);
    return screen.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

} // namespace

TEST(Terminal, NewGameInARealTerminalWithTitleAndRecall) {
    if (std::system("command -v tmux >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "tmux is not installed";
    GameDir dir;
    Tmux tmux;
    auto shows = [&](const std::string &text) {
        return waitFor([&] { return tmux.screen().find(text) != std::string::npos; });
    };
    ASSERT_TRUE(tmux.start(dir.path(), KELMARCH_BINARY " --color=always"));

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
    EXPECT_NE(tmux.colouredScreen().find("\x1b[92mxyz"), std::string::npos);
    tmux.keys("Up");
    ASSERT_TRUE(waitFor([&] { return lastLine(tmux.screen()) == "mage"; })) << tmux.screen();

    // Ctrl-D on the empty line ends the game, which has saved the new mage.
    tmux.keys("C-u C-d");
    EXPECT_TRUE(waitFor([&] { return !tmux.run("has-session -t game"); })) << tmux.screen();
    EXPECT_EQ(dir.read("profiles.txt"), "ann\n");
}

namespace {

std::string withoutEscapes(const std::string &text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\x1b') {
            plain += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '[') ++i;
        while (i + 1 < text.size() && (text[i + 1] < 0x40 || text[i + 1] > 0x7e))
            ++i;
        ++i; // the final byte
    }
    return plain;
}

} // namespace

TEST(Terminal, ColoursAddEscapesAndNothingElse) {
    const std::vector<std::string> session{"n",      "Ann",    "yes",    "warrior", "x", "p",
                                           "attack", "attack", "attack", "v",       "s", "exit"};
    GameDir colourDir, plainDir;
    GameRun coloured = colourDir.play(session, {"--seed", "7", "--color=always"});
    GameRun plain = plainDir.play(session, {"--seed", "7", "--color=never"});
    EXPECT_NE(plain.output.find("You dealt"), std::string::npos);
    EXPECT_NE(coloured.output.find("\x1b[95mplains [p]\x1b[97m - level 1+"), std::string::npos);
    EXPECT_EQ(plain.output.find('\x1b'), std::string::npos);
    EXPECT_EQ(withoutEscapes(coloured.output), plain.output);
}

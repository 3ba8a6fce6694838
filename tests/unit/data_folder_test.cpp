#include "character/platform_files.hpp"

#include <cstdlib>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>

// Where an installed game keeps its saves: an absolute XDG_DATA_HOME, else the player's home
// (from the password database when HOME is empty, as for a game a service starts); a home
// that is no absolute path names no folder.
TEST(DataFolder, FromTheEnvironmentOrThePasswordDatabase) {
    const std::string passwordHome = ::getpwuid(::getuid())->pw_dir;
    const char *cases[][3] = {
        {"/data", "/home/ann", "/data/kelmarch"},
        {"data", "/home/ann", "/home/ann/.local/share/kelmarch"},
        {nullptr, "/home/ann", "/home/ann/.local/share/kelmarch"},
        {nullptr, "", "(password database)"},
        {nullptr, "ann", ""},
    };
    const std::string savedHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
    for (const auto &[data, home, expected] : cases) {
        data != nullptr ? ::setenv("XDG_DATA_HOME", data, 1) : ::unsetenv("XDG_DATA_HOME");
        ::setenv("HOME", home, 1);
        EXPECT_EQ(playerDataFolder().string(), expected == std::string("(password database)")
                                                   ? passwordHome + "/.local/share/kelmarch"
                                                   : expected)
            << (data != nullptr ? data : "(unset)") << ", " << home;
    }
    ::setenv("HOME", savedHome.c_str(), 1);
    ::unsetenv("XDG_DATA_HOME");
}
#else
// On Windows: the player's roaming application data, when it is named.
TEST(DataFolder, FromTheApplicationData) {
    const std::wstring saved = _wgetenv(L"APPDATA") != nullptr ? _wgetenv(L"APPDATA") : L"";
    _wputenv_s(L"APPDATA", L"C:\\Users\\\u00c9lodie\\AppData\\Roaming");
    EXPECT_EQ(playerDataFolder().wstring(), L"C:\\Users\\\u00c9lodie\\AppData\\Roaming\\Kelmarch");
    _wputenv_s(L"APPDATA", L"");
    EXPECT_TRUE(playerDataFolder().empty());
    _wputenv_s(L"APPDATA", saved.c_str());
}
#endif

#include "frontend/names.hpp"

#include <gtest/gtest.h>

// Names another system could not use as a file are refused everywhere, so saves move between
// systems; the device names hold only for one digit (or a superscript one, which Windows
// takes for a digit) and never for a longer word.
TEST(Names, DeviceNamesAreRefusedOnlyAsTheWholeStem) {
    for (const char *refused :
         {"con", "NUL", "aux.txt", "com0", "COM9", "lpt1", "lpt9.x", "com\u00b9", "lpt\u00b2",
          "com\u00b3", "a<b", "why?", "Bob.", "Bob ", "go back", "profiles", ".."})
        EXPECT_FALSE(nameRefusal(refused).empty()) << refused;
    for (const char *accepted : {"com", "com10", "lpt", "coma", "console", "nully", "Bob"})
        EXPECT_TRUE(nameRefusal(accepted).empty()) << accepted;
    EXPECT_TRUE(nameRefusal(std::string(32, 'x')).empty());
    EXPECT_FALSE(nameRefusal(std::string(33, 'x')).empty());
}

// Control characters would break a line of the saves or the screen: C0, DEL and C1 (U+0080 to
// U+009F, two bytes in UTF-8) are refused; the characters on either side of them are names.
// So is a byte outside a whole UTF-8 character (0x9B alone starts a control sequence), and
// every first byte of a whole one, from two bytes long to four, is a name; a first byte followed
// by no continuation byte is none.
TEST(Names, ControlCharactersAreRefusedAndTheirNeighboursAccepted) {
    for (const char *refused : {"a\x01", "a\x1f", "a\x7f", "a\xc2\x80", "a\xc2\x9f", "a\x9b",
                                "a\xc1\xbf", "a\xe2\x82", "a\xc3!", "a\xf5\x80\x80\x80"})
        EXPECT_FALSE(nameRefusal(refused).empty()) << refused;
    for (const char *accepted : {"a b", "a~", "a\u00a0b", "a\xc2\xbf", "Zo\xc3\xab", "a\u07ff",
                                 "a\u0800", "a\uffef", "a\U0001F600", "a\U0010FFFF"})
        EXPECT_TRUE(nameRefusal(accepted).empty()) << accepted;
}

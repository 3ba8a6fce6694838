#include "frontend/names.hpp"

#include <gtest/gtest.h>

// Names another system could not use as a file are refused everywhere, so saves move between
// systems; the device names hold only for one digit (or a superscript one, which Windows
// takes for a digit) and never for a longer word.
TEST(Names, DeviceNamesAreRefusedOnlyAsTheWholeStem) {
    for (const char *refused :
         {"con", "NUL", "aux.txt", "com0", "COM9", "lpt1", "lpt9.x", "com\u00b9", "lpt\u00b2",
          "com\u00b3", "a<b", "why?", "Bob.", "Bob ", "go back"})
        EXPECT_FALSE(nameRefusal(refused).empty()) << refused;
    for (const char *accepted : {"com", "com10", "lpt", "coma", "console", "nully", "Bob"})
        EXPECT_TRUE(nameRefusal(accepted).empty()) << accepted;
}

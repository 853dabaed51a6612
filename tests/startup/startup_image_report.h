// What the start-up tests' image (fixtures/startup_image.cpp) writes when
// everything it does works: the same on every machine it runs on.
#pragma once

namespace ql::test {

inline constexpr char kStartupImageReport[] =
    "init\r\n"
    "plugin table 1\r\n"
    "class StartupImageError on RuntimeException\r\n"
    "destroyed 3\r\n"
    "caught own 1\r\n"
    "destroyed 4\r\n"
    "caught NilObjectException\r\n"
    "exit\r\n";

}  // namespace ql::test

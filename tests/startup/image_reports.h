// What the test images of fixtures/ write to report.txt when everything they
// do works: the same on every machine they run on.
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

inline constexpr char kLanguageImageReport[] =
    "init\r\n"
    "joined Sodium chloride\r\n"
    "length 15\r\n"
    "compare 0 -1 1\r\n"
    "fields 3\r\n"
    "field 2 NaCl\r\n"
    "str 116.88\r\n"
    "third 0.3333333\r\n"
    "val 1250\r\n"
    "class Counter\r\n"
    "initial 7\r\n"
    "twice 42\r\n"
    "isa 1\r\n"
    "destroyed 0\r\n"
    "destroyed 1\r\n"
    "passed on 1\r\n"
    "caught NilObjectException\r\n"
    "caught own 1\r\n"
    "error number 42\r\n"
    "message Molar mass unknown\r\n"
    "cast refused 1\r\n"
    "caught IllegalCastException\r\n"
    "nothing raised 1\r\n"
    "exit\r\n";

}  // namespace ql::test

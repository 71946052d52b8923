// The command line as UTF-8 text.
#pragma once

#include <string>
#include <vector>

namespace tarnvel::cli {

// The program's arguments, argv[0] first. On Windows they are read again from the wide command
// line: the char arguments there are in the ANSI code page, which may not hold the text.
std::vector<std::string> utf8_arguments(int argc, char **argv);

}  // namespace tarnvel::cli

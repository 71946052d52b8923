#include "arguments.hpp"

namespace tarnvel::cli {

std::vector<std::string> utf8_arguments(int argc, char **argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace tarnvel::cli

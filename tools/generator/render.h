// Writing a generated statement as FoxPro text, with the letter case, blanks and abbreviations its
// habits and its nodes' styles choose.
#pragma once

#include "tree.h"

#include <string>

namespace foxgen {

std::string render(const Query &query);

}  // namespace foxgen

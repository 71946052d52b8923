// FoxPro's destinations and output options in a SELECT: INTO CURSOR/TABLE/DBF/ARRAY name, TO
// FILE/PRINTER/SCREEN, and NOCONSOLE, PLAIN, NOWAIT, READWRITE, NOFILTER, PREFERENCE name.
#pragma once

#include "residue/text.h"

#include <string_view>
#include <vector>

namespace tarnvel::residue {

// The spans of 'text' that are FoxPro destinations or options, in text order, outside literals
// ('...', "...", [...]) and parentheses. Each span starts at its first word and ends after its
// last word or name.
std::vector<Span> destination_spans(std::string_view text);

}  // namespace tarnvel::residue

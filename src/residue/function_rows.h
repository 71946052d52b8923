// FoxPro's functions and the targets that have a function of the same name and meaning.
#pragma once

#include "residue/text.h"

#include <span>
#include <string_view>

namespace tarnvel::residue {

struct FunctionRow {
    std::string_view name;   // FoxPro's full name
    int arguments;           // the row holds for this many arguments only; -1 for any number, -2 for two or more
    Targets have;            // the targets whose function of this name does what FoxPro's does
    std::string_view note;   // said after the message when not empty
};

std::span<const FunctionRow> function_rows();

// The FoxPro function that a call of 'name' with 'arguments' arguments is residue of in 'target':
// a function the target does not have, or FoxPro's abbreviation (four letters or more) of any
// function, which no target reads, unless the abbreviation is a function of the target itself
// (Oracle's CEIL). 'row' is nullptr when the call is no residue.
struct FunctionMatch {
    const FunctionRow *row = nullptr;
    bool abbreviated = false;
};
FunctionMatch foxpro_function(Target target, std::string_view name, int arguments);

}  // namespace tarnvel::residue

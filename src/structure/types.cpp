#include "structure/types.h"

#include "structure/characters.h"

namespace tarnvel::structure {

const TypeSpelling type_spellings[] = {
    {"C", 'C'}, {"CHAR", 'C'}, {"CHARACTER", 'C'},
    {"V", 'V'}, {"VARCHAR", 'V'},
    {"N", 'N'}, {"NUM", 'N'}, {"NUMERIC", 'N'}, {"NUMBER", 'N'}, {"DECIMAL", 'N'}, {"DEC", 'N'},
    {"F", 'F'}, {"FLOAT", 'F'},
    {"I", 'I'}, {"INT", 'I'}, {"INTEGER", 'I'},
    {"B", 'B'}, {"DOUBLE", 'B'},
    {"Y", 'Y'}, {"CURRENCY", 'Y'}, {"MONEY", 'Y'},
    {"D", 'D'}, {"DATE", 'D'},
    {"T", 'T'}, {"DATETIME", 'T'},
    {"L", 'L'}, {"LOGICAL", 'L'}, {"BOOLEAN", 'L'}, {"BOOL", 'L'}, {"BIT", 'L'},
    {"M", 'M'}, {"MEMO", 'M'},
    {"G", 'G'}, {"GENERAL", 'G'},
    {"Q", 'Q'}, {"VARBINARY", 'Q'},
    {"W", 'W'}, {"BLOB", 'W'},
};
const std::size_t type_spelling_count = sizeof type_spellings / sizeof type_spellings[0];

char type_letter(std::string_view spelling) {
    for (const TypeSpelling &row : type_spellings)
        if (same_upper(spelling, row.spelling)) return row.letter;
    return 0;
}

}  // namespace tarnvel::structure

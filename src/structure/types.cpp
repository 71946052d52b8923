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

// The type names the host also reads cut short, as it reads its keywords: the first four letters
// or more (Nume, Curr, Logi, Inte). DATE is the date type itself, so a datetime needs five (Datet).
// Read after the spellings above, which hold every shorter form.
const TypeAbbreviation type_abbreviations[] = {
    {"CHARACTER", 4, 'C'}, {"VARCHAR", 4, 'V'}, {"NUMERIC", 4, 'N'}, {"FLOAT", 4, 'F'},
    {"INTEGER", 4, 'I'}, {"DOUBLE", 4, 'B'}, {"CURRENCY", 4, 'Y'}, {"DATETIME", 5, 'T'},
    {"LOGICAL", 4, 'L'}, {"GENERAL", 4, 'G'}, {"VARBINARY", 4, 'Q'},
};
const std::size_t type_abbreviation_count = sizeof type_abbreviations / sizeof type_abbreviations[0];

char type_letter(std::string_view spelling) {
    for (const TypeSpelling &row : type_spellings)
        if (same_upper(spelling, row.spelling)) return row.letter;
    for (const TypeAbbreviation &row : type_abbreviations)
        if (spelling.size() >= row.shortest && spelling.size() < row.name.size() &&
            same_upper(spelling, row.name.substr(0, spelling.size())))
            return row.letter;
    return 0;
}

}  // namespace tarnvel::structure

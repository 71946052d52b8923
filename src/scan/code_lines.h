// FoxPro code as commands: physical lines joined at their continuation ";", "&&" comments
// removed, comment lines (*, NOTE, &&) and TEXT ... ENDTEXT blocks passed over.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvel::scan {

// The physical lines of a text: line breaks are CR LF, LF or CR; a DOS end-of-file mark (0x1A)
// at the end is no text.
class PhysicalLines {
public:
    explicit PhysicalLines(std::string_view text);
    // The next line without its line break; false at the end.
    bool next(std::string_view &line);
    // The number of the line last read, from 1.
    std::size_t number() const { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

struct CommandLine {
    std::string text;        // the command: leading and trailing blanks dropped
    std::size_t line = 0;    // its first physical line, from 1
};

class CommandLines {
public:
    explicit CommandLines(std::string_view code) : lines_(code) {}
    // The next command; false at the end of the code.
    bool next(CommandLine &command);

private:
    PhysicalLines lines_;
};

}  // namespace tarnvel::scan

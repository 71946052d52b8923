// The field-list scanner shared by every dialect: it walks a host field list (NAME C(20), PRICE
// N(10,2), ...) item by item and writes the column definitions of one dialect.
#pragma once

#include "host/buffer.h"
#include "lex/letters.h"
#include "structure/dialect.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::structure {

// The first position at or after a given one that holds a byte, remembered between questions so
// that a walk from left to right reads every byte once.
class ForwardFind {
public:
    ForwardFind(std::string_view text, char target) : text_(text), target_(target) {}
    std::size_t at_or_after(std::size_t from);

private:
    std::string_view text_;
    char target_;
    bool asked_ = false;
    std::size_t from_ = 0;
    std::size_t found_ = std::string_view::npos;
};

// Cuts a field list into items at its commas. A comma that sits inside a width part such as
// (10,2) (a ")" follows it before any "(") does not end the item; the next comma does.
class ItemSplitter {
public:
    explicit ItemSplitter(std::string_view list)
        : list_(list), comma_(list, ','), open_(list, '('), close_(list, ')') {}
    // The next item; false when the list is used up. An empty list is one empty item.
    bool next(std::string_view &item);
    // Whether more items follow the one just taken.
    bool more() const { return more_; }

private:
    std::string_view list_;
    ForwardFind comma_, open_, close_;
    std::size_t pos_ = 0;
    bool done_ = false;
    bool more_ = false;
};

// One item taken apart: the name and the type specification.
struct Item {
    std::string_view name;  // the whole trimmed item when it is bare
    std::string_view spec;  // leading blanks and tabs removed; empty when no type is given
    bool bare = false;      // no blank and no tab: the item is written as it stands
};

// The name ends at the first blank; only an item without any blank is split at its first tab.
Item split_item(std::string_view item);

// Appends the column definitions of the whole list, separated by ",".
void write_columns(Text &out, std::string_view list, const Dialect &dialect, bool defaults);

}  // namespace tarnvel::structure

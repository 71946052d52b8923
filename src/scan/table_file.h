// A FoxPro table (DBF) and its memo file (FPT), read with every count, size and offset the files
// give checked against the bytes that are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::scan {

// What makes the bytes no table or memo file, or a value no memo reference.
struct TableError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct TableField {
    std::string name;
    char type = 'C';
    std::size_t offset = 0;  // in the record, after the deletion flag
    std::size_t length = 0;
};

class Table {
public:
    // Reads the header and the field descriptors of 'bytes', which must outlive the table. Throws
    // TableError when they do not describe a table within the bytes.
    explicit Table(std::string_view bytes);

    const std::vector<TableField> &fields() const { return fields_; }
    // The field named 'name' (letter case aside), or nullptr.
    const TableField *field(std::string_view name) const;
    // The records the bytes hold in full, and how many the header says there are.
    std::size_t records() const { return records_; }
    std::size_t declared_records() const { return declared_records_; }
    bool deleted(std::size_t record) const { return this->record(record)[0] == '*'; }
    std::string_view value(std::size_t record, const TableField &field) const {
        return this->record(record).substr(field.offset, field.length);
    }
    // A character field's value without its trailing blanks and NULs.
    std::string text(std::size_t record, const TableField &field) const;

private:
    std::string_view record(std::size_t index) const {
        return bytes_.substr(header_length_ + index * record_length_, record_length_);
    }

    std::string_view bytes_;
    std::size_t header_length_ = 0;
    std::size_t record_length_ = 0;
    std::size_t records_ = 0;
    std::size_t declared_records_ = 0;
    std::vector<TableField> fields_;
};

class MemoFile {
public:
    // Reads the header of 'bytes', which must outlive the memo file. Throws TableError.
    explicit MemoFile(std::string_view bytes);
    // The memo in block 'block' (its text, without the block header). Throws TableError when the
    // block or its length lies outside the file.
    std::string_view memo(std::uint64_t block) const;
    std::size_t block_size() const { return block_size_; }

private:
    std::string_view bytes_;
    std::size_t block_size_ = 0;
};

// The block a memo field's value points at (four bytes, low byte first, or ten digits), 0 for an
// empty memo. Throws TableError for any other value.
std::uint64_t memo_block(std::string_view value);

}  // namespace tarnvel::scan

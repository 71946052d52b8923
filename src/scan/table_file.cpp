#include "scan/table_file.h"

#include "residue/text.h"

#include <algorithm>

namespace tarnvel::scan {
namespace {

constexpr std::size_t table_header = 32;
constexpr std::size_t descriptor_size = 32;
constexpr std::size_t memo_header = 512;
constexpr std::size_t block_header = 8;

std::uint32_t low_first(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t high_first(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::string_view trimmed(std::string_view value) {
    while (!value.empty() && (value.back() == ' ' || value.back() == '\0')) value.remove_suffix(1);
    return value;
}

}  // namespace

Table::Table(std::string_view bytes) : bytes_(bytes) {
    if (bytes.size() < table_header) throw TableError("shorter than a table's header");
    declared_records_ = low_first(bytes, 4, 4);
    header_length_ = low_first(bytes, 8, 2);
    record_length_ = low_first(bytes, 10, 2);
    if (header_length_ < table_header + 1 || header_length_ > bytes.size())
        throw TableError("the header length " + std::to_string(header_length_) + " does not fit the file");
    if (record_length_ < 1) throw TableError("the record length is 0");
    std::size_t offset = 1;  // after the deletion flag
    for (std::size_t at = table_header; at < header_length_ && bytes[at] != '\r'; at += descriptor_size) {
        if (at + descriptor_size > header_length_) throw TableError("a field descriptor runs past the header");
        TableField field;
        field.name = std::string(trimmed(bytes.substr(at, 11)));
        field.type = residue::upper_ascii(bytes[at + 11]);
        field.offset = offset;
        field.length = static_cast<unsigned char>(bytes[at + 16]);
        offset += field.length;
        if (offset > record_length_)
            throw TableError("the field " + field.name + " runs past the record length " + std::to_string(record_length_));
        fields_.push_back(std::move(field));
    }
    if (fields_.empty()) throw TableError("the table has no fields");
    records_ = std::min<std::size_t>(declared_records_, (bytes.size() - header_length_) / record_length_);
}

const TableField *Table::field(std::string_view name) const {
    for (const TableField &f : fields_)
        if (residue::same_word(f.name, name)) return &f;
    return nullptr;
}

std::string Table::text(std::size_t record, const TableField &field) const {
    return std::string(trimmed(value(record, field)));
}

MemoFile::MemoFile(std::string_view bytes) : bytes_(bytes) {
    if (bytes.size() < memo_header) throw TableError("shorter than a memo file's header");
    block_size_ = high_first(bytes, 6, 2);
    if (block_size_ == 0) block_size_ = 1;  // SET BLOCKSIZE TO 0: memos are placed by the byte
}

std::string_view MemoFile::memo(std::uint64_t block) const {
    const std::uint64_t at = block * block_size_;  // below 2^50: never wraps
    const std::string where = "the memo in block " + std::to_string(block);
    if (at < memo_header || at > bytes_.size() || bytes_.size() - at < block_header)
        throw TableError(where + " lies outside the memo file");
    const std::uint64_t length = high_first(bytes_, static_cast<std::size_t>(at) + 4, 4);
    if (length > bytes_.size() - at - block_header)
        throw TableError(where + " says it holds " + std::to_string(length) + " bytes; the memo file ends before");
    return bytes_.substr(static_cast<std::size_t>(at) + block_header, static_cast<std::size_t>(length));
}

std::uint64_t memo_block(std::string_view value) {
    if (value.size() == 4) return low_first(value, 0, 4);
    if (value.size() == 10) {  // older tables: the block number in digits, blanks before it
        std::uint64_t block = 0;
        bool digits = false;
        for (char c : value) {
            if (c == ' ' && !digits) continue;
            if (c < '0' || c > '9') throw TableError("a memo reference that is not a block number");
            block = block * 10 + static_cast<std::uint64_t>(c - '0');
            digits = true;
        }
        return block;
    }
    throw TableError("a memo field of " + std::to_string(value.size()) + " bytes (a memo reference has 4 or 10)");
}

}  // namespace tarnvel::scan

#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pindrel {

class IniFile;

// The keys or the values of one section: views of the file's bytes, computed from compact
// records.
class IniTexts {
public:
    struct Piece {
        uint32_t begin = 0;
        uint32_t size = 0;
    };
    IniTexts() = default;
    IniTexts(const char* base, const Piece* first, size_t count)
        : base_(base), first_(first), count_(count) {}
    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](size_t i) const {
        return {base_ + first_[i].begin, first_[i].size};
    }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[count_ - 1]; }
    auto begin() const;
    auto end() const;

private:
    const char* base_ = nullptr;
    const Piece* first_ = nullptr;
    size_t count_ = 0;
};

// A random-access iterator over a list whose elements are computed, not stored. It holds a copy
// of the list, a view of the file, so it stays valid while the file does.
template <typename List, typename Value> class ComputedIterator {
public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = Value;
    using difference_type = std::ptrdiff_t;
    using reference = Value;
    using pointer = void;
    ComputedIterator() = default;
    ComputedIterator(const List& list, size_t i) : list_(list), i_(i) {}
    Value operator*() const { return list_[i_]; }
    Value operator[](difference_type n) const { return list_[i_ + static_cast<size_t>(n)]; }
    ComputedIterator& operator++() {
        ++i_;
        return *this;
    }
    ComputedIterator operator++(int) { return {list_, i_++}; }
    ComputedIterator& operator--() {
        --i_;
        return *this;
    }
    ComputedIterator operator--(int) { return {list_, i_--}; }
    ComputedIterator& operator+=(difference_type n) {
        i_ += static_cast<size_t>(n);
        return *this;
    }
    ComputedIterator& operator-=(difference_type n) {
        i_ -= static_cast<size_t>(n);
        return *this;
    }
    friend ComputedIterator operator+(ComputedIterator a, difference_type n) { return a += n; }
    friend ComputedIterator operator+(difference_type n, ComputedIterator a) { return a += n; }
    friend ComputedIterator operator-(ComputedIterator a, difference_type n) { return a -= n; }
    friend difference_type operator-(const ComputedIterator& a, const ComputedIterator& b) {
        return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
    }
    friend bool operator==(const ComputedIterator& a, const ComputedIterator& b) {
        return a.i_ == b.i_;
    }
    friend auto operator<=>(const ComputedIterator& a, const ComputedIterator& b) {
        return a.i_ <=> b.i_;
    }

private:
    List list_{};
    size_t i_ = 0;
};

inline auto IniTexts::begin() const {
    return ComputedIterator<IniTexts, std::string_view>(*this, 0);
}
inline auto IniTexts::end() const {
    return ComputedIterator<IniTexts, std::string_view>(*this, count_);
}

// One section of a skin file: its name as written between the brackets, and its entries in file
// order. keys and values always have the same length; no key or value is empty or padded. A view
// of the owning IniFile, valid while it lives and is not parsed again.
struct IniSection {
    std::string_view name;
    IniTexts keys;
    IniTexts values;
};

// Where a section and its entries stand in the file (1-based line numbers), kept beside the
// model for diagnostics.
struct IniSectionLines {
    int32_t header = 0;
    std::span<const int32_t> entries;
};

// A non-blank, non-comment line that no rule took.
struct IniDroppedLine {
    int32_t line = 0;
    std::string_view text;      // trimmed; lies in the owning IniFile's copy of the file
    bool beforeSection = false; // dropped only because no header came before it
};

// A list of an IniFile computed from its records: its sections, their lines, or its dropped
// lines.
template <typename Value> class IniList {
public:
    IniList() = default;
    explicit IniList(const IniFile* file) : file_(file) {}
    size_t size() const;
    bool empty() const { return size() == 0; }
    Value operator[](size_t i) const;
    Value front() const { return (*this)[0]; }
    Value back() const { return (*this)[size() - 1]; }
    ComputedIterator<IniList, Value> begin() const { return {*this, 0}; }
    ComputedIterator<IniList, Value> end() const { return {*this, size()}; }

private:
    friend class IniFile;
    const IniFile* file_ = nullptr;
};

// The parsed content of an INI file: ordered sections, duplicates kept. Holds one copy of the
// file's bytes that every name, key and value points into, and compact records of its sections
// and entries in lists sized exactly; sections, their lines and the dropped lines are views
// computed from them.
class IniFile {
public:
    IniFile() = default;
    virtual ~IniFile() = default;
    IniFile(IniFile&& other) noexcept { *this = std::move(other); }
    IniFile& operator=(IniFile&& other) noexcept;
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Replaces the content with what the bytes hold. Line ends are CR, LF or any run of them.
    // Only the first 4 GiB are read.
    void Parse(std::span<const uint8_t> bytes);
    void Parse(std::vector<uint8_t>&& bytes);
    void Reset();

    // The file's bytes, which every name, key and value lies in.
    std::span<const uint8_t> Bytes() const { return text_; }
    // Where a name, key or value of this file starts in it, in bytes.
    size_t Offset(std::string_view piece) const {
        return static_cast<size_t>(piece.data() - reinterpret_cast<const char*>(text_.data()));
    }

    IniList<IniSection> sections{this};
    IniList<IniSectionLines> sectionLines{this}; // parallel to sections
    IniList<IniDroppedLine> droppedLines{this};

private:
    template <typename Value> friend class IniList;
    using Piece = IniTexts::Piece;
    struct SectionRecord {
        Piece name;
        uint32_t firstEntry = 0;
        int32_t header = 0;
    };
    struct DroppedRecord {
        Piece text;
        int32_t line = 0; // negative: before any section
    };

    void ParseText();
    const char* Base() const { return reinterpret_cast<const char*>(text_.data()); }
    size_t EntriesOf(size_t section) const {
        const size_t next =
            section + 1 < records_.size() ? records_[section + 1].firstEntry : keys_.size();
        return next - records_[section].firstEntry;
    }

    // Sixteen bytes a section and twenty an entry, beside the file's bytes.
    std::vector<uint8_t> text_;
    std::vector<SectionRecord> records_;
    std::vector<Piece> keys_;
    std::vector<Piece> values_;
    std::vector<int32_t> entryLines_;
    std::vector<DroppedRecord> dropped_;
};

template <> inline size_t IniList<IniSection>::size() const {
    return file_->records_.size();
}
template <> inline size_t IniList<IniSectionLines>::size() const {
    return file_->records_.size();
}
template <> inline size_t IniList<IniDroppedLine>::size() const {
    return file_->dropped_.size();
}

template <> inline IniSection IniList<IniSection>::operator[](size_t i) const {
    const IniFile::SectionRecord& r = file_->records_[i];
    const size_t n = file_->EntriesOf(i);
    return {{file_->Base() + r.name.begin, r.name.size},
            {file_->Base(), file_->keys_.data() + r.firstEntry, n},
            {file_->Base(), file_->values_.data() + r.firstEntry, n}};
}
template <> inline IniSectionLines IniList<IniSectionLines>::operator[](size_t i) const {
    const IniFile::SectionRecord& r = file_->records_[i];
    return {r.header, {file_->entryLines_.data() + r.firstEntry, file_->EntriesOf(i)}};
}
template <> inline IniDroppedLine IniList<IniDroppedLine>::operator[](size_t i) const {
    const IniFile::DroppedRecord& r = file_->dropped_[i];
    return {r.line < 0 ? -r.line : r.line, {file_->Base() + r.text.begin, r.text.size}, r.line < 0};
}

// The six ASCII white-space characters; bytes of 0x80 and above never are.
constexpr bool IsIniSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
std::string_view TrimIni(std::string_view s);

} // namespace pindrel

// The Point store: the one list of survey records, in the order the reader
// appended them.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace tervan {

// A point or station name: a zero-terminated text that the store keeps in
// its name arena (a record made by hand may name a string literal). A
// record being appended may lend a name from a std::string that lives
// until appendPoint returns; appendPoint copies it.
class Name {
public:
    constexpr Name() = default;
    constexpr Name(const char* text) : text_(text) {}
    Name(const std::string& text) : text_(text.c_str()) {}
    Name(std::string&&) = delete;  // a temporary would be gone before appendPoint copies it

    const char* c_str() const { return text_; }
    operator std::string_view() const { return text_; }
    bool empty() const { return *text_ == 0; }

    friend bool operator==(Name a, Name b) { return std::string_view(a) == std::string_view(b); }
    friend bool operator==(Name a, std::string_view b) { return std::string_view(a) == b; }
    friend bool operator==(Name a, const char* b) { return std::string_view(a) == b; }
    friend bool operator==(Name a, const std::string& b) { return std::string_view(a) == b; }

private:
    const char* text_ = "";
};

// One survey record. Units: metres and gon.
//   SN  station name (normalised)     N   point name (normalised)
//   X   first plane coordinate        Y   second plane coordinate
//   Z   height                        IH  instrument height at SN
//   TH  target (reflector) height     V   zenith angle
//   H   horizontal direction          SD  slope distance
//   Om  orientation of the station
//   code  the feature code the surveyor gave the shot (TREE, KERB, ...), ""
//         when none; kept in the name arena like SN and N, never normalised.
//         A reader with a code field names it like the others:
//         appendPoint(store, {..., .N = name, .code = code, .X = ...});
// isStation: the first record of a new instrument set-up.
// faceTwo:   the record repeats the preceding one in the second face.
// givenOm:   the orientation H is read against, when the file states it
//            (Zeiss "Om") or the H, V, SD run computed H with it
//            (hasGivenOm): the bearing of the target is H - givenOm.
// computed:  X, Y and Z were computed from the observations (ComputeXYZ),
//            not read.
// setUp:     the record is an instrument set-up: its X, Y, Z are the
//            station's from here on, zeros included.
// unreadable: an H, V or SD of the record could not be read, so nothing is
//            computed from its observations.
// code:      the feature code the instrument recorded with the point
//            ("TREE", "KERB"), empty when none; a reader keeps it by
//            writing .code = ... beside .N.
// The store keeps a record in 40 bytes: X, Y, Z, the three names as
// offsets into its name arena, and the index of the record's extras (the
// observations, the flags, IH, TH, Om and givenOm) when any of them is set,
// so that a list of coordinates takes about 50 bytes a point, names
// included, and an observation about 80. A
// Point is the whole record as a value: what a reader appends and what the
// store gives back.
struct Point {
    bool isStation = false;
    bool faceTwo = false;
    bool hasGivenOm = false;
    bool computed = false;
    bool setUp = false;
    bool unreadable = false;
    Name SN;
    Name N;
    Name code;
    double X = 0;
    double Y = 0;
    double Z = 0;
    double IH = 0;
    double TH = 0;
    double V = 0;
    double H = 0;
    double SD = 0;
    double Om = 0;
    double givenOm = 0;
};

// Asks the system to back the bytes at block, which start on a 2 MB
// boundary, with large pages where it gives them only when asked (Linux's
// usual setting); nothing elsewhere.
void askForLargePages(void* block, std::size_t bytes);

// Items in blocks that stay where they are while more are added, so that
// growing never copies, nor holds the old and the new block at once: the
// memory grows with the items. The first block holds 4096 items and every
// further one as many as all before it, so that a large list is a few large
// blocks. A block of 2 MB or more starts on a 2 MB boundary, where the
// system can back it with large pages (far fewer page faults on a million
// points); only the pages written take memory.
template <class T>
class Blocks {
    static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>);

public:
    static constexpr unsigned kShift = 12;
    static constexpr std::size_t kBlock = std::size_t{1} << kShift;

    Blocks() = default;
    Blocks(const Blocks&) = delete;
    Blocks& operator=(const Blocks&) = delete;
    Blocks(Blocks&& o) noexcept { swap(o); }
    Blocks& operator=(Blocks&& o) noexcept {
        Blocks gone(std::move(*this));
        swap(o);
        return *this;
    }
    ~Blocks() { clear(); }

    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return at(i); }
    const T& operator[](std::size_t i) const { return const_cast<Blocks*>(this)->at(i); }
    T& add() {
        if (size_ == capacity_) grow();
        return at(size_++);
    }
    void clear() {
        for (unsigned b = 0; b < count_; ++b) ::operator delete(blocks_[b], std::align_val_t{alignmentOf(b)});
        count_ = 0;
        size_ = capacity_ = 0;
    }

private:
    static constexpr std::size_t kLargePage = std::size_t{1} << 21;
    // Block 0 holds items [0, kBlock); block b >= 1 holds [kBlock << (b - 1), kBlock << b).
    static constexpr std::size_t itemsOf(unsigned b) { return b == 0 ? kBlock : kBlock << (b - 1); }
    static constexpr std::size_t alignmentOf(unsigned b) {
        return itemsOf(b) * sizeof(T) >= kLargePage ? kLargePage : alignof(std::max_align_t);
    }
    T& at(std::size_t i) {
        if (i < kBlock) return blocks_[0][i];
        const auto b = static_cast<unsigned>(std::bit_width(i >> kShift));
        return blocks_[b][i - (kBlock << (b - 1))];
    }
    void grow() {
        const std::size_t items = itemsOf(count_);
        void* block = ::operator new(items * sizeof(T), std::align_val_t{alignmentOf(count_)});
        if (alignmentOf(count_) == kLargePage) askForLargePages(block, items * sizeof(T));
        blocks_[count_] = static_cast<T*>(block);
        ++count_;
        capacity_ += items;
    }
    void swap(Blocks& o) noexcept {
        std::swap(blocks_, o.blocks_);
        std::swap(count_, o.count_);
        std::swap(size_, o.size_);
        std::swap(capacity_, o.capacity_);
    }

    std::array<T*, 64 - kShift> blocks_{};
    unsigned count_ = 0;
    std::size_t size_ = 0, capacity_ = 0;
};

// The texts of the names, each zero-terminated, in blocks that stay where
// they are while the store grows (and when it is moved). A text is known by
// a 32-bit offset: 0 is the empty text.
class NameArena {
public:
    NameArena() = default;
    NameArena(const NameArena&) = delete;
    NameArena& operator=(const NameArena&) = delete;
    NameArena(NameArena&&) = default;
    NameArena& operator=(NameArena&&) = default;

    // A copy of text, kept until clear. Throws std::length_error when the
    // arena's 4 GB are full.
    std::uint32_t keep(std::string_view text);
    const char* text(std::uint32_t offset) const {
        return offset ? windows_[offset >> kShift] + (offset & (kWindow - 1)) : "";
    }
    void clear();

private:
    static constexpr unsigned kShift = 16;
    static constexpr std::size_t kWindow = std::size_t{1} << kShift;

    // The blocks, each a whole number of windows; windows_ holds the start
    // of every window of every block, so that an offset finds its window.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<char*> windows_;
    std::size_t used_ = 0, size_ = 0;  // of the last block
};

// The records of a store, in the order they were added. Records are read as
// Points by value; update changes a record's values (its names stay).
class PointList {
public:
    class Iterator {
    public:
        using iterator_category = std::input_iterator_tag;
        using value_type = Point;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = Point;

        Iterator() = default;
        Iterator(const PointList* list, std::size_t i) : list_(list), i_(i) {}
        Point operator*() const { return (*list_)[i_]; }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        Iterator operator++(int) { return Iterator(list_, i_++); }
        Iterator operator+(std::ptrdiff_t n) const { return Iterator(list_, i_ + n); }
        std::ptrdiff_t operator-(const Iterator& o) const { return static_cast<std::ptrdiff_t>(i_ - o.i_); }
        std::size_t index() const { return i_; }
        friend bool operator==(const Iterator& a, const Iterator& b) { return a.i_ == b.i_; }

    private:
        const PointList* list_ = nullptr;
        std::size_t i_ = 0;
    };

    PointList() = default;
    PointList(PointList&&) = default;
    PointList& operator=(PointList&&) = default;
    // A list made by hand: the names are copied as they are.
    PointList(std::span<const Point> points);
    PointList(const std::vector<Point>& points) : PointList(std::span<const Point>(points)) {}
    PointList(std::initializer_list<Point> points) : PointList(std::span<const Point>(points.begin(), points.size())) {}

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.size() == 0; }
    Point operator[](std::size_t i) const {
        const Record& r = records_[i];
        Point p;
        p.SN = names_.text(r.SN);
        p.N = names_.text(r.N);
        p.code = names_.text(r.code);
        p.X = r.X;
        p.Y = r.Y;
        p.Z = r.Z;
        if (r.extras) {
            const Extras& e = extras_[r.extras - 1];
            p.isStation = e.flags & kIsStation;
            p.faceTwo = e.flags & kFaceTwo;
            p.hasGivenOm = e.flags & kHasGivenOm;
            p.computed = e.flags & kComputed;
            p.setUp = e.flags & kSetUp;
            p.unreadable = e.flags & kUnreadable;
            p.V = e.V;
            p.H = e.H;
            p.SD = e.SD;
            if (e.setting) {
                const Setting& s = settings_[e.setting - 1];
                p.IH = s.IH;
                p.TH = s.TH;
                p.Om = s.Om;
                p.givenOm = s.givenOm;
            }
        }
        return p;
    }
    // X, Y and Z of record i, without the rest of the record.
    std::array<double, 3> coordinates(std::size_t i) const {
        const Record& r = records_[i];
        return {r.X, r.Y, r.Z};
    }
    Point front() const { return (*this)[0]; }
    Point back() const { return (*this)[size() - 1]; }
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, size()); }

    // Adds p, its names copied as they are.
    void push_back(const Point& p);
    // The values of p (all but the names) become those of record i.
    void update(std::size_t i, const Point& p);
    // Record i changed by change(Point&), its names kept.
    template <class Change>
    void edit(std::size_t i, Change change) {
        Point p = (*this)[i];
        change(p);
        update(i, p);
    }
    void clear();

    // The name and code as the arena keeps them, for appendPoint.
    NameArena& names() { return names_; }
    void add(const Point& p, std::uint32_t sn, std::uint32_t n, std::uint32_t code);
    std::uint32_t snOffset(std::size_t i) const { return records_[i].SN; }
    std::uint32_t codeOffset(std::size_t i) const { return records_[i].code; }

private:
    enum : std::uint8_t {
        kIsStation = 1,
        kFaceTwo = 2,
        kHasGivenOm = 4,
        kComputed = 8,
        kSetUp = 16,
        kUnreadable = 32,
    };
    struct Record {
        double X, Y, Z;
        std::uint32_t SN, N, code;
        std::uint32_t extras;  // 1 + the index of the record's extras, 0: none
    };
    static_assert(sizeof(Record) == 40, "a million coordinates should stay near 50 MB");
    // The observations and flags of a record that has any. The heights and
    // orientations change from station to station, not from shot to shot,
    // so records in a row share them: setting is 1 + the index of their
    // values, 0 when all are 0.
    struct Extras {
        double V, H, SD;
        std::uint32_t setting;
        std::uint8_t flags;
    };
    static_assert(sizeof(Extras) == 32, "an observation should take 72 bytes with its record");
    struct Setting {
        double IH, TH, Om, givenOm;
    };
    void setExtras(Record& r, const Point& p);
    std::uint32_t settingOf(const Point& p, std::uint32_t now);

    Blocks<Record> records_;
    Blocks<Extras> extras_;
    Blocks<Setting> settings_;
    NameArena names_;
};

// No value: the send cursor is past the last record.
inline constexpr std::size_t kNoPoint = static_cast<std::size_t>(-1);

struct PointStore {
    PointList points;                   // the records, their names in its arena
    double orientation = 0;             // current orientation, copied into Om of new records
    std::size_t sendCursor = kNoPoint;  // index of the record to send next
};

// Appends p with SN and N normalised and copied into the store, code
// copied as it is. Readers
// fill every field by name:
//   appendPoint(store, {.isStation = mark, .SN = sn, .N = name, ..., .Om = store.orientation});
void appendPoint(PointStore& store, Point p);

void clearStore(PointStore& store);

// X, Y and Z all exactly 0: skipped by the offset step, every
// coordinate-based writer and the sender.
inline bool isZeroPoint(const Point& p) { return p.X == 0.0 && p.Y == 0.0 && p.Z == 0.0; }

}  // namespace tervan

// The Point store: the one list of survey records, in the order the reader
// appended them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
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
// A million records take about 110 MB: the names live in the store's
// arena, and the flags are bytes, together at the front.
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

// The texts of the names, each zero-terminated, in blocks that stay where
// they are while the store grows (and when it is moved).
class NameArena {
public:
    NameArena() = default;
    NameArena(const NameArena&) = delete;
    NameArena& operator=(const NameArena&) = delete;
    NameArena(NameArena&&) = default;
    NameArena& operator=(NameArena&&) = default;

    // A copy of text, kept until clear.
    const char* keep(std::string_view text);
    void clear();

private:
    static constexpr std::size_t kBlock = 1 << 16;

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = 0, size_ = 0;  // of the last block
};

// No value: the send cursor is past the last record.
inline constexpr std::size_t kNoPoint = static_cast<std::size_t>(-1);

struct PointStore {
    std::vector<Point> points;
    NameArena names;                    // the texts of the records' SN, N and code
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

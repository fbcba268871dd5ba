#include "readers/gsi.h"

#include <algorithm>
#include <cmath>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace tervan {
namespace {

// A word: its index (two digits), four information characters, a sign, the
// data and a blank. GSI-8 words carry 8 data characters, GSI-16 words 16;
// a GSI-16 block starts with "*". The last information character is the
// unit of the value.
constexpr std::size_t kInfo = 6;
constexpr std::size_t kUnit = 5;
constexpr std::size_t kGsi8Word = kInfo + 1 + 8;
constexpr std::size_t kGsi16Word = kInfo + 1 + 16;

// Words are taken from a block while its bytes come in, so a block without
// an end holds no more than this.
constexpr std::size_t kChunk = 4096;

constexpr double kMetresPerFoot = 0.3048;
constexpr double kGonPerRadian = 63.66197722844561;

// The station of the records before the first set-up, and of the station
// points themselves: a name no GSI point carries in practice, so H, V, SD
// finds no station for a station point and computes nothing for it.
constexpr const char* kNoStation = "#0";

enum class Kind { Angle, Length };

// What the last digit of the data counts, by unit code 0 to 8: the value in
// gon or metres is the data times factor divided by divisor.
struct Unit {
    Kind kind;
    double factor;
    double divisor;
};
constexpr Unit kUnits[] = {
    {Kind::Length, 1, 1e3},               // 0 metre, last digit 1 mm
    {Kind::Length, kMetresPerFoot, 1e3},  // 1 foot, 1/1000 ft
    {Kind::Angle, 1, 1e5},                // 2 gon, 0.00001 gon
    {Kind::Angle, 1, 9e4},                // 3 degree, 0.00001 degree (0.9 degree to the gon)
    {Kind::Angle, 1, 32400},              // 4 DDDMMSSs, turned into tenths of a second first
    {Kind::Angle, 1, 160000},             // 5 mil, 0.0001 mil (16 mil to the gon)
    {Kind::Length, 1, 1e4},               // 6 metre, 0.1 mm
    {Kind::Length, kMetresPerFoot, 1e4},  // 7 foot, 1/10000 ft
    {Kind::Length, 1, 1e5},               // 8 metre, 0.01 mm
};
constexpr char kSexagesimal = '4';

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value of a word in gon or metres; nothing when the sign and data are
// not a sign and digits, or the unit is not one of kind.
std::optional<double> valueOf(std::string_view word, Kind kind) {
    const char sign = word[kInfo];
    const char code = word[kUnit];
    if ((sign != '+' && sign != '-') || code < '0' || code > '8') return std::nullopt;
    const Unit& unit = kUnits[code - '0'];
    if (unit.kind != kind) return std::nullopt;
    std::int64_t n = 0;
    for (char c : word.substr(kInfo + 1)) {
        if (!isDigit(c)) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (code == kSexagesimal) {
        const std::int64_t minutes = n / 1000 % 100, seconds = n / 10 % 100;
        if (minutes >= 60 || seconds >= 60) return std::nullopt;
        n = ((n / 100000 * 60 + minutes) * 60 + seconds) * 10 + n % 10;
    }
    // Negated as an integer, so that -00000000 gives 0, not -0.
    if (sign == '-') n = -n;
    return static_cast<double>(n) * unit.factor / unit.divisor;
}

// The data of word 11 without the blanks and zeros that pad it on the left;
// a name of zeros only is 0.
std::string pointName(std::string_view data) {
    data.remove_prefix(std::min(data.find_first_not_of(' '), data.size()));
    const std::size_t first = data.find_first_not_of('0');
    if (first == std::string_view::npos) return data.empty() ? "" : "0";
    return std::string(data.substr(first));
}

// The data of a code word (71 to 79) without the zeros and blanks that pad
// it; zeros only are no code.
std::string codeText(std::string_view data) {
    data.remove_prefix(std::min(data.find_first_not_of(" 0"), data.size()));
    data.remove_suffix(data.size() - std::min(data.find_last_not_of(' ') + 1, data.size()));
    return std::string(data);
}

// The words of one block that the reader uses; each is absent until read.
// HD and dH (words 32 and 33) stand in for V and SD when the block has no
// slope distance.
struct Block {
    std::optional<std::string> name;
    std::string code;
    int codeIndex = 0;  // the word the code came from
    std::optional<double> H, V, SD, X, Y, Z, stationX, stationY, stationZ, TH, IH, HD, dH;
    // An H, V or SD word that could not be read (not digits, a length unit
    // on an angle, 60 minutes) and no good word of its index after it.
    bool brokenH = false, brokenV = false, brokenSD = false;
};

// The numeric words by index. The others (codes, remarks, ppm, indices not
// known here) are skipped.
struct Slot {
    int index;
    std::optional<double> Block::*field;
    Kind kind;
    bool Block::*broken = nullptr;  // observations: marked when the word cannot be read
};
constexpr Slot kSlots[] = {
    {21, &Block::H, Kind::Angle, &Block::brokenH},
    {22, &Block::V, Kind::Angle, &Block::brokenV},
    {31, &Block::SD, Kind::Length, &Block::brokenSD},
    {32, &Block::HD, Kind::Length},       {33, &Block::dH, Kind::Length},
    {81, &Block::Y, Kind::Length},        {82, &Block::X, Kind::Length},        {83, &Block::Z, Kind::Length},
    {84, &Block::stationY, Kind::Length}, {85, &Block::stationX, Kind::Length}, {86, &Block::stationZ, Kind::Length},
    {87, &Block::TH, Kind::Length},       {88, &Block::IH, Kind::Length},
};
constexpr int kPointName = 11;
// The code and the remarks or attributes after it: the point's code is the
// first of them that the block holds, by index.
constexpr int kFirstCode = 71, kLastCode = 79;

// kSlots by word index, -1 for indices without a slot.
constexpr auto kSlotOf = [] {
    std::array<int, 100> slotOf{};
    slotOf.fill(-1);
    for (std::size_t i = 0; i < std::size(kSlots); ++i) slotOf[kSlots[i].index] = static_cast<int>(i);
    return slotOf;
}();

class GsiReader {
public:
    explicit GsiReader(ReaderContext& ctx) : ctx_(ctx) {}

    // Bytes of the block, none of them a CR or LF.
    void add(std::string_view bytes) {
        while (!bytes.empty()) {
            const std::size_t n = std::min(bytes.size(), pending_.size() - size_);
            std::memcpy(pending_.data() + size_, bytes.data(), n);
            size_ += n;
            bytes.remove_prefix(n);
            // Whole words are taken, so that at most the 23 bytes of a word
            // cut short stay behind.
            if (size_ == pending_.size()) takeWords(false);
        }
    }

    // A line of blanks only is no block and is not counted.
    void endBlock() {
        takeWords(true);
        if (started_) finishBlock();
        block_ = {};
        width_ = kGsi8Word;
        started_ = skipping_ = false;
    }

private:
    // Takes the complete words at the front of the pending bytes. A word
    // must be followed by a blank or the end of its block, so before the
    // block ends its last word waits for the byte after it. A short or
    // broken word is skipped up to the next blank, where the next word
    // starts.
    void takeWords(bool blockEnd) {
        const std::string_view text(pending_.data(), size_);
        std::size_t pos = 0;
        if (skipping_) {
            pos = std::min(text.find(' '), text.size());
            skipping_ = pos == text.size() && !blockEnd;
        }
        while (pos < text.size()) {
            pos = std::min(text.find_first_not_of(' ', pos), text.size());
            if (pos == text.size()) break;
            if (!started_) {
                started_ = true;
                if (text[pos] == '*') {
                    width_ = kGsi16Word;
                    ++pos;
                    continue;
                }
            }
            if (!blockEnd && text.size() - pos <= width_) break;
            const std::string_view word = text.substr(pos, width_);
            const std::size_t after = pos + word.size();
            if (word.size() == width_ && (after == text.size() || text[after] == ' ')) {
                takeWord(word);
                pos = after;
                continue;
            }
            pos = std::min(text.find(' ', pos), text.size());
            skipping_ = pos == text.size() && !blockEnd;
        }
        size_ -= pos;
        std::memmove(pending_.data(), pending_.data() + pos, size_);
    }

    void takeWord(std::string_view word) {
        if (!isDigit(word[0]) || !isDigit(word[1])) return;
        const int index = (word[0] - '0') * 10 + (word[1] - '0');
        if (index == kPointName) {
            block_.name = pointName(word.substr(kInfo + 1));
            return;
        }
        if (index >= kFirstCode && index <= kLastCode) {
            if (block_.codeIndex != 0 && block_.codeIndex < index) return;
            std::string code = codeText(word.substr(kInfo + 1));
            if (code.empty()) return;
            block_.code = std::move(code);
            block_.codeIndex = index;
            return;
        }
        // 330 to 339 are the staff readings of a digital level, not a
        // height difference.
        if (kSlotOf[index] < 0 || (index == 33 && isDigit(word[2]))) return;
        // A value that cannot be read leaves the field as it was; a broken
        // observation marks the record, unless a good word of the same
        // index follows.
        const Slot& slot = kSlots[kSlotOf[index]];
        const auto value = valueOf(word, slot.kind);
        if (value) block_.*slot.field = value;
        if (slot.broken) block_.*slot.broken = !value;
    }

    // A block with an observation or target coordinates is a record; one
    // with station coordinates or an instrument height alone is a set-up.
    // Heights hold until the file gives them again.
    void finishBlock() {
        ++ctx_.result.linesRead;
        Block& b = block_;
        if (b.TH) TH_ = *b.TH;
        if (b.IH) IH_ = *b.IH;
        // Horizontal distance and height difference without a slope
        // distance: the zenith angle and the slope distance follow from them.
        if (!b.SD && !b.brokenSD && b.HD && b.dH) {
            b.SD = std::hypot(*b.HD, *b.dH);
            if (!b.V && !b.brokenV) b.V = std::atan2(*b.HD, *b.dH) * kGonPerRadian;
        }
        const bool broken = b.brokenH || b.brokenV || b.brokenSD;
        if (b.H || b.V || b.SD || b.X || b.Y || b.Z || broken) {
            const std::string name = b.name.value_or("");
            appendRecord(ctx_, {.isStation = stationMark_,
                                .unreadable = broken,
                                .SN = station_,
                                .N = name,
                                .code = b.code,
                                .X = b.X.value_or(0),
                                .Y = b.Y.value_or(0),
                                .Z = b.Z.value_or(0),
                                .IH = IH_,
                                .TH = TH_,
                                .V = b.V.value_or(0),
                                .H = b.H.value_or(0),
                                .SD = b.SD.value_or(0)});
            stationMark_ = false;
        } else if (b.stationX || b.stationY || b.stationZ || b.IH) {
            setUp(b);
        } else if (!b.TH) {
            ++ctx_.result.linesIgnored;
        }
    }

    // The mark goes on the next record; the station point is a record of its
    // own, appended once when the instrument repeats the same set-up block.
    void setUp(const Block& b) {
        if (b.name) station_ = *b.name;
        stationMark_ = true;
        if (!b.stationX && !b.stationY && !b.stationZ) return;
        Point p{.isStation = false,
                .setUp = true,
                .SN = kNoStation,
                .N = station_,
                .code = b.code,
                .X = b.stationX.value_or(0),
                .Y = b.stationY.value_or(0),
                .Z = b.stationZ.value_or(0),
                .IH = IH_,
                .TH = TH_};
        const bool repeated = ctx_.store.points.size() == stationEnd_ && station_ == lastStationName_ &&
                              p.X == lastStation_.X && p.Y == lastStation_.Y && p.Z == lastStation_.Z &&
                              p.IH == lastStation_.IH;
        if (repeated) return;
        lastStation_ = p;
        lastStationName_ = station_;
        appendRecord(ctx_, p);
        stationEnd_ = ctx_.store.points.size();
    }

    ReaderContext& ctx_;
    // The block being read.
    std::array<char, kChunk> pending_;
    std::size_t size_ = 0;
    Block block_;
    std::size_t width_ = kGsi8Word;
    bool started_ = false;   // its first byte that is not a blank was seen
    bool skipping_ = false;  // inside a broken word
    // Carried from block to block. The first record opens a station, so that
    // a file without set-ups still gives an observation list with a station.
    std::string station_ = kNoStation;
    double IH_ = 0, TH_ = 0;
    bool stationMark_ = true;
    Point lastStation_;
    std::string lastStationName_;
    std::size_t stationEnd_ = kNoPoint;  // the store's size right after lastStation_ was appended
};

}  // namespace

// CR, LF and CR LF each end a block; the empty line between a CR and its LF
// is no block.
void readGsi(Input& input, ReaderContext& ctx) {
    GsiReader reader(ctx);
    for (std::string_view bytes; !(bytes = input.peek()).empty();) {
        // One pass to the first line end: a search for CR over the whole
        // piece would read it to its end at every line of a file of LFs.
        const std::size_t end = bytes.find_first_of("\r\n");
        reader.add(bytes.substr(0, end));
        if (end != std::string_view::npos) {
            reader.endBlock();
            input.skip(end + 1);
        } else {
            input.skip(bytes.size());
        }
    }
    reader.endBlock();
}

}  // namespace tervan

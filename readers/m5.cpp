#include "readers/m5.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "core/numbers.h"
#include "readers/setup.h"
#include "readers/units.h"

namespace tervan {
namespace {

constexpr std::string_view kM5 = "For M5|";
constexpr std::string_view kR4 = "For R4|";
constexpr std::string_view kR5 = "For R5|";

// The code that marks a station's point identification; "A" (a reference
// point) needs nothing of its own.
constexpr std::string_view kStationCode = "S";

// The value tags of the levelling lines: a line that has one is a digital
// level's, not a total station's.
constexpr std::string_view kLevelTags[] = {"Rb", "Rf", "Rz", "Db", "Df", "Sh"};

// The M5 point identification: 27 characters holding an information
// block of 7, a code of 5 and a point number of 12, where the instrument
// is set to put them. The header lines "20", "21" and "22" give the
// positions (counted from 1); without them the point number either ends in
// the last column (information, code, number) or sits in columns 8 to 19
// (information, number, code).
constexpr std::size_t kGuess = static_cast<std::size_t>(-1);
struct Layout {
    std::size_t code = kGuess, point = kGuess;  // first column, from 0; kGuess: not known
};
constexpr std::size_t kInfoWidth = 27, kCodeWidth = 5, kPointWidth = 12;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    std::size_t first = 0, end = text.size();
    while (first < end && isBlank(text[first])) ++first;
    while (end > first && isBlank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::optional<AngleUnit> angleUnit(std::string_view unit) {
    if (sameLetters(unit, "gon") || sameLetters(unit, "grd")) return AngleUnit::Gon;
    if (sameLetters(unit, "DMS")) return AngleUnit::Dms;
    if (sameLetters(unit, "deg")) return AngleUnit::Degrees;
    if (sameLetters(unit, "mil")) return AngleUnit::Mils;
    return std::nullopt;
}

std::optional<double> metresPer(std::string_view unit) {
    if (unit.empty() || unit == "m") return 1.0;
    if (unit == "ft") return kMetresPerFoot;
    return std::nullopt;
}

// A value block: its type identifier, the value and its unit.
struct Block {
    std::string_view tag, value, unit;
};

Block cutBlock(std::string_view block) {
    Block b;
    b.tag = trimmed(block.substr(0, 2));
    std::string_view rest = trimmed(block.substr(std::min<std::size_t>(2, block.size())));
    std::size_t blank = 0;
    while (blank < rest.size() && !isBlank(rest[blank])) ++blank;
    b.value = rest.substr(0, blank);
    b.unit = trimmed(rest.substr(blank));
    return b;
}

// What one line gives, in gon and metres; each is absent until read.
struct Values {
    std::optional<double> H, V, SD, HD, dZ, X, Y, Z, TH, IH;
    bool orientation = false;  // an "Om" block
    bool unreadAngle = false;  // a vertical angle of a kind not read (V3, V4)
    bool any = false;  // a block that the reader takes
    bool level = false;  // a levelling block
};

void take(Values& v, const Block& b) {
    auto angle = [&](std::optional<double>& field, double zero, double sign) {
        auto unit = angleUnit(b.unit);
        if (!unit) return;
        if (auto gon = angleToGon(b.value, *unit)) {
            field = zero + sign * *gon;
            v.any = true;
        }
    };
    auto length = [&](std::optional<double>& field) {
        auto per = metresPer(b.unit);
        if (!per) return;
        if (auto metres = lengthToMetres(b.value, *per)) {
            field = *metres;
            v.any = true;
        }
    };
    for (std::string_view level : kLevelTags)
        if (b.tag == level) v.level = true;
    if (b.tag == "Hz")
        angle(v.H, 0, 1);
    else if (b.tag == "V1")
        angle(v.V, 0, 1);  // zenith angle
    else if (b.tag == "V2")
        angle(v.V, 100, -1);  // from the horizon, up positive
    else if (b.tag == "V3" || b.tag == "V4")
        v.unreadAngle = true;
    else if (b.tag == "SD")
        length(v.SD);
    else if (b.tag == "HD")
        length(v.HD);
    else if (b.tag == "h")
        length(v.dZ);
    else if (b.tag == "X")
        length(v.X);
    else if (b.tag == "Y")
        length(v.Y);
    else if (b.tag == "Z")
        length(v.Z);
    else if (b.tag == "th")
        length(v.TH);
    else if (b.tag == "ih")
        length(v.IH);
    else if (b.tag == "Om" && angleUnit(b.unit)) {
        v.orientation = true;
        v.any = true;
    }
}

// A horizontal distance gives the slope distance with the vertical angle or
// the height difference beside it; alone, the sight is taken as level.
void slopeFromHorizontal(Values& v) {
    if (v.SD || !v.HD) return;
    if (v.V) {
        const double s = std::sin(*v.V / 200 * std::numbers::pi);
        if (s != 0) v.SD = *v.HD / s;
    } else if (v.dZ) {
        v.SD = std::hypot(*v.HD, *v.dZ);
        v.V = std::atan2(*v.HD, *v.dZ) * 200 / std::numbers::pi;
    } else {
        v.SD = *v.HD;
        v.V = 100.0;
    }
}

// An observation waiting for the coordinates the instrument computed for
// it, with the heights and orientation it was measured with.
struct Pending {
    std::string name, code;
    std::optional<double> H, V, SD, X, Y, Z;
    double IH = 0, TH = 0;
    bool oriented = false;
};

class M5Reader {
public:
    explicit M5Reader(ReaderContext& ctx) : ctx_(ctx) {}

    bool line(std::string_view l) {
        bool r45 = false;
        if (l.starts_with(kR4) || l.starts_with(kR5))
            r45 = true;
        else if (!l.starts_with(kM5))
            return false;
        std::array<std::string_view, 6> f{};
        std::size_t n = 0, start = 0;
        while (n < f.size() && start <= l.size()) {
            std::size_t bar = l.find('|', start);
            if (bar == std::string_view::npos) bar = l.size();
            f[n++] = l.substr(start, bar - start);
            start = bar + 1;
        }
        if (n < 3) return false;
        // The record type: two characters for R4/R5, four for M5; the point
        // identification or text follows.
        const std::size_t typeWidth = r45 ? 3 : 4;
        const std::string_view type = trimmed(f[2].substr(0, typeWidth));
        const std::string_view info = f[2].substr(std::min(typeWidth, f[2].size()));

        // Point lines (M5 "PI1" to "PI0"; in R4/R5 every type but text) and
        // text lines; the M5 levelling lines' types ("KD1", "TO") are left to
        // the levelling.
        const bool text = type == (r45 ? "TR" : "TI");
        const bool point = r45 ? !text : type.starts_with("PI");
        if (!text && !point) return false;
        Values v;
        for (std::size_t i = 3; i < n; ++i) {
            const Block b = cutBlock(f[i]);
            if (!r45 && text) layoutFrom(b);
            take(v, b);
        }
        if (v.level || v.unreadAngle) return false;
        if (v.TH) s_.TH = *v.TH;
        if (v.IH) s_.IH = *v.IH;
        if (v.orientation) orient();
        if (text) return true;
        std::string name, code;
        identify(info, r45, name, code);
        slopeFromHorizontal(v);
        const bool observation = v.H || v.V || v.SD;
        const bool coordinates = v.X || v.Y || v.Z;
        if (code == kStationCode) {
            flush();
            openStation(ctx_, s_, name, s_.IH, v.X.value_or(0), v.Y.value_or(0), v.Z.value_or(0));
            // An orientation computed just before the station line (from
            // coordinates) is the new station's.
            if (orientedSinceRecord_) orient();
            return true;
        }
        if (!observation && !coordinates) return v.any;
        // The coordinates the instrument computed for the point just
        // measured join its observation.
        if (!observation && pending_ && pending_->name == name && !pending_->X && !pending_->Y && !pending_->Z) {
            pending_->X = v.X;
            pending_->Y = v.Y;
            pending_->Z = v.Z;
            flush();
            return true;
        }
        flush();
        pending_ = Pending{.name = name,
                           .code = code,
                           .H = v.H,
                           .V = v.V,
                           .SD = v.SD,
                           .X = v.X,
                           .Y = v.Y,
                           .Z = v.Z,
                           .IH = s_.IH,
                           .TH = s_.TH,
                           .oriented = s_.oriented};
        // An observation waits for coordinates that may follow; a point of
        // coordinates alone is complete.
        if (!observation) flush();
        return true;
    }

    void flush() {
        if (!pending_) return;
        const Pending& p = *pending_;
        appendRecord(ctx_, {.isStation = s_.opens,
                            .hasGivenOm = p.oriented,
                            .SN = s_.station,
                            .N = p.name,
                            .code = p.code,
                            .X = p.X.value_or(0),
                            .Y = p.Y.value_or(0),
                            .Z = p.Z.value_or(0),
                            .IH = p.IH,
                            .TH = p.TH,
                            .V = p.V.value_or(0),
                            .H = p.H.value_or(0),
                            .SD = p.SD.value_or(0)});
        s_.opens = false;
        orientedSinceRecord_ = false;
        pending_.reset();
    }

private:
    // Once the instrument is oriented its Hz are bearings.
    void orient() {
        s_.oriented = true;
        s_.givenOm = 0;
        orientedSinceRecord_ = true;
    }

    // The header's positions of the code ("21") and the point number ("22").
    void layoutFrom(const Block& b) {
        const double at = toNumber(b.value);
        if (at < 1 || at > kInfoWidth) return;
        if (b.tag == "21") layout_.code = static_cast<std::size_t>(at) - 1;
        if (b.tag == "22") layout_.point = static_cast<std::size_t>(at) - 1;
    }

    void identify(std::string_view info, bool r45, std::string& name, std::string& code) const {
        auto part = [&](std::size_t from, std::size_t width) {
            return from >= info.size() ? std::string() : std::string(trimmed(info.substr(from, width)));
        };
        if (r45) {
            // R4/R5: three characters of code, four of point number.
            code = part(0, 3);
            name = part(3, 4);
            return;
        }
        std::size_t codeAt = layout_.code, pointAt = layout_.point;
        if (codeAt == kGuess || pointAt == kGuess) {
            const bool numberLast = info.size() >= kInfoWidth && !isBlank(info[kInfoWidth - 1]);
            codeAt = numberLast ? 10 : 19;
            pointAt = numberLast ? 15 : 7;
        }
        code = part(codeAt, kCodeWidth);
        name = part(pointAt, kPointWidth);
    }

    ReaderContext& ctx_;
    Layout layout_;
    std::optional<Pending> pending_;
    SetUp s_;
    bool orientedSinceRecord_ = false;  // an "Om" line came after the last record
};

}  // namespace

void readM5(Input& input, ReaderContext& ctx) {
    M5Reader reader(ctx);
    forEachLine(input, ctx.result, [&](std::string_view line) { return reader.line(line); });
    reader.flush();
}

}  // namespace tervan

#include "core/point_store.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "core/text.h"

namespace tervan {
namespace {

// The name as normaliseName gives it; most names need nothing done.
std::uint32_t keepNormalised(NameArena& names, std::string_view name) {
    if (isNormalised(name)) return names.keep(name);
    return names.keep(normaliseName(name));
}

// A value is set when it is not +0: a -0 is kept as well.
bool isSet(double v) { return std::bit_cast<std::uint64_t>(v) != 0; }

}  // namespace

static_assert(sizeof(PointList::Iterator) <= 16);

void askForLargePages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef __linux__
    madvise(block, bytes, MADV_HUGEPAGE);  // a refusal leaves ordinary pages
#endif
}

std::uint32_t NameArena::keep(std::string_view text) {
    if (text.empty()) return 0;
    const std::size_t needed = text.size() + 1;
    if (blocks_.empty() || size_ - used_ < needed) {
        // A block of whole windows, one for most names. Offset 0 is the
        // empty text, so the first block starts a byte in.
        const std::size_t start = blocks_.empty() ? 1 : 0;
        const std::size_t windows = (start + needed + kWindow - 1) / kWindow;
        if (windows_.size() + windows > (std::size_t{1} << (32 - kShift)))
            throw std::length_error("more than 4 GB of point names");
        size_ = windows * kWindow;
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(size_));
        for (std::size_t w = 0; w < windows; ++w) windows_.push_back(blocks_.back().get() + w * kWindow);
        used_ = start;
    }
    const std::size_t offset = (windows_.size() - size_ / kWindow) * kWindow + used_;
    char* copy = blocks_.back().get() + used_;
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = 0;
    used_ += needed;
    return static_cast<std::uint32_t>(offset);
}

void NameArena::clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    windows_.clear();
    windows_.shrink_to_fit();
    used_ = size_ = 0;
}

PointList::PointList(std::span<const Point> points) {
    for (const Point& p : points) push_back(p);
}

// The values of p that records share: those of the record's setting now
// when they have not changed, else those of the setting added last when
// they are the same, else a new setting.
std::uint32_t PointList::settingOf(const Point& p, std::uint32_t now) {
    if (!isSet(p.IH) && !isSet(p.TH) && !isSet(p.Om) && !isSet(p.givenOm)) return 0;
    const Setting s{p.IH, p.TH, p.Om, p.givenOm};
    auto same = [&s](const Setting& o) { return std::memcmp(&s, &o, sizeof s) == 0; };
    if (now && same(settings_[now - 1])) return now;
    const std::size_t last = settings_.size();
    if (last && same(settings_[last - 1])) return static_cast<std::uint32_t>(last);
    if (last >= UINT32_MAX) throw std::length_error("more than 4 billion heights and orientations");
    settings_.add() = s;
    return static_cast<std::uint32_t>(last + 1);
}

void PointList::setExtras(Record& r, const Point& p) {
    const std::uint8_t flags = (p.isStation ? kIsStation : 0) | (p.faceTwo ? kFaceTwo : 0) |
                               (p.hasGivenOm ? kHasGivenOm : 0) | (p.computed ? kComputed : 0) |
                               (p.setUp ? kSetUp : 0) | (p.unreadable ? kUnreadable : 0);
    const std::uint32_t setting = settingOf(p, r.extras ? extras_[r.extras - 1].setting : 0);
    if (!flags && !setting && !isSet(p.V) && !isSet(p.H) && !isSet(p.SD) && !r.extras) return;
    if (!r.extras) {
        if (extras_.size() >= UINT32_MAX) throw std::length_error("more than 4 billion records");
        extras_.add();
        r.extras = static_cast<std::uint32_t>(extras_.size());
    }
    extras_[r.extras - 1] = {p.V, p.H, p.SD, setting, flags};
}

void PointList::add(const Point& p, std::uint32_t sn, std::uint32_t n, std::uint32_t code) {
    Record& r = records_.add();
    r = {p.X, p.Y, p.Z, sn, n, code, 0};
    setExtras(r, p);
}

void PointList::push_back(const Point& p) { add(p, names_.keep(p.SN), names_.keep(p.N), names_.keep(p.code)); }

void PointList::update(std::size_t i, const Point& p) {
    Record& r = records_[i];
    r.X = p.X;
    r.Y = p.Y;
    r.Z = p.Z;
    setExtras(r, p);
}

void PointList::clear() {
    records_.clear();
    extras_.clear();
    settings_.clear();
    names_.clear();
}

void appendPoint(PointStore& store, Point p) {
    PointList& points = store.points;
    NameArena& names = points.names();
    // Records of one station share its name, as the store keeps it.
    // A name the record before keeps is normalised already (normalising
    // twice changes nothing), so the common case skips normalising.
    const std::size_t n = points.size();
    const std::uint32_t before = n ? points.snOffset(n - 1) : 0;
    std::string_view station = p.SN;
    std::string normalised;
    bool same = n && names.text(before) == station;
    if (!same && !isNormalised(station)) {
        station = normalised = normaliseName(station);
        same = n && names.text(before) == station;
    }
    const std::uint32_t sn = same ? before : names.keep(station);
    const std::uint32_t name = keepNormalised(names, p.N);
    // Shots in a row often share their code.
    const std::uint32_t code = p.code.empty()                                                ? 0
                               : n && names.text(points.codeOffset(n - 1)) == std::string_view(p.code)
                                   ? points.codeOffset(n - 1)
                                   : names.keep(p.code);
    points.add(p, sn, name, code);
}

void clearStore(PointStore& store) { store.points.clear(); }

}  // namespace tervan

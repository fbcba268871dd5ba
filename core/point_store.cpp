#include "core/point_store.h"

#include <algorithm>
#include <cstring>

#include "core/text.h"

namespace tervan {
namespace {

// The name as normaliseName gives it; most names need nothing done.
const char* keepNormalised(NameArena& names, std::string_view name) {
    if (isNormalised(name)) return names.keep(name);
    return names.keep(normaliseName(name));
}

}  // namespace

static_assert(sizeof(Point) <= 112, "a million records should stay near 110 MB");

const char* NameArena::keep(std::string_view text) {
    const std::size_t needed = text.size() + 1;
    if (blocks_.empty() || size_ - used_ < needed) {
        size_ = std::max(kBlock, needed);
        blocks_.push_back(std::make_unique<char[]>(size_));
        used_ = 0;
    }
    char* copy = blocks_.back().get() + used_;
    if (!text.empty()) std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = 0;
    used_ += needed;
    return copy;
}

void NameArena::clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    used_ = size_ = 0;
}

void appendPoint(PointStore& store, Point p) {
    // Records of one station share its name.
    const Point* last = store.points.empty() ? nullptr : &store.points.back();
    p.SN = last && last->SN == std::string_view(p.SN) ? last->SN : keepNormalised(store.names, p.SN);
    p.N = keepNormalised(store.names, p.N);
    // Shots in a row often share their code.
    // An empty code may be lent by a reader too: it becomes the store's own "".
    if (p.code.empty())
        p.code = Name();
    else
        p.code = last && last->code == p.code ? last->code : store.names.keep(p.code);
    store.points.push_back(p);
}

void clearStore(PointStore& store) {
    store.points.clear();
    store.points.shrink_to_fit();
    store.names.clear();
}

}  // namespace tervan

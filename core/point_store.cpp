#include "core/point_store.h"

#include "core/text.h"

namespace tervan {

void appendPoint(PointStore& store, Point p) {
    p.SN = normaliseName(p.SN);
    p.N = normaliseName(p.N);
    store.points.push_back(std::move(p));
}

void clearStore(PointStore& store) {
    store.points.clear();
    store.points.shrink_to_fit();
}

}  // namespace tervan

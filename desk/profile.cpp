#include "desk/profile.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>

#include "core/mik.h"
#include "core/point_store.h"
#include "core/printf.h"

namespace tervan::desk {
namespace {

// Pixels per metre, either way.
constexpr double kMinScale = 1e-4;
constexpr double kMaxScale = 1e7;
// A job of one point is shown this many metres along and up.
constexpr double kSingleAlong = 50;
constexpr double kSingleHeight = 1;
// About this many ticks on each axis.
constexpr double kTicksAlong = 6;
constexpr double kTicksUp = 5;
constexpr int kMaxTicks = 20;

double clampScale(double s) { return std::clamp(s, kMinScale, kMaxScale); }

// A round step (1, 2 or 5 times a power of ten) near span / ticks.
double tickStep(double span, double ticks) {
    const double rough = span / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough) return m * power;
    return 10 * power;
}

int decimalsOf(double step) { return std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9))); }

std::string utf8(std::string_view mik) {
    std::string out;
    appendMikAsUtf8(out, mik);
    return out;
}

// The second cell of a levelling row: its point's name.
std::string_view nameCell(std::string_view row) {
    const auto first = row.find('\t');
    if (first == std::string_view::npos) return {};
    const auto second = row.find('\t', first + 1);
    return row.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1);
}

// The misclosure in the words of the lines' summaries.
std::string misclosureText(double metres) { return strf("misclosure %+.1f mm", std::round(metres * 1e4) / 10 + 0.0); }

Ink closingInk(Closing c) { return c == Closing::Within ? Ink::Good : c == Closing::Over ? Ink::Failure : Ink::Point; }

bool closes(const LineProfile& line) { return line.closure.closing != Closing::NotClosed; }

}  // namespace

void Profile::load(std::vector<LineProfile> lines, const std::vector<std::string>& rows) {
    lines_ = std::move(lines);
    offsets_.clear();
    items_.clear();
    rowItem_.assign(rows.size(), kNoPoint);
    bool first = true;
    auto extend = [&](double along, double height) {
        if (!std::isfinite(along) || !std::isfinite(height)) return;
        if (first) {
            minAlong_ = maxAlong_ = along;
            minHeight_ = maxHeight_ = height;
            first = false;
        }
        minAlong_ = std::min(minAlong_, along);
        maxAlong_ = std::max(maxAlong_, along);
        minHeight_ = std::min(minHeight_, height);
        maxHeight_ = std::max(maxHeight_, height);
    };
    double offset = 0;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        const LineProfile& line = lines_[l];
        offsets_.push_back(offset);
        double end = 0;
        for (std::size_t p = 0; p < line.points.size(); ++p) {
            const ProfilePoint& point = line.points[p];
            items_.push_back({offset + point.distance, point.height, l, p});
            extend(offset + point.distance, point.height);
            if (point.fore) extend(offset + point.setUpAt, point.sightHeight);
            end = std::max(end, point.distance);
        }
        offset += end;
    }
    // Each row of a line names one of its points, the nearest of that name.
    std::size_t item = 0;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        const std::size_t count = lines_[l].points.size();
        std::unordered_map<std::string_view, std::vector<std::size_t>> byName;
        for (std::size_t i = item; i < item + count; ++i) byName[lines_[l].points[items_[i].point].name].push_back(i);
        const std::size_t from = lines_[l].firstRow;
        const std::size_t to = l + 1 < lines_.size() ? lines_[l + 1].firstRow : rows.size();
        for (std::size_t r = from; r < std::min(to, rows.size()); ++r) {
            const auto named = byName.find(nameCell(rows[r]));
            if (named == byName.end()) continue;
            auto distance = [&](std::size_t i) {
                const std::size_t at = lines_[l].points[items_[i].point].row;
                return at > r ? at - r : r - at;
            };
            rowItem_[r] = *std::min_element(named->second.begin(), named->second.end(),
                                            [&](std::size_t a, std::size_t b) { return distance(a) < distance(b); });
        }
        item += count;
    }
    placeTop();
    fit();
}

const ProfileItem* Profile::itemOfRow(std::size_t row) const {
    return row < rowItem_.size() && rowItem_[row] != kNoPoint ? &items_[rowItem_[row]] : nullptr;
}

void Profile::resize(int width, int height) {
    width_ = width;
    height_ = height;
    placeTop();
    if (fitted_) fit();
}

// With more lines than kMaxCaptions, the room of the longest summary.
void Profile::placeTop() {
    std::size_t most = 0;
    if (lines_.size() > kMaxCaptions) {
        for (const LineProfile& line : lines_) most = std::max(most, captions({&line}).size());
    } else {
        most = captions(kNoPoint).size();
    }
    top_ = kMargin + kTextLine * static_cast<double>(most + 1);
}

void Profile::fit() {
    fitted_ = true;
    const double across = std::max(1.0, right() - left()), down = std::max(1.0, bottom() - top());
    const double along = maxAlong_ - minAlong_, up = maxHeight_ - minHeight_;
    scaleAlong_ = clampScale(across / (along > 0 ? along : kSingleAlong));
    // A tenth of the height's span is left above and below, for the labels.
    scaleHeight_ = clampScale(down / (up > 0 ? up * 1.2 : kSingleHeight));
    centreAlong_ = (minAlong_ + maxAlong_) / 2;
    centreHeight_ = (minHeight_ + maxHeight_) / 2;
}

ScreenPoint Profile::toScreen(double along, double height) const {
    return {(left() + right()) / 2 + (along - centreAlong_) * scaleAlong_,
            (top() + bottom()) / 2 - (height - centreHeight_) * scaleHeight_};
}

void Profile::zoom(ScreenPoint anchor, double factor) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const double midX = (left() + right()) / 2, midY = (top() + bottom()) / 2;
    const double along = centreAlong_ + (anchor.x - midX) / scaleAlong_;
    const double height = centreHeight_ - (anchor.y - midY) / scaleHeight_;
    scaleAlong_ = clampScale(scaleAlong_ * factor);
    scaleHeight_ = clampScale(scaleHeight_ * factor);
    centreAlong_ = along - (anchor.x - midX) / scaleAlong_;
    centreHeight_ = height + (anchor.y - midY) / scaleHeight_;
    fitted_ = false;
}

void Profile::pan(double dx, double dy) {
    centreAlong_ -= dx / scaleAlong_;
    centreHeight_ += dy / scaleHeight_;
    fitted_ = false;
}

std::size_t Profile::hit(ScreenPoint s) const {
    std::size_t best = kNoPoint;
    double bestDistance = kHitRadius * kHitRadius;
    for (const ProfileItem& item : items_) {
        const ScreenPoint at = toScreen(item.along, item.height);
        const double d = (at.x - s.x) * (at.x - s.x) + (at.y - s.y) * (at.y - s.y);
        if (d <= bestDistance && (best == kNoPoint || d < bestDistance)) {
            best = lines_[item.line].points[item.point].row;
            bestDistance = d;
        }
    }
    return best;
}

const LineProfile* Profile::lineOfRow(std::size_t row) const {
    if (const ProfileItem* item = itemOfRow(row)) return &lines_[item->line];
    const LineProfile* found = lines_.empty() ? nullptr : &lines_.front();
    for (const LineProfile& line : lines_)
        if (row != kNoPoint && line.firstRow <= row) found = &line;
    return found;
}

void Profile::addGrid(Drawing& d) const {
    const double l = left(), r = right(), t = top(), b = bottom();
    d.strokes.push_back({{{l, t}, {r, t}, {r, b}, {l, b}, {l, t}}, Ink::Grid});
    const double stepAlong = tickStep((r - l) / scaleAlong_, kTicksAlong);
    const double stepUp = tickStep((b - t) / scaleHeight_, kTicksUp);
    const double firstAlong = std::ceil((centreAlong_ - (r - l) / 2 / scaleAlong_) / stepAlong) * stepAlong;
    // Counted, not stepped: far from zero a step may be lost in the sum.
    for (int i = 0; i <= kMaxTicks; ++i) {
        const double a = firstAlong + i * stepAlong, x = toScreen(a, 0).x;
        if (!(x <= r + 0.5)) break;
        d.strokes.push_back({{{x, t}, {x, b + 3}}, Ink::Grid});
        d.labels.push_back({{x, b + 15}, strf("%.*f m", decimalsOf(stepAlong), a + 0.0), Ink::Point, Anchor::Centre});
    }
    const double firstUp = std::ceil((centreHeight_ - (b - t) / 2 / scaleHeight_) / stepUp) * stepUp;
    for (int i = 0; i <= kMaxTicks; ++i) {
        const double h = firstUp + i * stepUp, y = toScreen(0, h).y;
        if (!(y >= t - 0.5)) break;
        d.strokes.push_back({{{l - 3, y}, {r, y}}, Ink::Grid});
        d.labels.push_back({{l - 5, y + 4}, strf("%.*f", decimalsOf(stepUp), h + 0.0), Ink::Point, Anchor::Right});
    }
}

std::vector<std::pair<std::string, Ink>> Profile::captions(std::size_t selectedRow) const {
    std::vector<const LineProfile*> lines;
    if (lines_.size() > kMaxCaptions)
        lines.push_back(lineOfRow(selectedRow));
    else
        for (const LineProfile& line : lines_) lines.push_back(&line);
    return captions(lines);
}

std::vector<std::pair<std::string, Ink>> Profile::captions(const std::vector<const LineProfile*>& lines) const {
    const auto chars = static_cast<std::size_t>(std::max(20.0, (width_ - 2 * kMargin) / kCharWidth));
    std::vector<std::pair<std::string, Ink>> out;
    for (const LineProfile* line : lines) {
        const std::string& text = line->closure.summary;
        const Ink ink = closingInk(line->closure.closing);
        std::size_t from = 0;
        while (text.size() - from > chars) {
            // After the last comma that leaves the piece no wider than the view.
            std::size_t cut = text.rfind(", ", from + chars - 1);
            if (cut == std::string::npos || cut < from) cut = text.find(", ", from);
            if (cut == std::string::npos) break;
            out.push_back({text.substr(from, cut + 1 - from), ink});
            from = cut + 2;
        }
        out.push_back({"  " + text.substr(from), ink});
        if (from == 0) out.back().first.erase(0, 2);
    }
    return out;
}

void Profile::addSetUps(Drawing& d, std::size_t l) const {
    const LineProfile& line = lines_[l];
    const double offset = offsets_[l];
    const ProfilePoint* back = nullptr;
    for (const ProfilePoint& p : line.points) {
        if (p.intermediate) continue;
        if (p.fore && back) {
            // The staff on the back point, the line of sight, the staff on the fore point.
            d.strokes.push_back({{toScreen(offset + back->distance, back->height),
                                  toScreen(offset + back->distance, p.sightHeight),
                                  toScreen(offset + p.distance, p.sightHeight),
                                  toScreen(offset + p.distance, p.height)},
                                 Ink::Sight});
            d.marks.push_back({toScreen(offset + p.setUpAt, p.sightHeight), Shape::Triangle, Ink::Station});
        }
        back = &p;
    }
}

Drawing Profile::drawing(std::size_t selectedRow, const std::array<bool, 3>& layers) const {
    Drawing d;
    if (lines_.empty() || width_ <= 0 || height_ <= 0) return d;
    addGrid(d);
    const bool marks = layers[0], names = layers[1], heights = layers[2];
    auto onScreen = [this](ScreenPoint s) {
        return s.x >= -kLabelWidth && s.x <= width_ + kLabelWidth && s.y >= -kLabelWidth && s.y <= height_ + kLabelWidth;
    };
    double labelledUpTo = -1e300;  // labels keep kLabelWidth apart
    std::size_t item = 0;
    for (std::size_t l = 0; l < lines_.size(); ++l) {
        const LineProfile& line = lines_[l];
        const double offset = offsets_[l];
        // Where the line starts, and its number.
        const ScreenPoint start = toScreen(offset, 0);
        if (l > 0) d.strokes.push_back({{{start.x, top()}, {start.x, bottom()}}, Ink::Grid});
        d.labels.push_back({{start.x + 3, top() + kTextLine - 3}, strf("line %d", line.number), Ink::Point});
        if (marks) addSetUps(d, l);
        Stroke path{{}, Ink::Point, 1.5};
        for (const ProfilePoint& p : line.points)
            if (!p.intermediate) path.points.push_back(toScreen(offset + p.distance, p.height));
        d.strokes.push_back(std::move(path));
        for (std::size_t i = 0; i < line.points.size(); ++i, ++item) {
            const ProfilePoint& p = line.points[i];
            const ScreenPoint at = toScreen(items_[item].along, p.height);
            if (!onScreen(at)) continue;
            if (marks) {
                d.marks.push_back({at, p.benchmark ? Shape::Square : p.intermediate ? Shape::Dot : Shape::Cross,
                                   p.benchmark ? Ink::Station : Ink::Point});
            }
            if (closes(line) && i == line.closingPoint)
                d.labels.push_back({{at.x + kArm, at.y - 2 * kTextLine}, misclosureText(line.misclosure),
                                    closingInk(line.closure.closing), Anchor::Right});
            const bool labelled = at.x >= labelledUpTo + kLabelWidth || p.benchmark;
            if (!labelled || !(names || heights)) continue;
            labelledUpTo = at.x;
            if (names) d.labels.push_back({{at.x + kArm + 3, at.y - 4}, utf8(p.name), Ink::Name});
            if (heights) d.labels.push_back({{at.x + kArm + 3, at.y + 12}, strf("%.4f", p.height), Ink::Height});
        }
    }
    if (const ProfileItem* selected = itemOfRow(selectedRow))
        d.marks.push_back({toScreen(selected->along, selected->height), Shape::Ring, Ink::Selected});
    // A value that is no number (a recording's "1e999") is not drawn.
    auto lost = [](ScreenPoint p) { return !std::isfinite(p.x) || !std::isfinite(p.y); };
    for (Stroke& s : d.strokes) std::erase_if(s.points, lost);
    std::erase_if(d.marks, [&](const Mark& m) { return lost(m.at); });
    std::erase_if(d.labels, [&](const Label& l) { return lost(l.at); });
    double y = kMargin + kTextLine;
    for (auto& [text, ink] : captions(selectedRow)) {
        d.labels.push_back({{kMargin, y}, std::move(text), ink});
        y += kTextLine;
    }
    return d;
}

std::string Profile::describe(std::size_t row) const {
    const ProfileItem* item = itemOfRow(row);
    if (!item) return "";
    const LineProfile& line = lines_[item->line];
    const ProfilePoint& p = line.points[item->point];
    std::string text = strf("%s   line %d   %.3f m along   H %.5f", p.name.c_str(), line.number, p.distance, p.height);
    if (p.benchmark) text += "   benchmark";
    if (p.intermediate) text += "   intermediate sight";
    if (closes(line) && item->point == line.closingPoint) text += "   " + misclosureText(line.misclosure);
    return text;
}

}  // namespace tervan::desk

#include "writers/dxf.h"

#include <map>
#include <vector>

#include "core/numbers.h"
#include "core/text.h"
#include "writers/drawing_text.h"
#include "writers/formats.h"

namespace tervan {
namespace {

using namespace formats;

constexpr const char* kTrailer = "   0\nENDSEC\n   0\nEOF\n";

// Handles 0x7E and up belong to the entities; the header's own objects use
// handles below that.
constexpr unsigned long kFirstHandle = 126;

// The header line written in place of line: the layer placeholders become the
// layer names, "````" the first handle no entity uses.
const std::string& headerLine(const std::string& line, const Settings& s, const std::string& seed) {
    if (line == "LEVEL") return s.LevelLayer;
    if (line == "NAMES") return s.NamesLayer;
    if (line == "POINTS") return s.PointsLayer;
    if (line == "````") return seed;
    return line;
}

// A code's layer: the points layer's name, "_" and the code, with ASCII
// letters in capitals (CAD programs compare layer names without case) and
// every character a layer name cannot hold as "_". Bytes from 0x80 up are
// the letters of the code page, as in the texts.
std::string codeLayer(const std::string& pointsLayer, std::string_view code) {
    std::string layer = pointsLayer + "_";
    for (char c : code) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'a' && b <= 'z')
            layer += static_cast<char>(b - 'a' + 'A');
        else if ((b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '$' || b == '-' || b == '_' || b >= 0x80)
            layer += c;
        else
            layer += '_';
    }
    return layer;
}

bool sameLayer(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

// The layers of the codes (LayerPerCode): each code's layer, and the new
// layers in the order their first point comes, to be declared in the
// header's layer table.
struct CodeLayers {
    std::map<std::string, std::string, std::less<>> ofCode;
    std::vector<std::string> declared;
};

CodeLayers codeLayers(const PointList& points, const Settings& s) {
    CodeLayers layers;
    for (const Point& p : points) {
        if (isZeroPoint(p) || p.code.empty() || layers.ofCode.count(std::string_view(p.code))) continue;
        std::string layer = codeLayer(s.PointsLayer, p.code);
        bool known = false;
        for (const std::string* other : {&s.PointsLayer, &s.LevelLayer, &s.NamesLayer})
            known = known || sameLayer(layer, *other);
        for (const std::string& other : layers.declared) known = known || sameLayer(layer, other);
        if (!known) layers.declared.push_back(layer);
        layers.ofCode.emplace(std::string(p.code), std::move(layer));
    }
    return layers;
}

// Where the header's layer table is: the line of its entry count and the
// line "ENDTAB" that closes it (read as pairs of group code and value);
// kNone when the header has none.
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
struct LayerTable {
    std::size_t count = kNone, end = kNone;
};

LayerTable findLayerTable(std::span<const std::string> header) {
    LayerTable table;
    bool inside = false;
    for (std::size_t i = 0; i + 1 < header.size(); i += 2) {
        const std::string_view code = trimBlanks(header[i]), value = header[i + 1];
        if (code == "0" && value == "TABLE" && i + 3 < header.size() && trimBlanks(header[i + 2]) == "2" &&
            header[i + 3] == "LAYER") {
            inside = true;
            i += 2;
            if (i + 3 < header.size() && trimBlanks(header[i + 2]) == "70") table.count = i + 3;
        } else if (inside && code == "0" && value == "ENDTAB") {
            table.end = i;
            return table;
        }
    }
    return {};
}

}  // namespace

void writeDxf(OutputFile& out, const PointList& points, const Settings& s,
              std::span<const std::string> header) {
    unsigned long seed = kFirstHandle;
    for (const Point& p : points)
        if (!isZeroPoint(p)) seed += 3;
    const std::string seedText = hexHandle(seed);

    // Points without a code stay on the layers of the settings.
    const CodeLayers layers = s.LayerPerCode ? codeLayers(points, s) : CodeLayers{};
    const LayerTable table = layers.declared.empty() ? LayerTable{} : findLayerTable(header);
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (i == table.end)
            for (const std::string& layer : layers.declared) out.print(kLayerEntry, layer);
        if (i == table.count) {
            out.print(kTableCount, static_cast<int>(toNumber(header[i]) + static_cast<double>(layers.declared.size())));
            continue;
        }
        out.write(headerLine(header[i], s, seedText));
        out.write("\n");
    }

    const bool nearest = out.roundsToNearest();
    char heightRoom[boundOf(kDrawingTextHeight, 0.0)];
    const Repeated height = repeat(heightRoom, kDrawingTextHeight, textHeight(s), nearest);
    const bool levelIsZ = levelIsElevation(s);
    // Handles stay below 2^32: that would take over a billion points.
    auto handle = static_cast<unsigned>(kFirstHandle);
    std::string normalised;
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        char levelRoom[kLevelRoom], elevationRoom[kLevelRoom];
        const std::string_view level = writeLevelText(levelRoom, p.Z, s, nearest);
        // Unlike the scripts, the drawing always gives a 3D height three
        // decimals: the level text itself when it has them.
        std::string_view elevation = "0.000";
        if (s.ThreeDFile && levelIsZ) {
            elevation = level;
        } else if (s.ThreeDFile) {
            const char* end = kLevelThreeDecimals.writeRounded(elevationRoom, false, nearest, p.Z);
            elevation = {elevationRoom, static_cast<std::size_t>(end - elevationRoom)};
        }
        std::string_view name = p.N;
        if (!isNormalised(name)) name = normalised = normaliseName(name);
        const std::string* ofCode = nullptr;
        if (!layers.ofCode.empty() && !p.code.empty()) ofCode = &layers.ofCode.find(std::string_view(p.code))->second;
        char yRoom[boundOf(kCoordinate, 0.0)], xRoom[boundOf(kCoordinate, 0.0)];
        const Repeated y = repeat(yRoom, kCoordinate, p.Y, nearest), x = repeat(xRoom, kCoordinate, p.X, nearest);
        out.print(kPointEntity, handle++, ofCode ? *ofCode : s.PointsLayer, y, x, elevation);
        out.print(kLevelEntity, handle++, ofCode ? *ofCode : s.LevelLayer, y, x, elevation, height, level);
        out.print(kNameEntity, handle++, ofCode ? *ofCode : s.NamesLayer, y, x, elevation, height, name, y, x,
                  elevation);
    }
    out.write(kTrailer);
}

}  // namespace tervan

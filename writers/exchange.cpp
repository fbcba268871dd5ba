#include "writers/exchange.h"

#include <cstdlib>
#include <ctime>

#include "core/mik.h"
#include "writers/formats.h"

namespace tervan {
namespace {

using namespace formats;

constexpr const char* kCsvHeader = "name,x,y,z,code\n";

constexpr const char* kLandXmlOpen =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    " xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.2"
    " http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd\"";
// The metric units' five required attributes, and gon for angles.
constexpr const char* kLandXmlUnits =
    "  <Units>\n"
    "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\""
    " temperatureUnit=\"celsius\" pressureUnit=\"milliBars\" angularUnit=\"grads\" directionUnit=\"grads\"/>\n"
    "  </Units>\n"
    "  <Application name=\"Tervan\"/>\n"
    "  <CgPoints>\n";
constexpr const char* kLandXmlClose = "  </CgPoints>\n</LandXML>\n";

constexpr double kMillimetresPerMetre = 1000;

// The clock, or SOURCE_DATE_EPOCH when it holds a number of seconds.
std::tm conversionTime() {
    std::time_t now = std::time(nullptr);
    bool utc = false;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        char* end = nullptr;
        const long long seconds = std::strtoll(epoch, &end, 10);
        if (*end == 0 && seconds >= 0) {
            now = static_cast<std::time_t>(seconds);
            utc = true;
        }
    }
    std::tm t{};
#ifdef _WIN32
    utc ? gmtime_s(&t, &now) : localtime_s(&t, &now);
#else
    utc ? gmtime_r(&now, &t) : localtime_r(&now, &t);
#endif
    return t;
}

}  // namespace

void appendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void appendXmlAttribute(std::string& out, std::string_view text) {
    std::string utf8;
    appendMikAsUtf8(utf8, text);
    for (char c : utf8) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\t': out += "&#9;"; break;
            case '\n': out += "&#10;"; break;
            case '\r': out += "&#13;"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    out += "\xEF\xBF\xBD";
                else
                    out += c;
        }
    }
}

void writeCsv(OutputFile& out, const PointList& points, const Settings&) {
    out.write(kCsvHeader);
    std::string line, utf8;
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        line.clear();
        utf8.clear();
        appendMikAsUtf8(utf8, p.N);
        appendCsvField(line, utf8);
        kCsvCoordinates.append(line, p.X, p.Y, p.Z);
        utf8.clear();
        appendMikAsUtf8(utf8, p.code);
        appendCsvField(line, utf8);
        line += '\n';
        out.write(line);
    }
}

void writeLandXml(OutputFile& out, const PointList& points, const Settings& settings) {
    const std::tm t = conversionTime();
    out.write(kLandXmlOpen);
    out.print(kLandXmlStamp, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    out.write(kLandXmlUnits);
    const double scale = settings.x1000 ? 1 / kMillimetresPerMetre : 1;
    std::string line;
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        line = "    <CgPoint name=\"";
        appendXmlAttribute(line, p.N);
        if (!p.code.empty()) {
            line += "\" code=\"";
            appendXmlAttribute(line, p.code);
        }
        line += "\">";
        kCgPointCoordinates.append(line, p.X * scale, p.Y * scale, p.Z * scale);
        out.write(line);
    }
    out.write(kLandXmlClose);
}

}  // namespace tervan

// The exchange formats: the CSV list and the LandXML points, byte for byte,
// and as real readers take them (xmllint, GDAL's CSV driver, a structural
// check of the LandXML).
#include "writers/exchange.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "conversion/detect.h"
#include "conversion/output_set.h"
#include "reader_test_util.h"
#include "test_util.h"

namespace tervan {
namespace {

// A name and a code with the characters the formats must quote, a MIK
// letter, a zero point (skipped) and a point without a code.
std::vector<Point> coded() {
    return {
        Point{.N = "P,1", .code = "a\"b<&>", .X = 4712345.678, .Y = 9512345.1234, .Z = 123.4},
        Point{.N = "zero", .code = "TREE"},
        Point{.N = "\x84\xA4", .X = 1, .Y = 2, .Z = -0.0004},
        Point{.N = "3", .code = "KERB\t1", .X = -1.5, .Y = 7.25, .Z = 0.5},
    };
}

const char* kLandXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" "
    "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xsi:schemaLocation=\"http://www.landxml.org/schema/LandXML-1.2 "
    "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd\" date=\"2023-11-14\" time=\"22:13:20\" "
    "version=\"1.2\">\r\n"
    "  <Units>\r\n"
    "    <Metric areaUnit=\"squareMeter\" linearUnit=\"meter\" volumeUnit=\"cubicMeter\" temperatureUnit=\"celsius\" "
    "pressureUnit=\"milliBars\" angularUnit=\"grads\" directionUnit=\"grads\"/>\r\n"
    "  </Units>\r\n"
    "  <Application name=\"Tervan\"/>\r\n"
    "  <CgPoints>\r\n";

TEST(Exchange, WrittenBytes) {
    test::fixClock("1700000000");
    struct Case {
        const char* what;
        Writer write;
        int x1000;
        std::vector<Point> points;
        std::string expected;
    };
    std::vector<Point> scaled = {Point{.N = "1", .X = 4712345678, .Y = 9512345123.4, .Z = 123457}};
    const Case cases[] = {
        {"csv", writeCsv, 0, coded(),
         "name,x,y,z,code\r\n"
         "\"P,1\",4712345.678,9512345.123,123.400,\"a\"\"b<&>\"\r\n"
         "\xD0\x94\xD0\xB4,1.000,2.000,-0.000,\r\n"
         "3,-1.500,7.250,0.500,KERB\t1\r\n"},
        {"csv, empty store", writeCsv, 0, {}, "name,x,y,z,code\r\n"},
        {"csv in millimetres, as the other lists", writeCsv, 1, scaled,
         "name,x,y,z,code\r\n1,4712345678.000,9512345123.400,123457.000,\r\n"},
        {"LandXML", writeLandXml, 0, coded(),
         std::string(kLandXmlHead) +
             "    <CgPoint name=\"P,1\" code=\"a&quot;b&lt;&amp;&gt;\">4712345.678 9512345.123 123.400</CgPoint>\r\n"
             "    <CgPoint name=\"\xD0\x94\xD0\xB4\">1.000 2.000 -0.000</CgPoint>\r\n"
             "    <CgPoint name=\"3\" code=\"KERB&#9;1\">-1.500 7.250 0.500</CgPoint>\r\n"
             "  </CgPoints>\r\n</LandXML>\r\n"},
        {"LandXML in metres whatever x1000", writeLandXml, 1, scaled,
         std::string(kLandXmlHead) + "    <CgPoint name=\"1\">4712345.678 9512345.123 123.457</CgPoint>\r\n" +
             "  </CgPoints>\r\n</LandXML>\r\n"},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.x1000 = c.x1000;
        EXPECT_EQ(test::writtenBy([&](OutputFile& out) { c.write(out, c.points, settings); }), c.expected) << c.what;
    }
}

TEST(Exchange, ControlCharactersNeverBreakTheXml) {
    std::string out;
    appendXmlAttribute(out, std::string("a\x01\r\n\x1F" "b", 6));
    EXPECT_EQ(out, "a\xEF\xBF\xBD&#13;&#10;\xEF\xBF\xBD" "b");
}

// The list read back by the "csv" model, which detection picks for it, and
// written again: the same bytes.
TEST(Exchange, CsvRoundTrips) {
    const std::vector<Point> points = coded();
    const std::string first = test::writtenBy([&](OutputFile& out) { writeCsv(out, points, Settings{}); });
    const Detection detection = detectModel(first);
    ASSERT_NE(detection.best(), nullptr);
    EXPECT_STREQ(detection.best()->name, "csv");
    const test::ReadResult r = test::readBytes(detection.best()->read, first);
    EXPECT_EQ(test::writtenBy([&](OutputFile& out) { writeCsv(out, r.points, Settings{}); }), first);
}

// xmllint, ogrinfo and Python are Linux programs here.
#ifndef _WIN32
bool onPath(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string run(const std::string& cmd, const test::ScratchDir& dir) {
    const std::string out = dir.file("run.out");
    EXPECT_EQ(std::system((cmd + " >'" + out + "' 2>&1").c_str()), 0) << cmd << "\n" << test::readFile(out);
    return test::readFile(out);
}

TEST(ExchangeRead, RealReadersTakeTheFiles) {
    test::fixClock("1700000000");
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.CsvFile = 1;
    session.settings.LandXmlFile = 1;
    session.inputPath = dir.file("job.txt");
    for (const Point& p : coded()) appendPoint(session.store, p);
    Result result;
    writeOutputs(session, dir.file("job"), result);
    ASSERT_FALSE(result.outputFailed()) << result.message;

    run("xmllint --noout '" + dir.file("job.xml") + "'", dir);
    EXPECT_EQ(run(std::string(TERVAN_PYTHON) + " '" + TERVAN_SOURCE_DIR + "/tests/landxml_check.py' '" +
                      dir.file("job.xml") + "'",
                  dir),
              "units meter points 3\n"
              "P,1 a\"b<&> 4712345.678 9512345.123 123.400\n"
              "\xD0\x94\xD0\xB4 - 1.000 2.000 -0.000\n"
              "3 KERB\t1 -1.500 7.250 0.500\n");

    if (!onPath("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    const std::string got =
        run("ogrinfo -ro -al -q -oo X_POSSIBLE_NAMES=x -oo Y_POSSIBLE_NAMES=y -oo Z_POSSIBLE_NAMES=z '" +
                dir.file("job.csv") + "'",
            dir);
    for (const char* expected : {"name (String) = P,1", "code (String) = a\"b<&>", "POINT Z (4712345.678 9512345.123 123.4)",
                                 "name (String) = \xD0\x94\xD0\xB4", "POINT Z (1 2 ", "POINT Z (-1.5 7.25 0.5)"})
        EXPECT_NE(got.find(expected), std::string::npos) << expected << " not in\n" << got;
}
#endif

}  // namespace
}  // namespace tervan

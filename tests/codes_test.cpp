// Point codes, from every reader that has a code field to the record.
#include <gtest/gtest.h>

#include "conversion/models.h"
#include "core/printf.h"
#include "reader_test_util.h"

namespace tervan {
namespace {

// An 08TP record of the Kolida 440 (SDR) layout: name, X, Y, Z, code.
std::string k440Point(const char* name, const char* code) {
    return strf("08TP%16s%-16s%-16s%-14s%-16s\r\n", name, "1000.000", "2000.000", "100.000", code);
}

// An M5 point line: the code in columns 11 to 15 of the identification, the
// point number ending it, then the value blocks.
std::string m5Point(const char* name, const char* code, const char* blocks) {
    return strf("For M5|Adr 00001|PI1 %-10s%-5s%12s|%s\r\n", "", code, name, blocks);
}

// "N:code" for every record.
std::vector<std::string> codesOf(const std::string& model, const std::string& bytes) {
    const ModelEntry* m = findModel(model);
    EXPECT_NE(m, nullptr) << model;
    std::vector<std::string> out;
    if (!m) return out;
    const test::ReadResult r = test::readBytes(m->read, bytes);
    for (const Point& p : r.points) out.push_back(std::string(p.N) + ":" + std::string(p.code));
    return out;
}

TEST(Codes, EveryReaderWithACodeFieldKeepsIt) {
    const std::string gsi8 = "110101+00000101 81..00+00001000 82..00+00002000 83..00+00000100 ";
    struct Case {
        const char* what;
        const char* model;
        std::string input;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"GSI word 71, the padding zeros dropped", "GSI", gsi8 + "71....+00TREE01 \r\n", {"101:TREE01"}},
        {"GSI: a remark word alone is the code", "GSI", gsi8 + "74....+0000KERB \r\n", {"101:KERB"}},
        {"GSI: of several, the lowest word", "GSI", gsi8 + "73....+000000MH 71....+0000TREE \r\n", {"101:TREE"}},
        {"GSI: zeros only are no code", "GSI", gsi8 + "71....+00000000 \r\n", {"101:"}},
        {"GSI: no code word", "GSI", gsi8 + "\r\n" + gsi8 + "71....+00000007 \r\n", {"101:", "101:7"}},
        {"GSI-16, and the station point of a set-up", "GSI",
         "*110001+0000000000000ST1 84..10+0000000000001000 88..10+0000000000001500 71....+00000000000000MH \n"
         "*110002+0000000000000102 81..00+0000000000001000 71....+0000000000TREE 2 \n",
         {"ST1:MH", "102:TREE 2"}},
        {"Kolida 440: the code of an 08TP record, kept as it stands", "Kolida440",
         k440Point("101", "  TREE") + k440Point("102", "") + k440Point("103", "#5 KERB"),
         {"101:TREE", "102:", "103:#5 KERB"}},
        {"Kolida 440: an observation merged with its coordinates keeps the code", "Kolida440",
         "09F1             ST1             101" + std::string(48, ' ') + "\r\n" + k440Point("101", "MH") +
             k440Point("102", "MH"),
         {"101:MH", "102:MH"}},
        {"Kolida 300: the _* block, on the observation after it only", "Kolida300Polar",
         "_'1_)1.500_+101_?+00012345m0912345+1234567_*TREE 1_,1.300"
         "_+102_?+00012345m0912345+1234567_,1.300_+103_*MH_U+1000000+2000000+0100000_",
         {"101:TREE1", "102:", "103:MH"}},
        {"csv: quoted fields, the UTF-8 letters as MIK, the header skipped", "csv",
         "name,x,y,z,code\r\n\"P,1\",1.000,2.000,3.000,\"a \"\"b\"\"\"\r\nP2,1,2,3,\r\n"
         "\xD0\x94,1,2,3,\xD0\xB4\xD1\x8A\xD1\x80\xD0\xB2\xD0\xBE\r\nP4,1,2,3\r\n",
         {"P,1:a \"b\"", "P2:", "\x84:\xA4\xBA\xB0\xA2\xAE", "P4:"}},
        {"M5: the observation's code stays when its coordinates join it; the station's is no point's", "M5",
         m5Point("1", "S", "X 1000.000 m |Y 2000.000 m |") +
             m5Point("10", "TREE", "SD 12.762 m |Hz 14.3432 DMS |V1 88.0900 DMS |") +
             m5Point("10", "", "X 1012.345 m |Y 2003.210 m |Z 100.512 m |") + m5Point("11", "MH", "X 1 m |Y 2 m |"),
         {"1:", "10:TREE", "11:MH"}},
        {"Geodimeter: label 4 is the code of the point it follows, not of the next", "Geodimeter",
         "2=S1\n4=STN\n5=P1\n7=10\n8=100\n9=5\n5=P2\n4=TREE\n7=20\n8=100\n9=5\n5=P3\n37=1\n38=2\n",
         {"P1:", "P2:TREE", "P3:"}},
    };
    for (const Case& c : cases) EXPECT_EQ(codesOf(c.model, c.input), c.expected) << c.what;
}

TEST(Codes, ShareTheNameArena) {
    PointStore store;
    const std::string code = "TREE";
    appendPoint(store, {.N = "1", .code = code});
    appendPoint(store, {.N = "2", .code = code});
    appendPoint(store, {.N = "3"});
    EXPECT_EQ(store.points[0].code.c_str(), store.points[1].code.c_str());  // kept once
    EXPECT_NE(store.points[0].code.c_str(), code.c_str());                  // a copy, not the reader's text
    EXPECT_TRUE(store.points[2].code.empty());
}

}  // namespace
}  // namespace tervan

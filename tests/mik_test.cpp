#include "core/mik.h"

#include <gtest/gtest.h>

#include <string>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define TERVAN_HAS_ICONV 1
#endif

namespace tervan {
namespace {

#ifdef TERVAN_HAS_ICONV
// Every byte decoded by glibc's own MIK converter, as UTF-16.
std::u16string iconvMik(const std::string& bytes) {
    iconv_t cd = iconv_open("UTF-16LE", "MIK");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::u16string out(bytes.size(), u'\0');
    std::string in = bytes;
    char* inPtr = in.data();
    char* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t inLeft = in.size(), outLeft = out.size() * 2;
    std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) return {};
    out.resize(out.size() - outLeft / 2);
    return out;
}

TEST(Mik, EveryByteDecodesAsGlibcDoes) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::u16string expected = iconvMik(all);
    if (expected.empty()) GTEST_SKIP() << "glibc has no MIK converter here";
    ASSERT_EQ(expected.size(), all.size());
    std::u16string decoded = decodeMik(all);
    for (std::size_t i = 0; i < all.size(); ++i)
        EXPECT_EQ(decoded[i], expected[i]) << "byte 0x" << std::hex << (i + 1);
}
#endif

TEST(Mik, DefaultHeaderWordsAreCyrillic) {
    EXPECT_EQ(decodeMik("\x8E\x81\x85\x8A\x92"), u"ОБЕКТ");
    EXPECT_EQ(decodeMik("\x8D\xAE\xAC\xA5\xB0"), u"Номер");
    EXPECT_EQ(decodeMik("\x8A\xAB\xA0\xB1"), u"Клас");
}

TEST(Mik, EncodingIsTheInverseAndMarksTheUnknown) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(encodeMik(decodeMik(all)), all);
    EXPECT_EQ(encodeMik(u"Ž€Я"), "??\x9F");
}

}  // namespace
}  // namespace tervan

// What the desktop programs take from their command line and show in
// their message area, without a toolkit.
#include <gtest/gtest.h>

#include "desk/command_line.h"
#include "desk/display.h"

namespace tervan::desk {
namespace {

TEST(CommandLine, TheInputFollowsTheProgramPath) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Tools\Tervan.exe")", ""},
        {R"("C:\Tools\Tervan.exe" C:\data\job1.gsi)", R"(C:\data\job1.gsi)"},
        {R"("C:\Tools\Tervan.exe" C:\My data\job 1.gsi)", R"(C:\My data\job 1.gsi)"},
        {R"("C:\Program Files\Tervan\tervan.exe" "D:\Данни Müller\job 1.gsi")", R"(D:\Данни Müller\job 1.gsi)"},
        {R"("C:\Tools\Tervan.exe"   C:\data\job1.gsi  )", R"(C:\data\job1.gsi)"},
        {R"("C:\Tools\Tervan.exe"   )", ""},
        {R"(tervan.exe C:\data\job1.gsi)", R"(C:\data\job1.gsi)"},
        {R"(tervan.exe)", ""},
        {R"("C:\Tools\Tervan.exe)", ""},
        {R"("C:\Tools\Tervan.exe" ")", R"(")"},
    };
    for (const auto& [line, input] : cases) EXPECT_EQ(inputPathOf(line), input) << line;
}

TEST(MessageForDisplay, LineEndsMikLettersAndUtf8Paths) {
    const std::pair<const char*, const char16_t*> cases[] = {
        // the observation table: a path heading, CR LF lines, MIK header words
        {"<C:\\\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB8\\a.txt>\r\n\x8E\x81\x85\x8A\x92\r\n", u"<C:\\Данни\\a.txt>|ОБЕКТ|"},
        // levelling rows end in CR CR LF; a receive leaves lone line feeds
        {"1\r\r\n2\n3\r4\r\r5", u"1|2|3|4||5"},
        // bytes that only begin a UTF-8 sequence stay MIK letters
        {"\xC2", u"┬"},
        {"\xC2" "A", u"┬A"},
        {"\xE0\x80", u"αА"},
        {"\xC0\x80", u"└А"},
        {"\xED\xA0\x80", u"φаА"},  // a surrogate is no character
        {"\xF0\x9F\x93\x90 m", u"\U0001F4D0 m"},
    };
    for (const auto& [bytes, shown] : cases) EXPECT_EQ(messageForDisplay(bytes, u"|"), shown) << bytes;
}

TEST(StatusForDisplay, ProgressBytesInstrumentLettersAndPaths) {
    struct Case {
        int line;
        const char* bytes;
        const char16_t* shown;
    };
    const Case cases[] = {
        {1, "\xDB\xDB\xB0", u"\u00DB\u00DB\u00B0"},  // the progress bar's blocks, as the bytes they are
        {2, "\x92\x8E\x97\x8A\x80 12", u"ТОЧКА 12"},
        {3, "wrote D:\\\xD0\x94\xD0\xB0\xD0\xBD\xD0\xBD\xD0\xB8\\a_nxyz.txt", u"wrote D:\\Данни\\a_nxyz.txt"},
        {3, "\x92\x8E\x97\x8A\x80 not found\r\nsecond", u"ТОЧКА not found second"},
    };
    for (const Case& c : cases) EXPECT_EQ(statusForDisplay(c.line, c.bytes), c.shown) << c.bytes;
}

}  // namespace
}  // namespace tervan::desk

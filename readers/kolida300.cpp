#include "readers/kolida300.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {
namespace {

constexpr char kSTX = 2, kETX = 3;

// The text of one value as its characters come, in a bounded space however
// long the run: a name keeps its last six digits; a number drops its leading
// zeros and counts the digits it has no room for as powers of ten, so that
// no run of digits pushes out the significant ones.
class ValueText {
public:
    void start(bool name) {
        name_ = name;
        text_.clear();
        scale_ = 0;
        point_ = ended_ = false;
    }

    void add(char c) {
        if (name_) {
            if (text_.size() == kNameDigits) text_.erase(0, 1);
            text_ += c;
            return;
        }
        if (ended_) return;
        if (c == '.') {
            // A second point ends the number, as it ends the decimal
            // conversion.
            ended_ = point_;
            if (!point_) text_ += '.';
            point_ = true;
            return;
        }
        if (!point_) {
            if (text_.empty() && c == '0') return;
            if (text_.size() < kRoom)
                text_ += c;
            else
                ++scale_;
        } else if (text_ == "." && c == '0') {
            --scale_;
        } else if (text_.size() < kRoom) {
            text_ += c;
        }
    }

    // The name right-aligned in six characters.
    std::string name() const { return rightAligned(text_, kNameDigits); }

    double number() const {
        if (scale_ == 0) return toNumber(text_);
        return toNumber(text_ + "e" + std::to_string(scale_));
    }

private:
    static constexpr std::size_t kNameDigits = 6;
    static constexpr std::size_t kRoom = 199;  // far beyond what a double holds

    std::string text_;
    long scale_ = 0;  // powers of ten the text leaves out
    bool name_ = false, point_ = false, ended_ = false;
};

// The block grammar of the 300's stream, fed one character at a time. A
// block is "_", a block letter and its content; values are digit runs with
// implied decimals, separated by the fixed characters "+" and "m".
class Kolida300Parser {
public:
    explicit Kolida300Parser(ReaderContext& ctx) : ctx_(ctx) {}

    void feed(char c) {
        switch (mode_) {
        case Mode::Outside:
            if (c == '_') mode_ = Mode::Letter;
            return;
        case Mode::Letter:
            startBlock(c);
            return;
        case Mode::Expect:
            if (c == expected_) {
                value_.start(false);
                mode_ = Mode::Value;
            } else {
                dropBlock();
            }
            return;
        case Mode::Code:
            // A code runs up to the underscore of the next block.
            if (c != '_') {
                if (code_.size() < kCodeRoom) code_ += c;
                return;
            }
            s_.code = std::move(code_);
            mode_ = Mode::Letter;
            return;
        case Mode::Value:
            if (isDigit(c) || (c == '.' && (block_ == ')' || block_ == ','))) {
                value_.add(c);
                return;
            }
            completeValue();
            // The character that ended the value is looked at again, as the
            // block's next fixed character or as one outside any block.
            feed(c);
            return;
        }
    }

private:
    enum class Mode { Outside, Letter, Expect, Value, Code };
    static constexpr std::size_t kCodeRoom = 64;

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void startBlock(char letter) {
        block_ = letter;
        step_ = 0;
        value_.start(letter == '\'' || letter == '+');
        switch (letter) {
        case '\'':
        case ')':
        case '+':
        case ',':
            mode_ = Mode::Value;
            return;
        case '<':
            s_.SD = 0;
            mode_ = Mode::Value;
            return;
        case '?':
        case 'U':
            expect('+');
            return;
        case '*':  // the point's code, any text
            code_.clear();
            mode_ = Mode::Code;
            return;
        default:
            dropBlock();
        }
    }

    void expect(char c) {
        expected_ = c;
        mode_ = Mode::Expect;
    }

    void dropBlock() {
        ++ctx_.result.linesIgnored;
        mode_ = Mode::Outside;
    }

    // Sets what the value stands for; continues the block or leaves it.
    void completeValue() {
        const double v = value_.number();
        mode_ = Mode::Outside;
        switch (block_) {
        case '\'':
            s_.SN = value_.name();
            return;
        case ')':
            s_.IH = v;
            s_.stationMark = true;
            return;
        case '+':
            s_.N = value_.name();
            s_.code.clear();
            return;
        case ',':
            s_.TH = v;
            storeObservation();
            return;
        case '<':
            if (step_++ == 0) {
                s_.V = v * 0.0001;
                expect('+');
            } else {
                s_.H = v * 0.0001;
            }
            return;
        case '?':
            if (step_ == 0) {
                s_.SD = v * 0.001;
                expect('m');
            } else if (step_ == 1) {
                s_.V = v * 0.0001;
                expect('+');
            } else {
                s_.H = v * 0.0001;
            }
            ++step_;
            return;
        case 'U':
            if (step_ == 0) {
                s_.X = v * 0.001;
                expect('+');
            } else if (step_ == 1) {
                s_.Y = v * 0.001;
                expect('+');
            } else {
                s_.Z = v * 0.001;
                storeCoordinates();
            }
            ++step_;
            return;
        }
    }

    void storeObservation() {
        if (s_.SD != 0 || s_.V != 0 || s_.H != 0) {
            appendRecord(ctx_, {.isStation = s_.stationMark,
                                .SN = s_.SN,
                                .N = s_.N,
                                .code = s_.code,
                                .IH = s_.IH,
                                .TH = s_.TH,
                                .V = s_.V,
                                .H = s_.H,
                                .SD = s_.SD});
            s_.stationMark = false;
        }
        s_.H = s_.V = s_.SD = 0;
        s_.code.clear();
    }

    void storeCoordinates() {
        if (s_.X == 0 && s_.Y == 0 && s_.Z == 0) return;
        appendRecord(ctx_, {.isStation = s_.stationMark,
                            .SN = s_.SN,
                            .N = s_.N,
                            .code = s_.code,
                            .X = s_.X,
                            .Y = s_.Y,
                            .Z = s_.Z,
                            .IH = s_.IH,
                            .V = s_.V,
                            .H = s_.H,
                            .SD = s_.SD});
        s_.X = s_.Y = 0;
        s_.code.clear();
        s_.stationMark = false;
    }

    ReaderContext& ctx_;
    struct {
        std::string SN, N;
        std::string code;  // of the point being observed, from its "*" block
        double IH = 0, TH = 0, H = 0, V = 0, SD = 0, X = 0, Y = 0, Z = 0;
        bool stationMark = false;
    } s_;
    Mode mode_ = Mode::Outside;
    char block_ = 0;
    char expected_ = 0;
    int step_ = 0;
    ValueText value_;
    std::string code_;  // the code block being read
};

bool isWhite(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Strips the framing of a raw capture as the bytes come, word by word (a
// word is a run of characters other than white space): a leading STX, and
// an ETX with the four checksum characters before it; a NUL ends the word
// too. The last four characters are held back until it is known that no ETX
// follows them, so a word of any length is read whole.
class Framing {
public:
    Framing(Kolida300Parser& parser, long& words) : parser_(parser), words_(words) {}

    void feed(char c) {
        if (isWhite(c)) {
            endWord();
            return;
        }
        if (!inWord_) {
            inWord_ = true;
            ++words_;
            if (c == kSTX) return;
        }
        if (skipping_) return;
        if (c == '\0' || c == kETX) {
            if (c == '\0') release();
            held_.clear();
            skipping_ = true;
            return;
        }
        if (held_.size() == kChecksum) {
            parser_.feed(held_.front());
            held_.erase(0, 1);
        }
        held_ += c;
    }

    void endWord() {
        if (!inWord_) return;
        release();
        inWord_ = skipping_ = false;
    }

private:
    static constexpr std::size_t kChecksum = 4;

    void release() {
        for (char c : held_) parser_.feed(c);
        held_.clear();
    }

    Kolida300Parser& parser_;
    long& words_;
    std::string held_;
    bool inWord_ = false, skipping_ = false;
};

}  // namespace

void readKolida300Polar(Input& input, ReaderContext& ctx) {
    Kolida300Parser parser(ctx);
    // White space between words is never seen by the parser: a block or a
    // number may go on in the next word.
    Framing framing(parser, ctx.result.linesRead);
    for (int c; (c = input.get()) != EOF;) framing.feed(static_cast<char>(c));
    framing.endWord();
}

}  // namespace tervan

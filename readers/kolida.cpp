#include "readers/kolida.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {
namespace {

constexpr std::size_t kMaxWord = 255;    // longer words are cut, the rest up to the next white space dropped
constexpr std::size_t kMaxDigits = 199;  // further digits of a value are dropped
constexpr char kSTX = 2, kETX = 3;


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
                digits_.clear();
                mode_ = Mode::Value;
            } else {
                dropBlock();
            }
            return;
        case Mode::Value:
            if (isDigit(c) || (c == '.' && (block_ == ')' || block_ == ','))) {
                if (digits_.size() < kMaxDigits) digits_.push_back(c);
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
    enum class Mode { Outside, Letter, Expect, Value };

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void startBlock(char letter) {
        block_ = letter;
        step_ = 0;
        digits_.clear();
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
        const double v = toNumber(digits_);
        mode_ = Mode::Outside;
        switch (block_) {
        case '\'':
            s_.SN = rightAligned(digits_, 6);
            return;
        case ')':
            s_.IH = v;
            s_.stationMark = true;
            return;
        case '+':
            s_.N = rightAligned(digits_, 6);
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
            appendPoint(ctx_.store, {.isStation = s_.stationMark,
                                     .SN = s_.SN,
                                     .N = s_.N,
                                     .X = 0,
                                     .Y = 0,
                                     .Z = 0,
                                     .IH = s_.IH,
                                     .TH = s_.TH,
                                     .V = s_.V,
                                     .H = s_.H,
                                     .SD = s_.SD,
                                     .Om = ctx_.store.orientation});
            s_.stationMark = false;
        }
        s_.H = s_.V = s_.SD = 0;
    }

    void storeCoordinates() {
        if (s_.X == 0 && s_.Y == 0 && s_.Z == 0) return;
        appendPoint(ctx_.store, {.isStation = s_.stationMark,
                                 .SN = s_.SN,
                                 .N = s_.N,
                                 .X = s_.X,
                                 .Y = s_.Y,
                                 .Z = s_.Z,
                                 .IH = s_.IH,
                                 .TH = 0,
                                 .V = s_.V,
                                 .H = s_.H,
                                 .SD = s_.SD,
                                 .Om = ctx_.store.orientation});
        s_.X = s_.Y = 0;
        s_.stationMark = false;
    }

    ReaderContext& ctx_;
    struct {
        std::string SN, N;
        double IH = 0, TH = 0, H = 0, V = 0, SD = 0, X = 0, Y = 0, Z = 0;
        bool stationMark = false;
    } s_;
    Mode mode_ = Mode::Outside;
    char block_ = 0;
    char expected_ = 0;
    int step_ = 0;
    std::string digits_;
};

bool isWhite(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Strips the framing of a raw capture: a leading STX, and an ETX with the
// four checksum characters before it; a NUL ends the word too.
void feedWord(std::string_view word, Kolida300Parser& parser) {
    if (!word.empty() && word.front() == kSTX) word.remove_prefix(1);
    std::size_t end = word.find_first_of(std::string_view("\0\3", 2));
    if (end != std::string_view::npos) {
        if (word[end] == kETX) end = end >= 4 ? end - 4 : 0;
        word = word.substr(0, end);
    }
    for (char c : word) parser.feed(c);
}

// Kolida 440 record fields: columns 0-3, 4-19, 20-35, 36-51, 52-65, 66-81,
// each trimmed and "#" names renumbered, numbers included.
std::array<std::string, 6> cut440(std::string_view line) {
    static constexpr std::array<std::size_t, 7> kStart = {0, 4, 20, 36, 52, 66, 82};
    std::array<std::string, 6> f;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (kStart[i] >= line.size()) break;
        f[i] = normaliseName(line.substr(kStart[i], kStart[i + 1] - kStart[i]));
    }
    return f;
}

// A point stays pending until a record of another point, a station set-up
// or the end of the file: its 09F1 observation and 08TP coordinates merge.
struct Kolida440State {
    std::string station = "#0";
    std::string name;
    double H = 0, V = 0, SD = 0, X = 0, Y = 0, Z = 0;
    double IH = 0, TH = 0;
    bool stationMark = false;
};

void endPending(Kolida440State& s, ReaderContext& ctx) {
    if (s.name.empty()) return;
    appendPoint(ctx.store, {.isStation = s.stationMark,
                            .SN = s.station,
                            .N = s.name,
                            .X = s.X,
                            .Y = s.Y,
                            .Z = s.Z,
                            .IH = s.IH,
                            .TH = s.TH,
                            .V = s.V,
                            .H = s.H,
                            .SD = s.SD,
                            .Om = ctx.store.orientation});
}

void stationSetUp(Kolida440State& s, const std::array<std::string, 6>& f, ReaderContext& ctx) {
    if (s.name != f[1]) {
        endPending(s, ctx);
        s.name.clear();
        s.H = s.V = s.SD = 0;
        s.stationMark = false;
    }
    s.X = toNumber(f[2]);
    s.Y = toNumber(f[3]);
    s.Z = toNumber(f[4]);
    if (!f[1].empty()) {
        if (s.name == f[1]) {
            endPending(s, ctx);
        } else {
            appendPoint(ctx.store, {.isStation = false,
                                    .SN = "    #0",
                                    .N = f[1],
                                    .X = s.X,
                                    .Y = s.Y,
                                    .Z = s.Z,
                                    .IH = s.IH,
                                    .TH = s.TH,
                                    .V = 0,
                                    .H = 0,
                                    .SD = 0,
                                    .Om = ctx.store.orientation});
        }
        s.name.clear();
        s.H = s.V = s.SD = s.X = s.Y = s.Z = 0;
    }
    if (!f[5].empty()) s.IH = toNumber(f[5]);
}

}  // namespace

void readKolida300Polar(Input& input, ReaderContext& ctx) {
    Kolida300Parser parser(ctx);
    std::string word;
    bool inWord = false;
    int c;
    // Words are read whole before their framing is looked at; white space
    // between words is never seen by the parser.
    while ((c = input.get()) != EOF) {
        if (isWhite(c)) {
            if (inWord) {
                ++ctx.result.linesRead;
                feedWord(word, parser);
                word.clear();
                inWord = false;
            }
            continue;
        }
        inWord = true;
        if (word.size() < kMaxWord) word.push_back(static_cast<char>(c));
    }
    if (inWord) {
        ++ctx.result.linesRead;
        feedWord(word, parser);
    }
}

void readKolida440(Input& input, ReaderContext& ctx) {
    Kolida440State s;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        const auto f = cut440(line);
        const std::string& code = f[0];
        if (code == "03NM") {
            // "0.000" is the one way to write a target height of 0; any other
            // text that reads as 0 leaves the height alone.
            if (f[1] == "0.000") {
                s.TH = 0;
            } else if (double th = toNumber(f[1]); th != 0) {
                s.TH = th;
            }
        } else if (code == "09F1") {
            if (s.name != f[2]) {
                endPending(s, ctx);
                s.X = s.Y = s.Z = 0;
                s.stationMark = false;
            }
            if (s.station != f[1]) s.stationMark = true;
            s.station = f[1];
            s.name = f[2];
            s.H = toNumber(f[3]);
            s.V = toNumber(f[4]);
            s.SD = toNumber(f[5]);
        } else if (code == "08TP") {
            if (s.name != f[1]) {
                endPending(s, ctx);
                s.H = s.V = s.SD = 0;
                s.stationMark = false;
            }
            s.name = f[1];
            s.X = toNumber(f[2]);
            s.Y = toNumber(f[3]);
            s.Z = toNumber(f[4]);
        } else if (code == "02TP") {
            stationSetUp(s, f, ctx);
        } else {
            return false;
        }
        return true;
    });
    endPending(s, ctx);
}

}  // namespace tervan

#include "rules/tumblix/Payload.h"

#include <algorithm>

#include "rules/tumblix/Shapes.h"

namespace rules::tumblix {

namespace {

constexpr int kOriginOffset = 3;
constexpr int kShapeOffset = 1;
constexpr int kRowOffset = 1;
constexpr int kJunkOffset = 2;
constexpr int kResultOffset = 1;
constexpr char kTextEnd = 1;
constexpr int kMaxColour = 9;

// Cuts numbers from the front of a payload; any read past the end marks it
// short, and Done tells whether exactly everything was read.
class TReader {
public:
    explicit TReader(std::string_view bytes) : m_bytes(bytes) {}

    int Byte() {
        if (m_at >= m_bytes.size()) {
            m_short = true;
            return 0;
        }
        return static_cast<uint8_t>(m_bytes[m_at++]);
    }
    // The text up to byte 1 and the 1 itself; the rest when there is no 1.
    std::string_view Text() {
        size_t end = std::min(m_bytes.find(kTextEnd, m_at), m_bytes.size());
        std::string_view text = m_bytes.substr(m_at, end - m_at);
        m_at = std::min(end + 1, m_bytes.size());
        return text;
    }
    bool Done() const { return !m_short && m_at == m_bytes.size(); }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
    bool m_short = false;
};

std::optional<int> ShapeByte(int byte) {
    int shape = byte - kShapeOffset;
    if (!IsShape(shape)) return std::nullopt;
    return shape;
}

template <typename T>
std::optional<TPayload> Finish(const TReader& reader, T payload) {
    if (!reader.Done()) return std::nullopt;
    return TPayload{payload};
}

std::optional<TPayload> ParseNewPiece(TReader& r) {
    auto next = ShapeByte(r.Byte());
    int x = r.Byte() - kOriginOffset, y = r.Byte() - kOriginOffset;
    if (!next) return std::nullopt;
    return Finish(r, TNewPiece{*next, x, y});
}

std::optional<TPayload> ParseFirstNext(TReader& r) {
    auto next = ShapeByte(r.Byte());
    if (!next) return std::nullopt;
    return Finish(r, TFirstNext{*next});
}

std::optional<TPayload> ParsePosition(TReader& r) {
    int x = r.Byte() - kOriginOffset, y = r.Byte() - kOriginOffset;
    auto shape = ShapeByte(r.Byte());
    if (!shape) return std::nullopt;
    return Finish(r, TPosition{x, y, *shape});
}

std::optional<TPayload> ParseLine(TReader& r) {
    int row = r.Byte() - kRowOffset;
    if (row < 0 || row >= kWellRows) return std::nullopt;
    return Finish(r, TLineRemoved{row});
}

std::optional<TPayload> ParseJunkRow(TReader& r) {
    std::string_view text = r.Text();
    if (text.size() != kWellColumns) return std::nullopt;
    TJunkRow junk;
    for (int column = 0; column < kWellColumns; ++column) {
        int colour = static_cast<uint8_t>(text[column]) - kJunkOffset;
        if (colour < 0 || colour > kMaxColour) return std::nullopt;
        junk.Row[column] = static_cast<uint8_t>(colour);
    }
    junk.X = r.Byte() - kOriginOffset;
    junk.Y = r.Byte() - kOriginOffset;
    auto shape = ShapeByte(r.Byte());
    if (!shape) return std::nullopt;
    junk.Shape = *shape;
    return Finish(r, junk);
}

template <typename T>
std::optional<TPayload> ParseOrigin(TReader& r) {
    int x = r.Byte() - kOriginOffset, y = r.Byte() - kOriginOffset;
    return Finish(r, T{x, y});
}

std::optional<TPayload> ParseResult(TReader& r, bool won) {
    TResult result;
    result.Won = won;
    result.OwnWins = r.Byte() - kResultOffset;
    result.OpponentWins = r.Byte() - kResultOffset;
    result.Points = r.Byte();
    result.Seed = ParseSeedText(r.Text());
    return Finish(r, result);
}

std::optional<TPayload> ParseReady(TReader& r) {
    int state = r.Byte();
    if (state != 1 && state != 2) return std::nullopt;
    return Finish(r, TReady{state});
}

void Put(std::string& bytes, int number) { bytes.push_back(static_cast<char>(static_cast<uint8_t>(number))); }

struct TBuilder {
    std::string Bytes;

    void Code(TCode code) { Put(Bytes, static_cast<int>(code)); }
    void operator()(const TSignal& p) { Code(p.Code); }
    void operator()(const TNewPiece& p) {
        Code(TCode::NewPiece);
        Put(Bytes, p.Next + kShapeOffset);
        Put(Bytes, p.X + kOriginOffset);
        Put(Bytes, p.Y + kOriginOffset);
    }
    void operator()(const TFirstNext& p) {
        Code(TCode::FirstNext);
        Put(Bytes, p.Next + kShapeOffset);
    }
    void operator()(const TPosition& p) {
        Code(TCode::Position);
        Put(Bytes, p.X + kOriginOffset);
        Put(Bytes, p.Y + kOriginOffset);
        Put(Bytes, p.Shape + kShapeOffset);
    }
    void operator()(const TLineRemoved& p) {
        Code(TCode::LineRemoved);
        Put(Bytes, p.Row + kRowOffset);
    }
    void operator()(const TJunkRow& p) {
        Code(TCode::JunkRow);
        for (uint8_t colour : p.Row) Put(Bytes, colour + kJunkOffset);
        Bytes.push_back(kTextEnd);
        Put(Bytes, p.X + kOriginOffset);
        Put(Bytes, p.Y + kOriginOffset);
        Put(Bytes, p.Shape + kShapeOffset);
    }
    void operator()(const TBombExploded& p) {
        Code(TCode::BombExploded);
        Put(Bytes, p.X + kOriginOffset);
        Put(Bytes, p.Y + kOriginOffset);
    }
    void operator()(const TWeightLanded& p) {
        Code(TCode::WeightLanded);
        Put(Bytes, p.X + kOriginOffset);
        Put(Bytes, p.Y + kOriginOffset);
    }
    void operator()(const TResult& p) {
        Code(p.Won ? TCode::Won : TCode::Lost);
        Put(Bytes, p.OwnWins + kResultOffset);
        Put(Bytes, p.OpponentWins + kResultOffset);
        Put(Bytes, p.Points);
        Bytes += std::to_string(p.Seed);
        Bytes.push_back(kTextEnd);
    }
    void operator()(const TPause& p) {
        Code(TCode::Pause);
        Put(Bytes, p.N);
    }
    void operator()(const TReady& p) {
        Code(TCode::Ready);
        Put(Bytes, p.State);
    }
};

}  // namespace

std::string TResult::Placeholders() const {
    return std::to_string(OwnWins) + "," + std::to_string(OpponentWins) + "," + std::to_string(Points);
}

int PayloadCode(std::string_view bytes) { return bytes.empty() ? 0 : static_cast<uint8_t>(bytes[0]); }

uint32_t ParseSeedText(std::string_view text) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return 0;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    // A negative seed is the same 32 bits written as a signed number.
    if (negative) return value > 0x80000000ull ? 0 : static_cast<uint32_t>(0x100000000ull - value);
    return value > 0xFFFFFFFFull ? 0 : static_cast<uint32_t>(value);
}

std::optional<TPayload> ParsePayload(std::string_view bytes) {
    TReader r(bytes);
    switch (static_cast<TCode>(r.Byte())) {
        case TCode::Died:
        case TCode::Leave:
        case TCode::Junk:
        case TCode::LevelUp:
        case TCode::NewGame: return Finish(r, TSignal{static_cast<TCode>(PayloadCode(bytes))});
        case TCode::NewPiece: return ParseNewPiece(r);
        case TCode::FirstNext: return ParseFirstNext(r);
        case TCode::Position: return ParsePosition(r);
        case TCode::LineRemoved: return ParseLine(r);
        case TCode::JunkRow: return ParseJunkRow(r);
        case TCode::BombExploded: return ParseOrigin<TBombExploded>(r);
        case TCode::WeightLanded: return ParseOrigin<TWeightLanded>(r);
        case TCode::Won: return ParseResult(r, true);
        case TCode::Lost: return ParseResult(r, false);
        case TCode::Pause: return Finish(r, TPause{r.Byte()});
        case TCode::Ready: return ParseReady(r);
    }
    return std::nullopt;
}

std::string BuildPayload(const TPayload& payload) {
    TBuilder builder;
    std::visit(builder, payload);
    return std::move(builder.Bytes);
}

}  // namespace rules::tumblix

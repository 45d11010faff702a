#include "rules/puzzle/PuzzlePayload.h"

#include "rules/puzzle/PuzzleCanon.h"

namespace rules {
namespace {

constexpr char kFieldEnd = '\x01';

int Byte(std::string_view bytes, size_t index) { return static_cast<unsigned char>(bytes[index]); }

bool FitsByte(int value) { return value >= 0 && value <= 255; }

std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) {
        if (!FitsByte(value)) return {};
        out.push_back(static_cast<char>(value));
    }
    return out;
}

TPuzzlePayload Malformed(TPuzzlePayload payload) {
    payload.Status = TPuzzleParseStatus::Malformed;
    return payload;
}

// Fills the fields of a code whose payload has a fixed length; the caller
// has checked the length.
bool ReadFixed(std::string_view bytes, TPuzzlePayload& payload) {
    switch (payload.Code) {
        case TPuzzleCode::Shot:
            payload.Colour = Byte(bytes, 1);
            payload.Entry = Byte(bytes, 2);
            payload.Cell = {Byte(bytes, 3), Byte(bytes, 4)};
            return IsShotColour(payload.Colour) && IsDirectionEntry(payload.Entry) && TPuzzleField::IsCell(payload.Cell);
        case TPuzzleCode::Fallen:
            payload.Colour = Byte(bytes, 1);
            return IsBubbleColour(payload.Colour);
        case TPuzzleCode::Placed:
            payload.Colour = Byte(bytes, 1);
            payload.Cell = {Byte(bytes, 2), Byte(bytes, 3)};
            return IsBubbleColour(payload.Colour) && TPuzzleField::IsCell(payload.Cell);
        case TPuzzleCode::Emptied:
            payload.Cell = {Byte(bytes, 1), Byte(bytes, 2)};
            return TPuzzleField::IsCell(payload.Cell);
        case TPuzzleCode::Level:
            payload.Level = Byte(bytes, 1);
            return true;
        default:
            return true;
    }
}

std::optional<size_t> FixedLength(TPuzzleCode code) {
    switch (code) {
        case TPuzzleCode::Lost:
        case TPuzzleCode::Closing:
        case TPuzzleCode::Pause:
        case TPuzzleCode::Ready: return 1;
        case TPuzzleCode::Fallen:
        case TPuzzleCode::Level: return 2;
        case TPuzzleCode::Emptied: return 3;
        case TPuzzleCode::Placed: return 4;
        case TPuzzleCode::Shot: return 5;
        default: return std::nullopt;
    }
}

bool IsKnown(int code) {
    switch (code) {
        case 21: case 22: case 25: case 56: case 61: case 62:
        case 140: case 141: case 142: case 143: case 168: return true;
        default: return false;
    }
}

}  // namespace

std::optional<uint32_t> ParsePuzzleSeed(std::string_view text) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative || (!text.empty() && text.front() == '+')) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(value);
}

TPuzzlePayload ParsePuzzlePayload(std::string_view bytes) {
    TPuzzlePayload payload;
    if (bytes.empty()) return payload;
    if (!IsKnown(Byte(bytes, 0))) {
        payload.Status = TPuzzleParseStatus::Unknown;
        return payload;
    }
    payload.Code = static_cast<TPuzzleCode>(Byte(bytes, 0));
    if (std::optional<size_t> length = FixedLength(payload.Code)) {
        if (bytes.size() != *length || !ReadFixed(bytes, payload)) return Malformed(payload);
        payload.Status = TPuzzleParseStatus::Ok;
        return payload;
    }
    // Won and Beaten: three bytes, then the seed field up to byte 1 or the
    // end of the payload.
    if (bytes.size() < 4) return Malformed(payload);
    payload.OwnByte = Byte(bytes, 1);
    payload.OpponentByte = Byte(bytes, 2);
    payload.PointsByte = Byte(bytes, 3);
    std::string_view field = bytes.substr(4);
    field = field.substr(0, field.find(kFieldEnd));
    payload.Seed = ParsePuzzleSeed(field);
    payload.Status = TPuzzleParseStatus::Ok;
    return payload;
}

std::string BuildPuzzleSignal(TPuzzleCode code) {
    if (FixedLength(code) != std::optional<size_t>(1)) return {};
    return std::string(1, static_cast<char>(code));
}

std::string BuildPuzzleShot(int colour, int entry, TPuzzleCell target) {
    if (!IsShotColour(colour) || !IsDirectionEntry(entry) || !TPuzzleField::IsCell(target)) return {};
    return Bytes({int(TPuzzleCode::Shot), colour, entry, target.Column, target.Row});
}

std::string BuildPuzzleFallen(int colour) {
    if (!IsBubbleColour(colour)) return {};
    return Bytes({int(TPuzzleCode::Fallen), colour});
}

std::string BuildPuzzlePlaced(int colour, TPuzzleCell cell) {
    if (!IsBubbleColour(colour) || !TPuzzleField::IsCell(cell)) return {};
    return Bytes({int(TPuzzleCode::Placed), colour, cell.Column, cell.Row});
}

std::string BuildPuzzleEmptied(TPuzzleCell cell) {
    if (!TPuzzleField::IsCell(cell)) return {};
    return Bytes({int(TPuzzleCode::Emptied), cell.Column, cell.Row});
}

std::string BuildPuzzleLevel(int level) { return Bytes({int(TPuzzleCode::Level), level}); }

std::string BuildPuzzleResult(bool won, int ownByte, int opponentByte, int pointsByte, uint32_t seed) {
    TPuzzleCode code = won ? TPuzzleCode::Won : TPuzzleCode::Beaten;
    std::string out = Bytes({int(code), ownByte, opponentByte, pointsByte});
    if (out.empty()) return out;
    return out + std::to_string(seed) + kFieldEnd;
}

}  // namespace rules

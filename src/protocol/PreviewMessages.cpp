#include "protocol/PreviewMessages.h"

#include "protocol/FieldWriter.h"

namespace protocol {
namespace {

constexpr int kTumblixKind = 1, kGammonKind = 2, kPuzzleKind = 3;
// Dice states (as sent, + 1) 1..3 carry two dice; 4 carries none.
constexpr int kFirstStateWithDice = 1, kLastStateWithDice = 3;
constexpr size_t kMaxCells = 255;

template <size_t N>
void ReadBytes(TFieldReader& r, std::array<uint8_t, N>& bytes) {
    bytes.fill(0);
    std::string read = r.Bytes(static_cast<long long>(N));
    for (size_t i = 0; i < read.size(); ++i) bytes[i] = static_cast<uint8_t>(read[i]);
}

template <size_t N>
void ReadNumbers(TFieldReader& r, std::array<int, N>& numbers) {
    for (int& number : numbers) number = r.Byte();
}

template <size_t N>
void WriteBytes(TFieldWriter& w, const std::array<uint8_t, N>& bytes) {
    for (uint8_t b : bytes) w.Byte(b);
}

template <size_t N>
void WriteNumbers(TFieldWriter& w, const std::array<int, N>& numbers) {
    for (int n : numbers) w.Byte(n);
}

void WriteState(TFieldWriter&, const std::monostate&) {}

void WriteState(TFieldWriter& w, const TTumblixSnapshot& s) {
    WriteBytes(w, s.Boards);
    WriteNumbers(w, s.Numbers);
}

void WriteState(TFieldWriter& w, const TGammonSnapshot& s) {
    WriteBytes(w, s.Points);
    w.Byte(s.DiceState);
    if (s.DiceState >= kFirstStateWithDice && s.DiceState <= kLastStateWithDice) WriteNumbers(w, s.Dice);
    w.Byte(s.Cube).Byte(s.Score1).Byte(s.Score2).Byte(s.MatchLength).Byte(s.CubeOwner);
}

void WriteState(TFieldWriter& w, const TPuzzleSnapshot& s) {
    WriteBytes(w, s.Grids);
    WriteNumbers(w, s.Numbers);
}

TTumblixSnapshot ReadTumblix(TFieldReader& r) {
    TTumblixSnapshot s;
    ReadBytes(r, s.Boards);
    ReadNumbers(r, s.Numbers);
    return s;
}

TGammonSnapshot ReadGammon(TFieldReader& r) {
    TGammonSnapshot s;
    ReadBytes(r, s.Points);
    s.DiceState = r.Byte();
    s.HasDice = s.DiceState >= kFirstStateWithDice && s.DiceState <= kLastStateWithDice;
    if (s.HasDice) ReadNumbers(r, s.Dice);
    s.Cube = r.Byte();
    s.Score1 = r.Byte();
    s.Score2 = r.Byte();
    s.MatchLength = r.Byte();
    s.CubeOwner = r.Byte();
    return s;
}

TPuzzleSnapshot ReadPuzzle(TFieldReader& r) {
    TPuzzleSnapshot s;
    ReadBytes(r, s.Grids);
    ReadNumbers(r, s.Numbers);
    return s;
}

std::string BuildCell(TServerCode code, const TPuzzleCell& c, bool withColour) {
    TFieldWriter w(code);
    w.Byte(c.Slot).Byte(c.Seat);
    if (withColour) w.Byte(c.Colour);
    return w.Byte(c.Column).Byte(c.Row).Take();
}

void ReadCell(TFieldReader& r, TPuzzleCell& c, bool withColour) {
    c.Slot = r.Byte();
    c.Seat = r.Byte();
    c.Colour = withColour ? r.Byte() : 0;
    c.Column = r.Byte();
    c.Row = r.Byte();
}

}  // namespace

std::string Build(const TPreviewStop& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Take(); }

std::string Build(const TPreviewState& m) {
    TFieldWriter w(m.kCode);
    w.Byte(m.Kind).Byte(m.Slot);
    std::visit([&w](const auto& state) { WriteState(w, state); }, m.State);
    return w.Take();
}

std::string Build(const TTumblixCells& m) {
    if (m.Cells.size() > kMaxCells) return {};
    TFieldWriter w(m.kCode);
    w.Byte(m.Slot).Byte(m.Seat).Byte(static_cast<int>(m.Cells.size()));
    for (const TTumblixCell& c : m.Cells) w.Byte(c.Column).Byte(c.Row).Byte(c.Colour);
    return w.Take();
}

std::string Build(const TTumblixRowAdded& m) {
    TFieldWriter w(m.kCode);
    w.Byte(m.Slot).Byte(m.Seat);
    WriteBytes(w, m.Row);
    return w.Take();
}

std::string Build(const TTumblixRowRemoved& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Seat).Byte(m.Row).Take(); }
std::string Build(const TTumblixNumber& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Number).Take(); }
std::string Build(const TPuzzleNumber& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Number).Take(); }
std::string Build(const TGammonDice& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Die1).Byte(m.Die2).Take(); }
std::string Build(const TGammonDiceState& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.State).Take(); }

std::string Build(const TGammonMove& m) {
    return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Point).Byte(m.Distance).Take();
}

std::string Build(const TGammonUndo& m) {
    return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.To).Byte(m.From).Byte(m.Hit).Take();
}

std::string Build(const TPreviewEnd& m) { return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Winner).Take(); }

std::string Build(const TGammonCube& m) {
    return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Owner).Field(m.Value).Take();
}

std::string Build(const TPuzzleShot& m) {
    return TFieldWriter(m.kCode).Byte(m.Slot).Byte(m.Seat).Byte(m.Colour).Byte(m.Direction).Byte(m.Column).Byte(m.Row).Take();
}

std::string Build(const TPuzzleCellSet& m) { return BuildCell(m.kCode, m, true); }
std::string Build(const TPuzzleCellCleared& m) { return BuildCell(m.kCode, m, false); }

bool Read(TFieldReader& r, TPreviewStop& m) {
    m.Slot = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TPreviewState& m) {
    m.Kind = r.Byte();
    m.Slot = r.Byte();
    if (m.Kind == kTumblixKind)
        m.State = ReadTumblix(r);
    else if (m.Kind == kGammonKind)
        m.State = ReadGammon(r);
    else if (m.Kind == kPuzzleKind)
        m.State = ReadPuzzle(r);
    else
        m.State = std::monostate{};
    return true;
}

bool Read(TFieldReader& r, TTumblixCells& m) {
    m.Slot = r.Byte();
    m.Seat = r.Byte();
    int n = r.Byte();
    m.Cells.clear();
    for (int i = 0; i < n && r.Remaining() >= 3; ++i) {
        TTumblixCell cell;
        cell.Column = r.Byte();
        cell.Row = r.Byte();
        cell.Colour = r.Byte();
        m.Cells.push_back(cell);
    }
    return true;
}

bool Read(TFieldReader& r, TTumblixRowAdded& m) {
    m.Slot = r.Byte();
    m.Seat = r.Byte();
    ReadBytes(r, m.Row);
    return true;
}

bool Read(TFieldReader& r, TTumblixRowRemoved& m) {
    m.Slot = r.Byte();
    m.Seat = r.Byte();
    m.Row = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TTumblixNumber& m) {
    m.Slot = r.Byte();
    m.Number = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TPuzzleNumber& m) {
    m.Slot = r.Byte();
    m.Number = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TGammonDice& m) {
    m.Slot = r.Byte();
    m.Die1 = r.Byte();
    m.Die2 = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TGammonDiceState& m) {
    m.Slot = r.Byte();
    m.State = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TGammonMove& m) {
    m.Slot = r.Byte();
    m.Point = r.Byte();
    m.Distance = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TGammonUndo& m) {
    m.Slot = r.Byte();
    m.To = r.Byte();
    m.From = r.Byte();
    m.Hit = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TPreviewEnd& m) {
    m.Slot = r.Byte();
    m.Winner = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TGammonCube& m) {
    m.Slot = r.Byte();
    m.Owner = r.Byte();
    m.Value = r.Field();
    return true;
}

bool Read(TFieldReader& r, TPuzzleShot& m) {
    m.Slot = r.Byte();
    m.Seat = r.Byte();
    m.Colour = r.Byte();
    m.Direction = r.Byte();
    m.Column = r.Byte();
    m.Row = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TPuzzleCellSet& m) {
    ReadCell(r, m, true);
    return true;
}

bool Read(TFieldReader& r, TPuzzleCellCleared& m) {
    ReadCell(r, m, false);
    return true;
}

}  // namespace protocol

#include "PreviewModel.h"

#include <algorithm>

#include "protocol/Messages.h"

namespace e2etest {
namespace {

using namespace protocol;

constexpr int kColumns = 12, kRows = 26, kBoard = kColumns * kRows;
constexpr int kWhiteTray = 26, kBlackTray = 27, kBlackBase = 20;
constexpr uint8_t kEmptyCell = 1;  // colour 0 + 1

template <class TMessage>
std::optional<TMessage> As(const std::string& message) {
    TMessage parsed;
    if (!Parse(message, parsed)) return std::nullopt;
    return parsed;
}

// A Backgammon point of the snapshot: its colour (0 white, 1 black, -1
// empty) and count, and back.
struct TPoint {
    int colour = -1, count = 0;
};

TPoint Decode(uint8_t sent) {
    const int value = sent - 1;
    if (value >= 1 && value <= 15) return {0, value};
    if (value > kBlackBase && value <= kBlackBase + 15) return {1, value - kBlackBase};
    return {};
}

uint8_t Encode(TPoint p) {
    if (p.count <= 0) return 1;
    return static_cast<uint8_t>((p.colour == 0 ? p.count : kBlackBase + p.count) + 1);
}

void Add(TGammonSnapshot& s, int point, int colour) {
    TPoint p = Decode(s.Points[static_cast<size_t>(point)]);
    p.colour = colour;
    ++p.count;
    s.Points[static_cast<size_t>(point)] = Encode(p);
}

bool Take(TGammonSnapshot& s, int point, int colour) {
    TPoint p = Decode(s.Points[static_cast<size_t>(point)]);
    if (p.colour != colour || p.count == 0) return false;
    --p.count;
    s.Points[static_cast<size_t>(point)] = Encode(p);
    return true;
}

bool IsPoint(int point) { return point >= 0 && point <= kBlackTray; }

}  // namespace

void TPreviewModel::Apply(const std::string& message) {
    if (message.size() < 2) return;
    const auto code = static_cast<TServerCode>(uint8_t(message[0]));
    if (code == TServerCode::PreviewState) {
        if (auto state = As<TPreviewState>(message); state && state->Slot == m_slot) Snapshot(*state);
        return;
    }
    if (uint8_t(message[1]) != m_slot) return;
    if (code == TServerCode::PreviewStop) {
        m_state.reset();
        return;
    }
    if (code == TServerCode::PreviewEnd) {
        m_ended = true;
        m_winner = As<TPreviewEnd>(message).value_or(TPreviewEnd{}).Winner;
        return;
    }
    if (!m_state) {
        ++m_faults;
        return;
    }
    ++m_changes;
    if (auto* t = std::get_if<TTumblixSnapshot>(&m_state->State)) Tumblix(message, *t);
    if (auto* g = std::get_if<TGammonSnapshot>(&m_state->State)) Gammon(message, *g);
    if (auto* p = std::get_if<TPuzzleSnapshot>(&m_state->State)) Puzzle(message, *p);
}

void TPreviewModel::Snapshot(const TPreviewState& state) {
    m_state = state;
    m_state->Slot = 0;
    m_ended = false;
}

void TPreviewModel::Tumblix(const std::string& message, TTumblixSnapshot& s) {
    auto board = [&](int seat) { return s.Boards.begin() + (seat - 1) * kBoard; };
    if (auto cells = As<TTumblixCells>(message)) {
        for (const TTumblixCell& c : cells->Cells) {
            if (cells->Seat < 1 || cells->Seat > 2 || c.Column < 1 || c.Column > kColumns || c.Row < 1 || c.Row > kRows)
                ++m_faults;
            else
                board(cells->Seat)[(c.Row - 1) * kColumns + c.Column - 1] = static_cast<uint8_t>(c.Colour);
        }
    } else if (auto added = As<TTumblixRowAdded>(message); added && added->Seat >= 1 && added->Seat <= 2) {
        auto b = board(added->Seat);
        std::copy(b + kColumns, b + kBoard, b);
        std::copy(added->Row.begin(), added->Row.end(), b + kBoard - kColumns);
    } else if (auto removed = As<TTumblixRowRemoved>(message);
               removed && removed->Seat >= 1 && removed->Seat <= 2 && removed->Row >= 1 && removed->Row <= kRows) {
        auto b = board(removed->Seat);
        std::copy_backward(b, b + (removed->Row - 1) * kColumns, b + removed->Row * kColumns);
        std::fill(b, b + kColumns, kEmptyCell);
    } else if (auto number = As<TTumblixNumber>(message)) {
        s.Numbers[0] = number->Number;
    } else {
        ++m_faults;
    }
}

void TPreviewModel::Gammon(const std::string& message, TGammonSnapshot& s) {
    if (auto state = As<TGammonDiceState>(message)) {
        s.DiceState = state->State + 1;
        s.HasDice = state->State != 3;
        if (!s.HasDice) s.Dice = {0, 0};
    } else if (auto dice = As<TGammonDice>(message)) {
        s.Dice = {dice->Die1 + 1, dice->Die2 + 1};
    } else if (auto move = As<protocol::TGammonMove>(message)) {
        GammonMove(s, move->Point - 1, move->Distance);
    } else if (auto undo = As<protocol::TGammonUndo>(message)) {
        GammonUndo(s, undo->To - 2, undo->From - 2, undo->Hit - 2);
    } else if (auto cube = As<TGammonCube>(message)) {
        s.CubeOwner = cube->Owner;
        s.Cube = std::stoi(cube->Value);
    } else {
        ++m_faults;
    }
}

// White moves up to its tray past 24, black down to its tray below 1; a
// lone opposing checker on the target goes to its bar first.
void TPreviewModel::GammonMove(TGammonSnapshot& s, int point, int distance) {
    if (point < 0 || point > 25) return ++m_faults, void();
    const TPoint from = Decode(s.Points[static_cast<size_t>(point)]);
    if (from.count == 0) return ++m_faults, void();
    const bool white = from.colour == 0;
    int target = white ? point + distance : point - distance;
    if (white && target > 24) target = kWhiteTray;
    if (!white && target < 1) target = kBlackTray;
    const TPoint there = Decode(s.Points[static_cast<size_t>(target)]);
    if (target <= 25 && there.count == 1 && there.colour != from.colour) {
        Take(s, target, there.colour);
        Add(s, white ? 25 : 0, there.colour);
    }
    Take(s, point, from.colour);
    Add(s, target, from.colour);
}

void TPreviewModel::GammonUndo(TGammonSnapshot& s, int to, int from, int hit) {
    const int mover = s.DiceState - 1 == 1 ? 0 : 1;
    if (to == -1) to = mover == 0 ? kWhiteTray : kBlackTray;
    if (!IsPoint(to) || !IsPoint(from) || !Take(s, to, mover)) return ++m_faults, void();
    Add(s, from, mover);
    if (hit == -1) return;
    const int other = 1 - mover;
    if (!Take(s, other == 0 ? 0 : 25, other)) return ++m_faults, void();
    Add(s, to, other);
}

void TPreviewModel::Puzzle(const std::string& message, TPuzzleSnapshot& s) {
    constexpr int kPreviewColumns = 7, kPreviewRows = 10, kGrid = kPreviewColumns * kPreviewRows;
    auto set = [&](int seat, int column, int row, int colour) {
        if (seat < 1 || seat > 2 || column < 0 || column >= kPreviewColumns || row < 0 || row >= kPreviewRows)
            return ++m_faults, void();
        s.Grids[static_cast<size_t>((seat - 1) * kGrid + row * kPreviewColumns + column)] = static_cast<uint8_t>(colour);
    };
    if (auto shot = As<TPuzzleShot>(message))
        set(shot->Seat, shot->Column, shot->Row, shot->Colour);
    else if (auto cell = As<TPuzzleCellSet>(message))
        set(cell->Seat, cell->Column, cell->Row, cell->Colour);
    else if (auto cleared = As<TPuzzleCellCleared>(message))
        set(cleared->Seat, cleared->Column, cleared->Row, 0);
    else if (auto number = As<TPuzzleNumber>(message))
        s.Numbers[3] = number->Number;
    else
        ++m_faults;
}

}  // namespace e2etest

#include "rules/tumblix/WellReplay.h"

#include <algorithm>

namespace rules::tumblix {

bool IsWellReplayCode(int code) {
    switch (code) {
        case '2':
        case '3':
        case '4':
        case '5':
        case '7':
        case '9':
        case ':': return true;
        default: return false;
    }
}

namespace {

// A junk row has colours 1..7 and between one and four holes (three or four
// columns drawn, the same one possibly twice).
bool IsJunkRow(const TRow& row) {
    constexpr int kMostJunkColour = 7;
    constexpr int kMostHoles = 4;
    int holes = static_cast<int>(std::count(row.begin(), row.end(), 0));
    bool coloursFit = std::all_of(row.begin(), row.end(), [](uint8_t c) { return c <= kMostJunkColour; });
    return coloursFit && holes >= 1 && holes <= kMostHoles;
}

TReplayCheck FitsIn(const TWell& well, int shape, int x, int y) {
    return well.Checkblock(shape, x, y).Fits ? TReplayCheck::Fits : TReplayCheck::DoesNotFit;
}

bool SamePiece(int a, int b) { return PieceOf(a) == PieceOf(b); }

}  // namespace

void TWellReplay::Reset() {
    m_well.Clear();
    m_piece = {};
    m_next = kNoShape;
    m_lines = 0;
}

TWell TWellReplay::Stack() const {
    TWell stack = m_well;
    if (m_piece.Exists()) stack.RemoveBlock(m_piece);
    return stack;
}

int TWellReplay::Height() const { return Stack().Height(); }

struct TWellReplay::TChecker {
    const TWellReplay& Replay;

    TReplayCheck operator()(const TFirstNext&) const { return TReplayCheck::Fits; }
    TReplayCheck operator()(const TNewPiece& p) const {
        if (!IsShape(Replay.m_next)) return TReplayCheck::Unexpected;
        // The piece before stays as landed, unless it was a weight or a bomb.
        TWell well = Replay.m_well;
        if (IsWeight(Replay.m_piece.Shape) || IsBomb(Replay.m_piece.Shape)) well.RemoveBlock(Replay.m_piece);
        return FitsIn(well, Replay.m_next, p.X, p.Y);
    }
    TReplayCheck operator()(const TPosition& p) const {
        if (!Replay.m_piece.Exists() || !SamePiece(p.Shape, Replay.m_piece.Shape)) return TReplayCheck::Unexpected;
        return FitsIn(Replay.Stack(), p.Shape, p.X, p.Y);
    }
    TReplayCheck operator()(const TLineRemoved& p) const {
        return Replay.m_well.IsFull(p.Row) ? TReplayCheck::Fits : TReplayCheck::DoesNotFit;
    }
    TReplayCheck operator()(const TJunkRow& p) const {
        if (!Replay.m_piece.Exists() || !SamePiece(p.Shape, Replay.m_piece.Shape)) return TReplayCheck::Unexpected;
        TWell stack = Replay.Stack();
        if (!stack.RowEmpty(0) || !IsJunkRow(p.Row)) return TReplayCheck::DoesNotFit;
        stack.PushRow(p.Row);
        return FitsIn(stack, p.Shape, p.X, p.Y);
    }
    TReplayCheck operator()(const TBombExploded&) const {
        return IsBomb(Replay.m_piece.Shape) ? TReplayCheck::Fits : TReplayCheck::Unexpected;
    }
    TReplayCheck operator()(const TWeightLanded& p) const {
        const TPiece& weight = Replay.m_piece;
        if (!IsWeight(weight.Shape) || weight.X != p.X || weight.Y != p.Y) return TReplayCheck::Unexpected;
        // It must rest on something, and not on the bottom (that sends no ":").
        bool rests = Replay.m_well.Cell(p.X + 1, p.Y + 2) != 0;
        return rests && p.Y + 1 < TWell::kBottomRow ? TReplayCheck::Fits : TReplayCheck::DoesNotFit;
    }
    template <typename T>
    TReplayCheck operator()(const T&) const {
        return TReplayCheck::NotWellPayload;
    }
};

TReplayCheck TWellReplay::Check(const TPayload& payload) const { return std::visit(TChecker{*this}, payload); }

struct TWellReplay::TApplier {
    TWellReplay& Replay;

    bool operator()(const TFirstNext& p) const {
        Replay.m_next = p.Next;
        return true;
    }
    bool operator()(const TNewPiece& p) const {
        Replay.Enter(p);
        return true;
    }
    bool operator()(const TPosition& p) const {
        Replay.Move(p);
        return true;
    }
    bool operator()(const TLineRemoved& p) const {
        Replay.m_well.RemoveLine(p.Row);
        ++Replay.m_lines;
        return true;
    }
    bool operator()(const TJunkRow& p) const {
        Replay.Junk(p);
        return true;
    }
    bool operator()(const TBombExploded& p) const {
        Replay.Blast(p);
        return true;
    }
    bool operator()(const TWeightLanded& p) const {
        Replay.Sink(p);
        return true;
    }
    template <typename T>
    bool operator()(const T&) const {
        return false;
    }
};

bool TWellReplay::Apply(const TPayload& payload) { return std::visit(TApplier{*this}, payload); }

void TWellReplay::Enter(const TNewPiece& p) {
    if (IsWeight(m_piece.Shape) || IsBomb(m_piece.Shape)) m_well.RemoveBlock(m_piece);
    m_piece = {m_next, p.X, p.Y};
    m_next = p.Next;
    m_well.PutBlock(m_piece);
}

void TWellReplay::Move(const TPosition& p) {
    m_well.RemoveBlock(m_piece);
    m_piece = {p.Shape, p.X, p.Y};
    m_well.PutBlock(m_piece);
}

void TWellReplay::Junk(const TJunkRow& p) {
    m_well.RemoveBlock(m_piece);
    m_well.PushRow(p.Row);
    m_piece = {p.Shape, p.X, p.Y};
    m_well.PutBlock(m_piece);
}

void TWellReplay::Blast(const TBombExploded& p) {
    if (IsBomb(m_piece.Shape)) {
        m_well.RemoveBlock(m_piece);
        m_piece = {};
    }
    m_well.ClearBlast(p.X, p.Y);
}

// The weight's column closes every hole below the cell under the weight,
// top to bottom, and the weight itself is gone: the same end as the sinking
// the player's own game shows step by step.
void TWellReplay::Sink(const TWeightLanded& p) {
    int column = p.X + 1, centre = p.Y + 1;
    m_piece.X = p.X;
    m_piece.Y = p.Y;
    m_well.RemoveBlock(m_piece);
    m_piece = {};
    for (int row = std::max(centre + 2, 0); row < TWell::kRows; ++row) {
        if (m_well.Cell(column, row) != 0) continue;
        for (int r = row; r > centre; --r) m_well.SetCell(column, r, m_well.Cell(column, r - 1));
        m_well.SetCell(column, centre, 0);
    }
}

}  // namespace rules::tumblix

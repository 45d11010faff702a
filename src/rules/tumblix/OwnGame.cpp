#include "rules/tumblix/OwnGame.h"

#include <utility>

#include "rules/tumblix/Sounds.h"

namespace rules::tumblix {

namespace {

// A piece whose single cell sits on the bottom row (weight or bomb).
bool OnBottomRow(const TPiece& piece) { return piece.Y + 1 == TWell::kBottomRow; }

}  // namespace

void TOwnGame::Show(uint32_t seed) {
    m_pieces.SetSeed(seed);
    m_pieces.ResetCounters();
    m_junk.SetSeed(seed);
    m_well.Clear();
    m_piece = {};
    m_next = kNoShape;
    m_dead = true;
    m_pendingSound.clear();
}

void TOwnGame::SetSeeds(uint32_t seed) {
    m_pieces.SetSeed(seed);
    m_junk.SetSeed(seed);
    m_piece = {};
    m_dead = true;
}

void TOwnGame::NewGame() {
    m_well.Clear();
    m_piece = {};
    m_dead = false;
    m_events.emplace_back(TSoundNow{kNewGameSound});
    Iniplayer();
}

void TOwnGame::Iniplayer() {
    m_next = m_pieces.RandomBlock();
    Send(TFirstNext{m_next});
    m_delay = kFirstDelay;
    m_countdown = kFirstDelay;
    m_level = 0;
    EnterOrDie();
    m_lines = 0;
    m_level = 1;
}

void TOwnGame::SetPosition(const TWell& well, const TPiece& piece, int next) {
    m_well = well;
    m_piece = piece;
    if (m_piece.Exists()) m_well.PutBlock(m_piece);
    m_next = IsShape(next) ? next : m_pieces.RandomBlock();
    m_dead = false;
    m_moved = false;
}

bool TOwnGame::Fits(int shape, int x, int y) {
    TFit fit = m_well.Checkblock(shape, x, y);
    m_reason = fit.Reason;
    return fit.Fits;
}

bool TOwnGame::NewBlock() {
    int shape = m_next;
    m_next = m_pieces.RandomBlock();
    m_moved = false;
    int y = -ShapeBounds(shape).FirstRow;
    for (int d = 0; d <= kSearchReach; ++d)
        for (int x : {kStartColumn - d, kStartColumn + d}) {
            if (!Fits(shape, x, y)) continue;
            m_piece = {shape, x, y};
            m_well.PutBlock(m_piece);
            Send(TNewPiece{m_next, x, y});
            return true;
        }
    m_piece = {};
    return false;
}

void TOwnGame::EnterOrDie() {
    if (!NewBlock()) Die();
}

void TOwnGame::Die() {
    Send(TSignal{TCode::Died});
    m_dead = true;
}

bool TOwnGame::BlockDown() {
    if (m_dead || !m_piece.Exists()) return false;
    m_moved = true;
    m_well.RemoveBlock(m_piece);
    if (Fits(m_piece.Shape, m_piece.X, m_piece.Y + 1)) {
        ++m_piece.Y;
        m_well.PutBlock(m_piece);
        return false;
    }
    m_well.PutBlock(m_piece);
    Land();
    return true;
}

void TOwnGame::Land() {
    m_pendingSound = m_well.LeavesHole(m_piece) ? kDohSound : kBlockSound;
    Sendpos();
    if (IsWeight(m_piece.Shape)) {
        if (OnBottomRow(m_piece)) m_well.RemoveBlock(m_piece);
        else Weightdown();
    } else if (IsBomb(m_piece.Shape)) {
        if (OnBottomRow(m_piece)) m_well.RemoveBlock(m_piece);
        else Explode(m_piece.X, m_piece.Y);
    }
    CheckLines();
    if (NewBlock()) m_countdown = m_delay;
    else Die();
}

void TOwnGame::CheckLines() {
    int removed = 0;
    for (int row = 0; row < TWell::kRows; ++row) {
        if (!m_well.IsFull(row)) continue;
        m_well.RemoveLine(row);
        ++m_lines;
        ++removed;
        Send(TLineRemoved{row});
    }
    if (removed > 0 && m_pendingSound != kLevelSound) m_pendingSound = removed <= 2 ? kLineSound : kLinesSound;
}

void TOwnGame::Weightdown() {
    Send(TWeightLanded{m_piece.X, m_piece.Y});
    m_events.emplace_back(TSoundNow{kWeightSound});
    int column = m_piece.X + 1, row = m_piece.Y + 1;
    TWeightFall fall{column, row, {m_well.Cells()}};
    for (;;) {
        int hole = row + 2;
        while (hole < TWell::kRows && m_well.Cell(column, hole) != 0) ++hole;
        if (hole >= TWell::kRows) break;
        // The weight sinks one row and the stack below it closes the hole.
        for (int r = hole; r > row; --r) m_well.SetCell(column, r, m_well.Cell(column, r - 1));
        m_well.SetCell(column, row, 0);
        ++row;
        ++m_piece.Y;
        fall.Steps.push_back(m_well.Cells());
    }
    m_well.SetCell(column, row, 0);
    fall.VanishRow = row;
    m_events.push_back(std::move(fall));
}

void TOwnGame::Explode(int x, int y) {
    Send(TBombExploded{x, y});
    m_events.emplace_back(TSoundNow{kExplodeSound});
    TBlast blast{x, y, m_well.Cells(), {}};
    m_well.ClearBlast(x, y);
    blast.After = m_well.Cells();
    m_events.push_back(std::move(blast));
}

void TOwnGame::MoveSideways(int dx) {
    if (m_dead || !m_piece.Exists()) return;
    m_moved = true;
    m_kick = 0;
    m_well.RemoveBlock(m_piece);
    if (Fits(m_piece.Shape, m_piece.X + dx, m_piece.Y)) {
        m_piece.X += dx;
    } else if (IsBomb(m_piece.Shape)) {
        // The bomb's cell is column X + 1; at a wall it only stops.
        bool againstWall = dx < 0 ? m_piece.X + 1 == 0 : m_piece.X + 1 == TWell::kColumns - 1;
        if (!againstWall) {
            Explode(m_piece.X, m_piece.Y);
            EnterOrDie();
            return;
        }
    }
    m_well.PutBlock(m_piece);
}

void TOwnGame::TurnBlock() {
    if (m_dead || !m_piece.Exists()) return;
    m_moved = true;
    m_well.RemoveBlock(m_piece);
    int turned = NextRotation(m_piece.Shape);
    if (Fits(turned, m_piece.X, m_piece.Y)) {
        m_piece.Shape = turned;
        UndoKick(turned);
    } else {
        Kick(turned);
    }
    m_well.PutBlock(m_piece);
}

bool TOwnGame::TryTurn(int shape, int dx, int dy) {
    if (!Fits(shape, m_piece.X + dx, m_piece.Y + dy)) return false;
    m_piece = {shape, m_piece.X + dx, m_piece.Y + dy};
    return true;
}

// A turned piece that was kicked off a wall earlier goes back towards it.
void TOwnGame::UndoKick(int shape) {
    int direction = m_kick < 0 ? -1 : 1;
    int reach = m_kick < 0 ? -m_kick : m_kick;
    for (int step = reach; step >= 1; --step)
        if (TryTurn(shape, direction * step, 0)) return;
}

// A turn that hits a wall or the top: one cell away from it, else two, by
// the reason of the latest fit test.
void TOwnGame::Kick(int shape) {
    for (int reach = 1; reach <= 2; ++reach) {
        switch (m_reason) {
            case TFitReason::LeftEdge:
                if (TryTurn(shape, reach, 0)) m_kick = -reach;
                else continue;
                return;
            case TFitReason::RightEdge:
                if (TryTurn(shape, -reach, 0)) m_kick = reach;
                else continue;
                return;
            case TFitReason::TopEdge:
                if (TryTurn(shape, 0, reach)) return;
                continue;
            case TFitReason::BottomOrOccupied: return;
        }
    }
}

int TOwnGame::BlockFastDown() {
    int rows = 0;
    while (!m_dead && m_piece.Exists() && !BlockDown()) ++rows;
    if (rows > 2 && (m_pendingSound == kBlockSound || m_pendingSound == kFastSound)) m_pendingSound = kFastSound;
    return rows;
}

void TOwnGame::DropPress() {
    if (m_dead || !m_piece.Exists()) return;
    if (m_moved) BlockFastDown();
    else m_moved = true;
}

void TOwnGame::Tick() {
    if (m_dead || !m_piece.Exists()) return;
    if (m_countdown > 1) {
        --m_countdown;
        return;
    }
    m_countdown = m_delay;
    BlockDown();
}

void TOwnGame::Sendpos() {
    if (m_dead || !m_piece.Exists()) return;
    Send(TPosition{m_piece.X, m_piece.Y, m_piece.Shape});
}

void TOwnGame::Annoy() {
    if (m_dead || !m_piece.Exists()) return;
    // A piece touching the top cannot rise with the stack: it steps down
    // first. If that lands it, the new piece is at the top and the pushed
    // stack would cut it, so the row-0 test below ends the game instead.
    if (m_piece.Y + ShapeBounds(m_piece.Shape).FirstRow <= 0) {
        BlockDown();
        if (m_dead) return;
    }
    if (!m_well.RowEmpty(0)) {
        Die();
        return;
    }
    m_well.RemoveBlock(m_piece);
    TRow row = DrawJunkRow(m_junk);
    m_well.PushRow(row);
    --m_piece.Y;
    m_well.PutBlock(m_piece);
    Send(TJunkRow{row, m_piece.X, m_piece.Y, m_piece.Shape});
}

void TOwnGame::NewLevel() {
    ++m_level;
    m_delay = NextDelay(m_level, m_delay);
    m_countdown = m_delay;
    m_pendingSound = kLevelSound;
}

int TOwnGame::Height() const {
    TWell stack = m_well;
    if (m_piece.Exists()) stack.RemoveBlock(m_piece);
    return stack.Height();
}

std::string TOwnGame::TakePendingSound() { return std::exchange(m_pendingSound, {}); }
std::vector<std::string> TOwnGame::TakePayloads() { return std::exchange(m_payloads, {}); }
std::vector<TOwnEvent> TOwnGame::TakeEvents() { return std::exchange(m_events, {}); }

void TOwnGame::Send(const TPayload& payload) { m_payloads.push_back(BuildPayload(payload)); }

}  // namespace rules::tumblix

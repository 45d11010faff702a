#include "previews/GammonPreview.h"

#include "previews/PreviewBytes.h"

namespace server {

namespace gm = rules::gammon;

namespace {

constexpr int kWhiteTray = 26, kBlackTray = 27;
constexpr int kOpeningState = 0, kNoDiceState = 3;

// A point value with the colours swapped.
int Swapped(int value) {
    if (gm::WhiteCount(value) > 0) return gm::kBlackBase + value;
    return gm::BlackCount(value);
}

}  // namespace

GammonPreview::GammonPreview(PreviewOutlet& outlet, const GammonReferee& referee)
    : GamePreview(outlet, rules::TGameKind::Gammon),
      m_referee(referee),
      m_mirrored(referee.ColourOf(0) != gm::TColour::White),
      m_told(Dice()) {}

GammonPreview::TDiceView GammonPreview::Dice() const {
    const GammonReferee::TTableDice table = m_referee.TableDice();
    switch (table.shown) {
        case GammonReferee::TDiceShown::Opening: return {kOpeningState, table.dice[0], table.dice[1]};
        case GammonReferee::TDiceShown::Turn: return {table.mover == 0 ? 1 : 2, table.dice[0], table.dice[1]};
        case GammonReferee::TDiceShown::None: break;
    }
    return {};
}

int GammonPreview::CubeOwner() const {
    const std::optional<gm::TColour> owner = m_referee.Cube().Owner();
    if (!owner) return 0;
    return *owner == m_referee.ColourOf(0) ? 1 : 2;
}

GamePreview::TState GammonPreview::State() const {
    protocol::TGammonSnapshot s;
    const gm::TPosition& position = m_referee.Position();
    for (int point = 0; point < gm::kPointCount; ++point) {
        const int value = position.Value(Shown(point));
        s.Points[static_cast<size_t>(point)] = static_cast<uint8_t>((m_mirrored ? Swapped(value) : value) + 1);
    }
    const int off1 = position.Off(m_referee.ColourOf(0)), off2 = position.Off(m_referee.ColourOf(1));
    s.Points[kWhiteTray] = static_cast<uint8_t>(off1 + 1);
    s.Points[kBlackTray] = static_cast<uint8_t>((off2 > 0 ? gm::kBlackBase + off2 : 0) + 1);
    const TDiceView dice = Dice();
    s.DiceState = dice.state + 1;
    s.HasDice = dice.state != kNoDiceState;
    if (s.HasDice) s.Dice = {dice.die1 + 1, dice.die2 + 1};
    s.Cube = NumberByte(m_referee.Cube().Value());
    s.Score1 = NumberByte(m_referee.Score().Points(m_referee.ColourOf(0)) + 1);
    s.Score2 = NumberByte(m_referee.Score().Points(m_referee.ColourOf(1)) + 1);
    s.MatchLength = NumberByte(m_referee.Score().Length());
    s.CubeOwner = CubeOwner();
    return s;
}

// A new game takes the dice off the table; the snapshot says so.
void GammonPreview::Restarted() {
    m_told = Dice();
    GamePreview::Restarted();
}

void GammonPreview::DiceChanged() {
    const TDiceView now = Dice();
    const TDiceView before = m_told;
    m_told = now;
    if (!Watched()) return;
    if (now.state != before.state) Broadcast(protocol::Build(protocol::TGammonDiceState{0, now.state}));
    if (now.state != kNoDiceState && (now.die1 != before.die1 || now.die2 != before.die2 || now.state != before.state))
        Broadcast(protocol::Build(protocol::TGammonDice{0, now.die1, now.die2}));
}

void GammonPreview::CheckerMoved(int, int point, int pips) {
    if (Watched()) Broadcast(protocol::Build(protocol::TGammonMove{0, Shown(point) + 1, pips}));
}

void GammonPreview::MoveTakenBack(int, int from, int to, bool hit) {
    if (!Watched()) return;
    const int shownTo = to == gm::kOffBoard ? -1 : Shown(to);
    Broadcast(protocol::Build(protocol::TGammonUndo{0, shownTo + 2, Shown(from) + 2, (hit ? shownTo : -1) + 2}));
}

void GammonPreview::CubeChanged() {
    if (Watched())
        Broadcast(protocol::Build(protocol::TGammonCube{0, CubeOwner(), std::to_string(m_referee.Cube().Value())}));
}

}  // namespace server

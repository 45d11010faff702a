#include "lobby/PreviewGammon.h"

#include <algorithm>

#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "lobby/Gammonbrick.h"
#include "lobby/PreviewLayout.h"
#include "resources/StrFuncs.h"
#include "shell/MyTimer.h"

using rules::gammon::TColour;
using rules::gammon::TXY;
using TBoard = TPreviewGammonBoard;

namespace {

constexpr int kCubeFrames = 7;  // 1, 2, 4, ... 64
constexpr int kOpeningRoll = 0, kWhiteRoll = 1, kBlackRoll = 2;

bool IsFace(int die) { return die >= 1 && die <= 6; }

// Frame log2(value) + 1, within the seven faces.
int CubeFrame(int value) {
    int frame = 1;
    while (value > 1 && frame < kCubeFrames) value /= 2, ++frame;
    return frame;
}

}  // namespace

TPreviewGammon::TPreviewGammon(TPaint* surface, const TPreviewPlace& place)
    : TSinglepreview(surface, "Gammon", "Peek_bac", place) {
    for (int checker = 0; checker < TBoard::kCheckers; ++checker)
        m_bricks[static_cast<size_t>(checker)] =
            std::make_unique<TGammonbrick>(surface, TBoard::IsWhite(checker), kPieceLayer, kFlyingLayer);
    for (auto& die : m_dice) {
        die = std::make_unique<TMyimagelist>(surface, 0, 0);
        die->AddFrames("wdice");
        die->AddFrames("bdice");
        die->SetTransparent(true);
        die->SetLayer(kPieceLayer);
    }
    m_cube = std::make_unique<TMyimagelist>(surface, 0, 0);
    m_cube->Add("double0");
    for (int value = 2; value <= 64; value *= 2) m_cube->Add("double" + std::to_string(value));
    m_cube->SetTransparent(true);
    m_cube->SetLayer(kPieceLayer);
    ReadLayout(place);
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kFlightMs);
    m_timer->OnTimer = [this](TMyTimer*) { Tick(); };
}

TPreviewGammon::~TPreviewGammon() = default;

void TPreviewGammon::ReadLayout(const TPreviewPlace& place) {
    TPreviewLayout line(kSection, "PreviewGammon");
    const int x = place.X, y = place.Y;
    m_layout.LeftX = x + line.Next(4), m_layout.LeftY = y + line.Next(4);
    m_layout.RightX = x + line.Next(52), m_layout.RightY = y + line.Next(4);
    m_layout.HalfWidth = line.Next(42), m_layout.HalfHeight = line.Next(80), m_layout.ColumnHeight = line.Next(36);
    m_layout.TrayX = x + line.Next(96), m_layout.TrayWidth = line.Next(8), m_layout.TrayMargin = line.Next(2);
    m_layout.CubeX = x + line.Next(96), m_layout.CubeY = y + line.Next(4);
    const int leftDie = line.Next(14), rightDie = line.Next(62), diceY = line.Next(40);
    const TMyimage& point = *m_bricks[0]->PointImage();
    const TMyimage& tray = *m_bricks[0]->TrayImage();
    m_layout.CheckerWidth = point.Width(), m_layout.CheckerHeight = point.Height();
    m_layout.SideWidth = tray.Width(), m_layout.SideHeight = tray.Height();
    m_layout.CubeWidth = m_cube->Width(), m_layout.CubeHeight = m_cube->Height();
    m_geometry = std::make_unique<rules::gammon::TGammonGeometry>(m_layout, TColour::White);
    m_dice[0]->MoveTo(x + leftDie, y + diceY);
    m_dice[1]->MoveTo(x + rightDie, y + diceY);
}

TGammonbrick* TPreviewGammon::Brick(int checker) const {
    return checker >= 0 && checker < TBoard::kCheckers ? m_bricks[static_cast<size_t>(checker)].get() : nullptr;
}

// The board ------------------------------------------------------------------------

void TPreviewGammon::Load(const TGammonSnapshot& snapshot) {
    StopFlights();
    m_board.Load(snapshot.Points);
    const int state = snapshot.DiceState - 1;
    m_diceState = state >= kOpeningRoll && state <= kNoDice ? state : kNoDice;
    m_white = m_black = {};
    if (snapshot.HasDice) {
        const int die1 = snapshot.Dice[0] - 1, die2 = snapshot.Dice[1] - 1;
        if (m_diceState == kOpeningRoll) m_white[0] = die1, m_black[0] = die2;
        if (m_diceState == kWhiteRoll) m_white = {die1, die2};
        if (m_diceState == kBlackRoll) m_black = {die1, die2};
    }
    m_cubeValue = std::max(snapshot.Cube, 1);
    m_cubeOwner = snapshot.CubeOwner;
    SetScore("PreviewGammonscore", std::to_string(snapshot.Score1 - 1) + "," + std::to_string(snapshot.Score2 - 1) +
                                       "," + std::to_string(snapshot.MatchLength));
    if (Drawn()) ShowContent();
}

void TPreviewGammon::Move(int pointPlus1, int distance) { Animate(m_board.Move(pointPlus1 - 1, distance)); }

void TPreviewGammon::Undo(int toPlus2, int fromPlus2, int hitPlus2) {
    Animate(m_board.Undo(toPlus2 - 2, fromPlus2 - 2, hitPlus2 - 2 != -1, m_diceState == kWhiteRoll));
}

// Where the checker rests on the board as it is now.
TXY TPreviewGammon::Where(int checker) const {
    const int place = m_board.PlaceOf(checker);
    const int height = m_board.Height(checker);
    if (place == TBoard::kWhiteTray) return m_geometry->Tray(TColour::White, height);
    if (place == TBoard::kBlackTray) return m_geometry->Tray(TColour::Black, height);
    return m_geometry->Checker(place, height, static_cast<int>(m_board.Stack(place).size()));
}

// Each stack from its bottom, so its top is drawn last.
void TPreviewGammon::PlaceAll() {
    for (int checker = 0; checker < TBoard::kCheckers; ++checker)
        if (m_board.PlaceOf(checker) == TBoard::kNowhere) m_bricks[static_cast<size_t>(checker)]->Hide();
    for (int place = 0; place < TBoard::kPlaces; ++place)
        for (int checker : m_board.Stack(place)) {
            const TXY at = Where(checker);
            m_bricks[static_cast<size_t>(checker)]->Put(at.X, at.Y, place >= TBoard::kWhiteTray);
            m_planned[static_cast<size_t>(checker)] = {at.X, at.Y};
        }
}

// Flights -----------------------------------------------------------------------------

// White's checkers arc to one side, black's to the other.
void TPreviewGammon::Animate(const std::vector<TBoard::TStep>& steps) {
    if (!Drawn() || steps.empty()) return;
    for (const TBoard::TStep& step : steps) {
        const auto i = static_cast<size_t>(step.Checker);
        const TXY end = Where(step.Checker);
        const bool black = !TBoard::IsWhite(step.Checker);
        m_flights.push_back({step.Checker, HalfCirclePath(m_planned[i], {end.X, end.Y}, kFlightPoints, black), 0,
                             step.To >= TBoard::kWhiteTray});
        m_planned[i] = {end.X, end.Y};
    }
    if (!m_timer->Enabled()) m_timer->SetEnabled(true);
}

void TPreviewGammon::Tick() {
    if (m_flights.empty()) {
        m_timer->SetEnabled(false);
        return;
    }
    TFlight& flight = m_flights.front();
    TGammonbrick& brick = *m_bricks[static_cast<size_t>(flight.Checker)];
    if (flight.Next < flight.Path.size()) {
        const TPathPoint& p = flight.Path[flight.Next++];
        brick.Fly(p.X, p.Y);
    }
    if (flight.Next >= flight.Path.size()) {
        const TPathPoint end = flight.Path.empty() ? TPathPoint{brick.X(), brick.Y()} : flight.Path.back();
        brick.Put(end.X, end.Y, flight.ToTray);
        m_flights.pop_front();
    }
    if (m_flights.empty()) {
        m_timer->SetEnabled(false);
        PlaceAll();
    }
}

void TPreviewGammon::StopFlights() {
    m_flights.clear();
    m_timer->SetEnabled(false);
}

// Dice and cube ----------------------------------------------------------------------

void TPreviewGammon::SetDice(int die1, int die2) {
    if (m_diceState == kOpeningRoll) m_white[0] = die1, m_black[0] = die2;
    if (m_diceState == kWhiteRoll) m_white = {die1, die2};
    if (m_diceState == kBlackRoll) m_black = {die1, die2};
    if (Drawn()) ShowDice();
}

void TPreviewGammon::SetDiceState(int state) {
    if (state < kOpeningRoll || state > kNoDice) return;
    m_diceState = state;
    if (Drawn()) ShowDice();
}

// The faces left and right as dice frames; 0 for none.
std::array<int, 2> TPreviewGammon::Faces() const {
    auto white = [](int die) { return IsFace(die) ? die : 0; };
    auto black = [](int die) { return IsFace(die) ? die + kBlackFaces : 0; };
    switch (m_diceState) {
        case kOpeningRoll: return {white(m_white[0]), black(m_black[0])};
        case kWhiteRoll: return {white(m_white[0]), white(m_white[1])};
        case kBlackRoll: return {black(m_black[0]), black(m_black[1])};
        default: return {0, 0};
    }
}

int TPreviewGammon::LeftFrame() const { return Faces()[0]; }
int TPreviewGammon::RightFrame() const { return Faces()[1]; }

void TPreviewGammon::ShowDice() {
    const std::array<int, 2> faces = Faces();
    for (size_t i = 0; i < m_dice.size(); ++i) {
        if (faces[i] == 0) {
            m_dice[i]->Hide();
            continue;
        }
        m_dice[i]->SetFrame(faces[i]);
        m_dice[i]->Show();
    }
}

void TPreviewGammon::SetCube(int owner, const std::string& value) {
    int32_t parsed = 0;
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos || value.size() > 9 ||
        !ParseInteger(value, parsed) || parsed < 1)
        return;
    m_cubeValue = parsed;
    m_cubeOwner = owner;
    if (Drawn()) ShowCube();
}

void TPreviewGammon::ShowCube() {
    const TXY at = m_geometry->Cube(m_cubeValue, m_cubeOwner == 2);
    m_cube->Hide();
    m_cube->SetFrame(CubeFrame(m_cubeValue));
    m_cube->MoveTo(at.X, at.Y);
    m_cube->Show();
}

// The life cycle ----------------------------------------------------------------------

void TPreviewGammon::Reset() {
    StopFlights();
    m_board.Clear();
    m_diceState = kNoDice;
    m_white = m_black = {};
    m_cubeValue = 1;
    m_cubeOwner = 0;
    SetScore("PreviewGammonscore", "");
}

void TPreviewGammon::ShowContent() {
    StopFlights();
    PlaceAll();
    ShowDice();
    ShowCube();
}

void TPreviewGammon::HideContent() {
    StopFlights();
    for (auto& brick : m_bricks) brick->Hide();
    for (auto& die : m_dice) die->Hide();
    m_cube->Hide();
}

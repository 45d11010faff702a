#include "games/GammonPieces.h"

#include <algorithm>

#include "controls/Rollover.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

using namespace rules::gammon;
using TSide = rules::gammon::TColour;

namespace {

constexpr int kCubeFaces = 7;

std::string ColourLetter(TSide colour) { return colour == TSide::White ? "w" : "b"; }

std::string CubeElement(int face) { return "2_double" + std::to_string(face == 0 ? 0 : 1 << face); }

int Field(const std::vector<int32_t>& values, size_t i) { return i < values.size() ? values[i] : 0; }

// The numbers of a layout line, cut from the left; a missing or
// non-numeric field reads 0.
std::vector<int32_t> Numbers(const std::string& section, const std::string& key) {
    std::string line = SettingsFile().ReadString(section, key, "");
    std::vector<int32_t> numbers;
    while (!line.empty()) {
        int32_t value = 0;
        if (!ParseInteger(CutField(line), value)) value = 0;
        numbers.push_back(value);
    }
    return numbers;
}

}  // namespace

TGammonPieces::TGammonPieces(TPaint* surface, const std::string& section, std::function<void()> onCube)
    : m_surface(surface), m_geometry(m_layout, TSide::White) {
    for (int checker = 0; checker < kCheckerCount; ++checker) {
        std::string colour = ColourOfChecker(checker) == TSide::White ? "2_white" : "2_black";
        m_top[checker] = std::make_unique<TMyimage>(surface, colour);
        m_side[checker] = std::make_unique<TMyimage>(surface, colour + "up");
        m_top[checker]->SetTransparent(true);
        m_side[checker]->SetTransparent(true);
    }
    for (int face = 0; face < kCubeFaces; ++face) {
        m_cubes.push_back(std::make_unique<TRollover>(surface, "", CubeElement(face), [onCube](TRollover*) {
            if (onCube) onCube();
        }));
        m_cubes.back()->SetTransparent(true);
    }
    ReadLayout(section);
    m_timer = std::make_unique<TMyTimer>();
    m_timer->SetInterval(kFlightMs);
    m_timer->OnTimer = [this](TMyTimer*) { Tick(); };
}

TGammonPieces::~TGammonPieces() = default;

void TGammonPieces::ReadLayout(const std::string& section) {
    std::vector<int32_t> board = Numbers(section, "Board");
    std::vector<int32_t> tray = Numbers(section, "Takeout");
    std::vector<int32_t> cube = Numbers(section, "Doubledice");
    std::vector<int32_t> dice = Numbers(section, "Diceanimation");
    std::vector<int32_t> hints = Numbers(section, "Smalldice");
    m_layout.LeftX = Field(board, 0), m_layout.LeftY = Field(board, 1);
    m_layout.RightX = Field(board, 2), m_layout.RightY = Field(board, 3);
    m_layout.HalfWidth = Field(board, 4), m_layout.HalfHeight = Field(board, 5);
    m_layout.ColumnHeight = Field(board, 6);
    m_layout.TrayX = Field(tray, 0), m_layout.TrayWidth = Field(tray, 1), m_layout.TrayMargin = Field(tray, 2);
    m_layout.CubeX = Field(cube, 0), m_layout.CubeY = Field(cube, 1);
    m_layout.CheckerWidth = m_top[0]->Width(), m_layout.CheckerHeight = m_top[0]->Height();
    m_layout.SideWidth = m_side[0]->Width(), m_layout.SideHeight = m_side[0]->Height();
    m_layout.CubeWidth = m_cubes[0]->ImageWidth(), m_layout.CubeHeight = m_cubes[0]->ImageHeight();
    for (size_t i = 0; i < m_diceXY.size(); ++i) m_diceXY[i] = Field(dice, i);
    m_hintOffset = {Field(hints, 0), Field(hints, 1)};
    m_geometry = TGammonGeometry(m_layout, m_geometry.Own());
}

void TGammonPieces::SetOwn(TSide own) { m_geometry = TGammonGeometry(m_layout, own); }

// Where the checker's picture belongs: its place in its stack, or in the
// tray when it is off.
TXY TGammonPieces::Where(const TBoard& board, int checker) const {
    const TBrick& brick = board.Brick(checker);
    if (brick.IsOff()) return m_geometry.Tray(brick.Colour(), std::max(brick.StackKey() - 1, 0));
    int n = 0, count = 0;
    for (int other = FirstChecker(brick.Colour()); other < FirstChecker(brick.Colour()) + kCheckersPerColour; ++other) {
        const TBrick& b = board.Brick(other);
        if (b.Point() != brick.Point()) continue;
        ++count;
        if (b.StackKey() < brick.StackKey()) ++n;
    }
    return m_geometry.Checker(brick.Point(), n, count);
}

void TGammonPieces::PutAt(int checker, const TBoard& board) {
    TXY at = Where(board, checker);
    bool off = board.Brick(checker).IsOff();
    TMyimage* shown = off ? m_side[checker].get() : m_top[checker].get();
    TMyimage* hidden = off ? m_top[checker].get() : m_side[checker].get();
    if (hidden->Visible()) hidden->Hide();
    bool moved = shown->X() != at.X || shown->Y() != at.Y || shown->Layer() != 0 || m_off[checker] != off;
    m_off[checker] = off;
    if (shown->Visible() && !moved) return;
    shown->Hide();
    shown->SetLayer(0);
    shown->MoveTo(at.X, at.Y);
    shown->Show();
}

// Lower checkers first, so each stack is drawn from the edge inwards.
void TGammonPieces::Place(const TBoard& board) {
    m_flights.clear();
    m_timer->SetEnabled(false);
    std::array<int, kCheckerCount> order;
    for (int i = 0; i < kCheckerCount; ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) { return board.Brick(a).StackKey() < board.Brick(b).StackKey(); });
    for (int checker : order) PutAt(checker, board);
}

TPathPoint TGammonPieces::Current(int checker) const {
    const TMyimage* image = m_off[checker] ? m_side[checker].get() : m_top[checker].get();
    return {image->X(), image->Y()};
}

void TGammonPieces::Move(const TBoard& board, const std::vector<TMoveRecord>& records, bool flying, bool own) {
    FinishFlights();
    if (!flying || records.empty()) {
        Place(board);
        return;
    }
    m_afterFlights = board;
    std::vector<int> carried;
    for (const TMoveRecord& record : records) {
        carried.push_back(record.Checker);
        if (record.Hit != kNoChecker) carried.push_back(record.Hit);
    }
    for (int checker = 0; checker < kCheckerCount; ++checker)
        if (std::find(carried.begin(), carried.end(), checker) == carried.end()) PutAt(checker, board);
    std::array<TPathPoint, kCheckerCount> from;
    for (int checker : carried) from[checker] = Current(checker);
    for (size_t i = 0; i < records.size(); ++i) {
        const TMoveRecord& record = records[i];
        bool again = std::any_of(records.begin() + static_cast<long>(i) + 1, records.end(),
                                 [&](const TMoveRecord& later) { return later.Checker == record.Checker; });
        TXY end = Where(board, record.Checker);
        if (again && IsBoardPoint(record.Target))
            end = m_geometry.Checker(record.Target, board.Position().Count(ColourOfChecker(record.Checker), record.Target),
                                     board.Position().Count(ColourOfChecker(record.Checker), record.Target) + 1);
        bool fromBar = record.Source == BarOf(ColourOfChecker(record.Checker));
        m_flights.push_back({record.Checker, HalfCirclePath(from[record.Checker], {end.X, end.Y}, kFlightPoints, own == fromBar), 0});
        from[record.Checker] = {end.X, end.Y};
        if (record.Hit != kNoChecker) {
            TXY bar = Where(board, record.Hit);
            m_flights.push_back({record.Hit, HalfCirclePath(from[record.Hit], {bar.X, bar.Y}, kFlightPoints, own), 0});
        }
    }
    for (int checker : carried) Lift(checker);
    m_timer->SetEnabled(true);
}

void TGammonPieces::Tick() {
    if (m_flights.empty()) {
        m_timer->SetEnabled(false);
        return;
    }
    TFlight& flight = m_flights.front();
    if (flight.Next < flight.Path.size()) {
        const TPathPoint& p = flight.Path[flight.Next++];
        DragTo(flight.Checker, p.X, p.Y);
    }
    if (flight.Next >= flight.Path.size()) m_flights.pop_front();
    if (m_flights.empty()) Place(m_afterFlights);
}

void TGammonPieces::FinishFlights() {
    if (m_flights.empty()) return;
    Place(m_afterFlights);
}

int TGammonPieces::CheckerAt(int x, int y, TSide colour) const {
    int found = -1, foundLayer = -1;
    for (int checker = FirstChecker(colour); checker < FirstChecker(colour) + kCheckersPerColour; ++checker) {
        const TMyimage& image = *m_top[checker];
        if (!image.Visible() || x < image.X() || y < image.Y() || x >= image.X() + image.Width() ||
            y >= image.Y() + image.Height())
            continue;
        // Any checker of a point will do (the top one is picked up); a
        // lifted one lies over the rest.
        if (found < 0 || image.Layer() > foundLayer) found = checker, foundLayer = image.Layer();
    }
    return found;
}

void TGammonPieces::Lift(int checker) {
    TMyimage& image = *m_top[checker];
    m_side[checker]->Hide();
    TPathPoint at = Current(checker);
    m_off[checker] = false;
    image.Hide();
    image.SetLayer(kDraggedLayer);
    image.MoveTo(at.X, at.Y);
    image.Show();
}

void TGammonPieces::DragTo(int checker, int x, int y) { m_top[checker]->MoveTo(x, y); }

void TGammonPieces::ShowDice(int left, TSide leftColour, int right, TSide rightColour) {
    const int faces[2] = {left, right};
    const TSide colours[2] = {leftColour, rightColour};
    for (size_t i = 0; i < 2; ++i) {
        if (m_dice[i]) m_dice[i]->Hide();
        m_dice[i].reset();
        m_dieFaces[i] = faces[i] >= 1 && faces[i] <= 6 ? faces[i] : 0;
        if (m_dieFaces[i] == 0) continue;
        std::string name = "2_dice" + ColourLetter(colours[i]) + (i == 0 ? "l" : "r") + std::to_string(m_dieFaces[i]);
        m_dice[i] = std::make_unique<TMyimage>(m_surface, name);
        m_dice[i]->SetTransparent(true);
        m_dice[i]->MoveTo(m_diceXY[2 * i], m_diceXY[2 * i + 1]);
        m_dice[i]->Show();
    }
}

void TGammonPieces::HideDice() { ShowDice(0, TSide::White, 0, TSide::White); }

// A hint die stands where the checker would land: on top of the target's
// stack, or in the tray for a checker borne off.
void TGammonPieces::ShowHints(const std::vector<THintDie>& hints, TSide colour, int offCount) {
    HideHints();
    for (const THintDie& hint : hints) {
        if (hint.Face < 1 || hint.Face > 6) continue;
        TXY at = hint.Target == kOffBoard ? m_geometry.Tray(colour, offCount)
                                          : m_geometry.Checker(hint.Target, 0, 1);
        auto image = std::make_unique<TMyimage>(m_surface, "2_SDice" + std::to_string(hint.Face));
        image->SetTransparent(true);
        image->SetLayer(1);
        image->MoveTo(at.X + m_hintOffset[0], at.Y + m_hintOffset[1]);
        image->Show();
        m_hints.push_back(std::move(image));
    }
}

void TGammonPieces::HideHints() {
    for (auto& hint : m_hints) hint->Hide();
    m_hints.clear();
}

void TGammonPieces::ShowCube(const TCube& cube, TSide own, bool enabled) {
    TRollover* face = m_cubes[static_cast<size_t>(std::clamp(cube.FaceIndex(), 0, kCubeFaces - 1))].get();
    if (m_cubeShown && m_cubeShown != face) m_cubeShown->Hide();
    m_cubeShown = face;
    bool opponentOwns = cube.Owner().has_value() && *cube.Owner() != own;
    TXY at = m_geometry.Cube(cube.Value(), opponentOwns);
    face->SetPosition(at.X, at.Y);
    face->SetEnabled(enabled);
    face->Hide();
    face->Show();
}

void TGammonPieces::HideCube() {
    if (m_cubeShown) m_cubeShown->Hide();
    m_cubeShown = nullptr;
}

#include "lobby/PreviewTumblix.h"

#include "controls/Text.h"
#include "graphics/Paint.h"
#include "lobby/PreviewGrid.h"
#include "lobby/PreviewLayout.h"

namespace {

// The colour byte of a message (colour + 1) as a colour; a 0 byte is empty.
int Colour(int byte) { return byte > 0 ? byte - 1 : 0; }

const std::vector<std::string> kBlocks = {"tumblix1", "tumblix2", "tumblix3", "tumblix4", "tumblix5",
                                          "tumblix6", "tumblix7", "tumblixL", "tumblixB"};

}  // namespace

TPreviewTumblix::TPreviewTumblix(TPaint* surface, const TPreviewPlace& place)
    : TSinglepreview(surface, "Tumblix", "Peek_tum", place) {
    TPreviewLayout layout(kSection, "PreviewTumblix");
    const int x1 = layout.Next(0), y1 = layout.Next(0), x2 = layout.Next(52), y2 = layout.Next(0);
    const int cellWidth = layout.Next(4), cellHeight = layout.Next(4);
    const int numberX = layout.Next(104), numberY = layout.Next(0);
    const int xs[] = {x1, x2}, ys[] = {y1, y2};
    for (size_t seat = 0; seat < m_wells.size(); ++seat) {
        m_wells[seat] = std::make_unique<TPreviewGrid>(surface, kColumns, kRows, false, kBlocks);
        m_wells[seat]->Place(place.X + xs[seat], place.Y + ys[seat], cellWidth, cellHeight);
        m_wells[seat]->SetLayer(kCellLayer);
    }
    m_numberLabel = MakeLabel("Previewtumblixfont", numberX, numberY);
}

TPreviewTumblix::~TPreviewTumblix() = default;

TPreviewGrid* TPreviewTumblix::SeatWell(int seat) const {
    return seat == 1 || seat == 2 ? m_wells[static_cast<size_t>(seat - 1)].get() : nullptr;
}

TPreviewGrid* TPreviewTumblix::Well(int seat) const { return SeatWell(seat); }

int TPreviewTumblix::Cell(int seat, int column, int row) const {
    const TPreviewGrid* well = SeatWell(seat);
    return well ? well->Cell(column, row) : 0;
}

void TPreviewTumblix::Load(const TTumblixSnapshot& snapshot) {
    const size_t cells = kColumns * kRows;
    for (size_t seat = 0; seat < m_wells.size(); ++seat) {
        std::vector<uint8_t> colours(cells);
        for (size_t i = 0; i < cells; ++i) colours[i] = static_cast<uint8_t>(Colour(snapshot.Boards[seat * cells + i]));
        m_wells[seat]->SetAll(colours);
    }
    SetNumber(snapshot.Numbers[0]);
    SetScore("Previewtumblixscore", std::to_string(snapshot.Numbers[1] - 1) + "," +
                                        std::to_string(snapshot.Numbers[2] - 1) + "," +
                                        std::to_string(snapshot.Numbers[3]));
}

void TPreviewTumblix::SetCells(int seat, const std::vector<TTumblixCell>& cells) {
    TPreviewGrid* well = SeatWell(seat);
    if (!well) return;
    for (const TTumblixCell& cell : cells) well->SetCell(cell.Column - 1, cell.Row - 1, Colour(cell.Colour));
}

void TPreviewTumblix::AddRow(int seat, const std::array<uint8_t, kColumns>& row) {
    TPreviewGrid* well = SeatWell(seat);
    if (!well) return;
    // One repaint for the whole well.
    std::vector<uint8_t> cells(well->Cells().begin() + kColumns, well->Cells().end());
    for (uint8_t byte : row) cells.push_back(static_cast<uint8_t>(Colour(byte)));
    well->SetAll(cells);
}

void TPreviewTumblix::RemoveRow(int seat, int row) {
    TPreviewGrid* well = SeatWell(seat);
    const int removed = row - 1;
    if (!well || removed < 0 || removed >= kRows) return;
    std::vector<uint8_t> cells = well->Cells();
    const auto rowStart = cells.begin() + removed * kColumns;
    cells.erase(rowStart, rowStart + kColumns);
    cells.insert(cells.begin(), kColumns, 0);
    well->SetAll(cells);
}

void TPreviewTumblix::SetNumber(int number) {
    m_number = number;
    m_numberLabel->SetText(std::to_string(number));
}

void TPreviewTumblix::Reset() {
    for (auto& well : m_wells) well->Clear();
    SetNumber(0);
    SetScore("Previewtumblixscore", "");
}

void TPreviewTumblix::ShowContent() {
    for (auto& well : m_wells) well->Show();
    m_numberLabel->Show();
}

void TPreviewTumblix::HideContent() {
    m_numberLabel->Hide();
    for (auto& well : m_wells) well->Hide();
}

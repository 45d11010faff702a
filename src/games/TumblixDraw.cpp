// What the Tumblix window draws: the two wells cell by cell (only cells that
// differ from what is on screen), the next-piece boxes, the balance bar, the
// level and progress labels, the pause image, and the weight and bomb
// animations, which play on a timer over the well they carry.
#include <algorithm>
#include <variant>

#include "controls/Text.h"
#include "games/Tumblix.h"
#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "rules/tumblix/Status.h"
#include "shell/MyTimer.h"

using namespace rules::tumblix;

namespace {

constexpr int kWeightStepMs = 20;
constexpr int kWeightFrameMs = 30;
constexpr int kBlastFrameMs = 10;

}  // namespace

int TTumblixForm::Drawn(int player, int x, int y) const {
    if (!TWell::Inside(x, y)) return -1;
    return m_drawn[Index(player)][size_t(y)][size_t(x)];
}

void TTumblixForm::DrawScreen(int player) {
    if (player == kOwn)
        DrawCells(kOwn, m_shownOwn ? *m_shownOwn : m_game.Well().Cells());
    else
        DrawCells(kOpponent, m_replay.Well().Cells());
}

void TTumblixForm::DrawCells(int player, const TCells& cells) {
    if (Paint()->Suspended()) return;
    TDrawn& drawn = m_drawn[Index(player)];
    bool changed = false;
    for (int y = 0; y < TWell::kRows; ++y)
        for (int x = 0; x < TWell::kColumns; ++x) {
            const int colour = cells[size_t(y)][size_t(x)];
            if (drawn[size_t(y)][size_t(x)] == colour) continue;
            DrawCell(player, x, y, colour);
            changed = true;
        }
    // Cells drawn under the pause image go under it again.
    if (changed && player == kOwn && m_paused && m_pauseImage->Visible())
        m_pauseImage->DrawAt(m_pauseImage->X(), m_pauseImage->Y());
}

// A brick of the colour, or the window's background for an empty cell.
void TTumblixForm::DrawCell(int player, int x, int y, int colour) {
    if (!TWell::Inside(x, y)) return;
    const int px = WellLeft(player) + kCell * x, py = WellTop(player) + kCell * y;
    if (colour > 0 && colour <= m_bricks->FrameCount())
        m_bricks->DrawFrameAt(colour, px, py);
    else
        Paint()->Redraw(Paint(), TRect{px, py, px + kCell, py + kCell});
    m_drawn[Index(player)][size_t(y)][size_t(x)] = colour;
}

void TTumblixForm::ClearScreen(int player) { Restore(player, 0, TWell::kColumns - 1, 0, TWell::kRows - 1); }

// Forgets what is drawn in the cells and draws them again.
void TTumblixForm::Restore(int player, int firstColumn, int lastColumn, int firstRow, int lastRow) {
    TDrawn& drawn = m_drawn[Index(player)];
    for (int y = std::max(firstRow, 0); y <= std::min(lastRow, TWell::kRows - 1); ++y)
        for (int x = std::max(firstColumn, 0); x <= std::min(lastColumn, TWell::kColumns - 1); ++x)
            drawn[size_t(y)][size_t(x)] = -1;
    DrawScreen(player);
}

void TTumblixForm::PrintPreview(int player, int shape) {
    int& shown = m_previewShape[Index(player)];
    if (shown == shape) return;
    shown = shape;
    const TBox& box = m_preview[Index(player)];
    Paint()->Redraw(Paint(), TRect{box.X, box.Y, box.X + box.Width, box.Y + box.Height});
    if (!IsShape(shape)) return;
    const rules::tumblix::TPoint origin = PreviewOrigin(shape, box.X, box.Y, box.Width, box.Height, kCell);
    for (int cy = 0; cy < kMaskSize; ++cy)
        for (int cx = 0; cx < kMaskSize; ++cx)
            if (uint8_t colour = MaskCell(shape, cx, cy))
                m_bricks->DrawFrameAt(colour, origin.X + kCell * cx, origin.Y + kCell * cy);
}

// The balance bar: the own half grows as the opponent's stack is higher.
void TTumblixForm::MakeStatus() {
    TMybitmap* bitmap = m_statusOwn->Bitmap();
    if (!bitmap) return;
    const int width = bitmap->Width(), height = bitmap->Height();
    const int split = std::clamp(BalanceSplit(m_game.Height(), m_replay.Height(), width), 0, width);
    if (split == m_split && m_statusOwn->Visible() == (split < width)) return;
    m_split = split;
    m_statusOwn->SetClip(TRect{split, 0, width, height});
    m_statusOpponent->SetClip(TRect{0, 0, split, height});
    if (split < width) m_statusOwn->Show();
    else m_statusOwn->Hide();
    if (split > 0) m_statusOpponent->Show();
    else m_statusOpponent->Hide();
}

void TTumblixForm::PrintProcent() {
    const std::string text = m_game.Dead() && m_game.Level() == 0 ? std::string() : ProgressText(m_game.Lines());
    if (m_procent->Text() != text) m_procent->SetText(text);
}

void TTumblixForm::PrintLevel() {
    const std::string text = m_game.Level() > 0 ? std::to_string(m_game.Level()) : std::string();
    if (m_level->Text() != text) m_level->SetText(text);
}

// After a level up to an odd level the empty cells are drawn afresh.
void TTumblixForm::RedrawEmptyCells() {
    if (m_game.Level() % 2 == 0) return;
    for (int player : {kOwn, kOpponent}) {
        const TCells& cells = player == kOwn ? m_game.Well().Cells() : m_replay.Well().Cells();
        TDrawn& drawn = m_drawn[Index(player)];
        for (int y = 0; y < TWell::kRows; ++y)
            for (int x = 0; x < TWell::kColumns; ++x)
                if (cells[size_t(y)][size_t(x)] == 0) drawn[size_t(y)][size_t(x)] = -1;
        DrawScreen(player);
    }
}

// Hiding the image puts the window's background back; the cells under it
// are drawn again.
void TTumblixForm::ShowPauseImage(bool shown) {
    if (shown) {
        m_pauseImage->Show();
        return;
    }
    if (!m_pauseImage->Visible()) return;
    const TRect area = m_pauseImage->Bounds();
    m_pauseImage->Hide();
    Restore(kOwn, (area.left - WellLeft(kOwn)) / kCell - 1, (area.right - WellLeft(kOwn)) / kCell,
            (area.top - WellTop(kOwn)) / kCell - 1, (area.bottom - WellTop(kOwn)) / kCell);
}

// Animations --------------------------------------------------------------------

void TTumblixForm::Animate(const TOwnEvent& event) {
    if (const auto* sound = std::get_if<TSoundNow>(&event)) {
        PlaySound(sound->Name);
        return;
    }
    m_tick->SetEnabled(false);
    if (const auto* fall = std::get_if<TWeightFall>(&event)) AnimateWeight(*fall);
    if (const auto* blast = std::get_if<TBlast>(&event)) AnimateBlast(*blast);
}

// The weight sinks a row every 20 ms, then vanishes with frames 2 to 10 of
// its animation, one every 30 ms.
void TTumblixForm::AnimateWeight(const TWeightFall& fall) {
    if (fall.Steps.empty()) return;
    const bool first = !m_animation->Running();
    auto show = [this](const TCells& cells) {
        m_shownOwn = cells;
        DrawScreen(kOwn);
    };
    if (first) show(fall.Steps.front());
    else m_animation->Add(0, [show, cells = fall.Steps.front()] { show(cells); });
    for (size_t i = 1; i < fall.Steps.size(); ++i)
        m_animation->Add(kWeightStepMs, [show, cells = fall.Steps[i]] { show(cells); });
    const int x = fall.Column, y = fall.VanishRow;
    const int wait = fall.Steps.size() > 1 ? kWeightStepMs : 0;
    for (int frame = kWeightFirstFrame; frame <= kWeightLastFrame; ++frame) {
        m_animation->Add(frame == kWeightFirstFrame ? wait : kWeightFrameMs, [this, x, y, frame] {
            if (m_shownOwn) (*m_shownOwn)[size_t(y)][size_t(x)] = 0;
            DrawCell(kOwn, x, y, 0);
            m_weight[0]->DrawFrameAt(frame, WellLeft(kOwn) + kCell * x, WellTop(kOwn) + kCell * y);
        });
    }
    m_animation->Add(kWeightFrameMs, [this, x, y] { Restore(kOwn, x, x, y, y); });
    m_animation->Add(kWeightStepMs, [this] { AnimationDone(); });
}

// Eight frames 10 ms apart over the 3 x 3 cells; the cells go at the fifth.
void TTumblixForm::AnimateBlast(const TBlast& blast) {
    const bool first = !m_animation->Running();
    const TBlastArea area = BlastArea(blast.X, blast.Y);
    for (int frame = 1; frame <= kBlastFrames; ++frame) {
        auto step = [this, blast, area, frame] {
            if (frame == 1) m_shownOwn = blast.Before;
            if (frame == kBlastClearFrame) m_shownOwn = blast.After;
            Restore(kOwn, area.FirstColumn, area.LastColumn, area.FirstRow, area.LastRow);
            DrawBlastFrame(frame, blast.X, blast.Y);
        };
        if (frame == 1 && first) step();
        else m_animation->Add(frame == 1 ? 0 : kBlastFrameMs, step);
    }
    m_animation->Add(kBlastFrameMs, [this, area] {
        Restore(kOwn, area.FirstColumn, area.LastColumn, area.FirstRow, area.LastRow);
        AnimationDone();
    });
}

// The frame's pixel (0, 0) lies on cell (x, y); the part outside the well
// is cut off.
void TTumblixForm::DrawBlastFrame(int frame, int x, int y) {
    const TBlastArea area = BlastArea(x, y);
    if (area.Empty()) return;
    TMyimagelist& strip = *m_explode[0];
    strip.SetClip(TRect{kCell * (area.FirstColumn - x), kCell * (area.FirstRow - y),
                        kCell * (area.LastColumn - x + 1), kCell * (area.LastRow - y + 1)});
    strip.DrawFrameAt(frame, WellLeft(kOwn) + kCell * x, WellTop(kOwn) + kCell * y);
}

// The last step of an animation: the game's own well is shown again, held
// keys are released, and gravity goes on unless more is to be shown.
void TTumblixForm::AnimationDone() {
    if (m_animation->Running()) return;
    m_shownOwn.reset();
    DrawScreen(kOwn);
    MakeStatus();
    KeyOff();
    if (Running()) m_tick->SetEnabled(true);
}

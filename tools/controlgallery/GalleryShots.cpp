#include "GalleryShots.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "Galleryform.h"
#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Glide.h"
#include "controls/Keys.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Paint.h"
#include "graphics/PixelFormat.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"

namespace hl = platform::headless;

namespace {

// Virtual time between the stops.
constexpr int kFirstWaitMs = 12000;
// The glide menu needs 11 ticks of 20 ms; the rest lets the sounds and
// blinks move on.
constexpr int kMenuGrowMs = 400;
constexpr int kShortWaitMs = 100;
// A smooth scroll moves at most one row at 2 pixels per 20 ms.
constexpr int kScrollWaitMs = 300;
constexpr int kPickerSteps = 6;
constexpr int kSortColumn = 1;  // "Players", from 0
constexpr int kSelectedRow = 2;
constexpr int kRowClickInset = 10;

// The centre of a button, in its window.
void CentreOf(const TRollover& button, int& x, int& y) {
    x = button.X() + button.Width() / 2;
    y = button.Y() + button.ImageHeight() / 2;
}

// Copies the shown part of a window onto the canvas of the gallery window,
// where the window stands on the screen.
void Blit(const hl::TWindow& window, const platform::Rect& canvasRect, int bytesPerPixel,
          std::vector<uint8_t>& canvas) {
    const platform::Rect shown = window.Bounds();
    const platform::Rect area = platform::Intersect(shown, canvasRect);
    if (area.Empty()) return;
    const size_t canvasPitch = static_cast<size_t>(canvasRect.Width()) * bytesPerPixel;
    const size_t pitch = static_cast<size_t>(window.Params().width) * bytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(area.Width()) * bytesPerPixel;
    for (int y = area.top; y < area.bottom; ++y) {
        const size_t from = static_cast<size_t>(y - shown.top) * pitch +
                            static_cast<size_t>(area.left - shown.left) * bytesPerPixel;
        const size_t to = static_cast<size_t>(y - canvasRect.top) * canvasPitch +
                          static_cast<size_t>(area.left - canvasRect.left) * bytesPerPixel;
        std::memcpy(&canvas[to], &window.Screen()[from], rowBytes);
    }
}

}  // namespace

TGalleryShots::TGalleryShots(TGalleryform& form, std::string outDir)
    : m_form(form), m_outDir(std::move(outDir)) {}

hl::TWindow& TGalleryShots::Main() const {
    return *static_cast<hl::TWindow*>(m_form.Paint()->Window());
}

bool TGalleryShots::Run(std::string& error) {
    Settle();
    if (!Shoot("1-initial", error)) return false;
    if (TText* marquee = m_form.MarqueeLabel())
        Hover((marquee->Left() + marquee->Right()) / 2, (marquee->Top() + marquee->Bottom()) / 2);
    hl::Loop().RunFor(kFirstWaitMs);
    if (!Shoot("2-after-12s", error)) return false;
    bool ok = true;
    OpenMenuAndChoose(error, ok);
    if (ok) PickSymbol(error, ok);
    if (!ok) return false;
    SortTables();
    return Shoot("5-list-sorted", error);
}

void TGalleryShots::OpenMenuAndChoose(std::string& error, bool& ok) {
    if (TRollover* button = m_form.MenuButton()) {
        int x = 0, y = 0;
        CentreOf(*button, x, y);
        Click(x, y);
    } else {
        m_form.OpenMenu();
    }
    hl::Loop().RunFor(kMenuGrowMs);
    ok = Shoot("3-glide-open", error);
    TGlide* menu = m_form.Menu();
    if (!ok || !menu || !menu->Opened() || !menu->Item(1)) return;
    // Choosing an item closes the menu and says so in the chat.
    auto* popup = static_cast<hl::TWindow*>(menu->PopupSurface()->Window());
    int x = 0, y = 0;
    CentreOf(*menu->Item(1), x, y);
    popup->MouseMove(x, y);
    popup->MouseDown(platform::ButtonLeft, x, y, platform::LeftButtonHeld);
    popup->MouseUp(platform::ButtonLeft, x, y);
    hl::Loop().RunFor(kShortWaitMs);
}

void TGalleryShots::PickSymbol(std::string& error, bool& ok) {
    m_form.Focus();
    Type("Hello ");
    if (TRollover* button = m_form.SymbolButton()) {
        int x = 0, y = 0;
        CentreOf(*button, x, y);
        Click(x, y);
    } else {
        m_form.OpenPicker();
    }
    hl::Loop().RunFor(kShortWaitMs);
    TCharselect* picker = m_form.Picker();
    auto* window = picker ? static_cast<hl::TWindow*>(picker->Paint()->Window()) : nullptr;
    if (window && picker->IsOpen()) {
        for (int i = 0; i < kPickerSteps; ++i) window->KeyDown(vk::Down);
    }
    hl::Loop().RunFor(kShortWaitMs);
    ok = Shoot("4-symbols-open", error);
    if (!ok || !window || !picker->IsOpen()) return;
    // The pick goes into the chat line, which is then sent.
    window->KeyDown(vk::Enter);
    hl::Loop().RunFor(kShortWaitMs);
    Type(" there");
    Main().KeyDown(vk::Enter);
    hl::Loop().RunFor(kShortWaitMs);
}

void TGalleryShots::SortTables() {
    int x = 0, y = 0;
    if (m_form.HeaderCentre(kSortColumn, x, y)) Click(x, y);
    if (TMultilist* tables = m_form.Tables()) ClickRow(*tables, kSelectedRow);
    // A user too, for the user list's highlight image.
    TChatroom* room = m_form.Chat() ? m_form.Chat()->Room(1) : nullptr;
    if (room && room->Users()) ClickRow(*room->Users(), kSelectedRow);
    if (TRollover* join = m_form.JoinButton()) {
        CentreOf(*join, x, y);
        Hover(x, y);
    }
    hl::Loop().RunFor(kScrollWaitMs);
}

void TGalleryShots::ClickRow(const TMultilist& list, int row) {
    Click(list.X() + kRowClickInset, list.RowsTop() + row * list.RowHeight() + list.RowHeight() / 2);
}

void TGalleryShots::Hover(int x, int y) {
    const platform::Rect frame = Main().Bounds();
    hl::Video().SetPointerPosition(frame.left + x, frame.top + y);
    Main().MouseMove(x, y);
}

void TGalleryShots::Click(int x, int y) {
    Hover(x, y);
    Main().MouseDown(platform::ButtonLeft, x, y, platform::LeftButtonHeld);
    Main().MouseUp(platform::ButtonLeft, x, y);
}

void TGalleryShots::Type(const std::string& text) {
    for (char c : text) Main().Char(static_cast<uint8_t>(c));
}

void TGalleryShots::Settle() {
    hl::Loop().ProcessMessages();
    for (hl::TWindow* window : hl::Video().Windows()) window->Update();
    hl::Loop().ProcessMessages();
}

bool TGalleryShots::Shoot(const std::string& name, std::string& error) {
    Settle();
    const hl::TWindow& main = Main();
    const int depth = TGreatBitmap::Instance().Depth();
    const int bytesPerPixel = DepthBytesPerPixel(depth);
    const platform::Rect canvasRect = main.Bounds();
    std::vector<uint8_t> canvas = main.Screen();
    for (const hl::TWindow* window : hl::Video().Windows()) {
        if (window != &main && window->Visible()) Blit(*window, canvasRect, bytesPerPixel, canvas);
    }
    const std::string path = (std::filesystem::path(m_outDir) / (name + ".png")).string();
    if (!hl::WriteSurfacePng(path, canvas.data(), canvasRect.Width(), canvasRect.Height(),
                             canvasRect.Width() * bytesPerPixel, depth)) {
        error = "cannot write " + path;
        return false;
    }
    m_written.push_back(path);
    return true;
}

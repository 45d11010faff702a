#include "lobby/Msgform.h"

#include <algorithm>
#include <bit>

#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Mybitmap.h"
#include "graphics/Paint.h"
#include "platform/Platform.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr char kSection[] = "Message";
constexpr int kOkPlace = mb::Ok - 1;

constexpr std::array<const char*, TMsgform::kPlaces> kPlaceNames = {
    "_mbYes",  "_mbOk",   "_mbCus1", "_mbCus2", "_mbCus3", "_mbCus4", "_mbCus5",
    "_mbCus6", "_mbCus7", "_mbCus8", "_mbCus9", "_mbNo",   "_mbCan"};

// A button place and the bit that selects it.
unsigned PlaceBit(int place) { return mb::Bit(place + 1); }

bool FormAlive(const TForm* form) {
    const auto& forms = TForm::All();
    return form && std::find(forms.begin(), forms.end(), form) != forms.end();
}

// A key that is not among the message texts is shown as it stands.
std::string MessageText(const std::string& key) { return GetTextDef(kSection, key, key); }

}  // namespace

// ---------------------------------------------------------------------------
// TMsgform

std::string TMsgform::ElementName(int skin, int place) {
    if (place < 0 || place >= kPlaces) return "";
    return std::to_string(skin) + kPlaceNames[size_t(place)];
}

TMsgform::TMsgform(TForm* owner, int skin)
    : TForm(std::to_string(skin) + "_Message", platform::WindowKind::StaysOnTop),
      m_owner(owner),
      m_skin(skin) {
    const std::string n = std::to_string(skin);
    m_message = TText::CreateFromLayout(Paint(), n + "_Messagetext", kSection);
    m_title = TText::CreateFromLayout(Paint(), n + "_From", kSection);
    m_from = TText::CreateFromLayout(Paint(), n + "_Fromtext", kSection);
    for (int place = 0; place < kPlaces; ++place) {
        const std::string name = ElementName(skin, place);
        if (!TMybitmap::Exists(LowerCaseAscii(name + "on"))) continue;
        auto button = std::make_unique<TRollover>(Paint(), kSection, name,
                                                  [this](TRollover* sender) { ButtonClicked(sender); });
        button->SetTag(place + 1);
        m_buttons[size_t(place)] = std::move(button);
    }
}

TMsgform::~TMsgform() = default;

TForm* TMsgform::Owner() const { return FormAlive(m_owner) ? m_owner : nullptr; }

TRollover* TMsgform::Button(int place) const {
    if (place < 0 || place >= kPlaces) return nullptr;
    return m_buttons[size_t(place)].get();
}

int TMsgform::Run(const std::string& textKey, const std::string& titleKey, unsigned buttons,
                  int defaultResult) {
    WaitUntilFree();
    if (textKey.empty() || platform::Loop().Terminated()) return 0;
    m_default = defaultResult;
    m_message->SetText(MessageText(textKey));
    m_title->SetText(MessageText(titleKey));
    return ShowBox(buttons & kAllButtons);
}

void TMsgform::CloseBox() {
    if (!Visible()) return;
    Hide();
    ReleaseOwner();
}

// A notice gives way at once; a modal box is waited for, so its caller gets
// its answer before this box takes the slot.
void TMsgform::WaitUntilFree() {
    platform::IEventLoop& loop = platform::Loop();
    while (Visible() && !loop.Terminated()) {
        if (!m_modal) {
            CloseBox();
            return;
        }
        loop.WaitMessage();
    }
}

int TMsgform::ShowBox(unsigned buttons) {
    HideButtons();
    PlaceOverOwner();
    m_modal = buttons != 0;
    LayoutButtons(UsableButtons(buttons));
    HoldOwner();
    ++m_shown;
    if (!m_modal) {
        Show();
        BringToFront();
        return 0;
    }
    return WaitForAnswer();
}

int TMsgform::WaitForAnswer() {
    m_results.push_back(0);
    const size_t entry = m_results.size() - 1;
    const int box = m_shown;
    if (TForm* owner = Owner()) owner->BringToFront();
    Show();
    BringToFront();
    Focus();
    platform::IEventLoop& loop = platform::Loop();
    // A box shown after this one (a notice asked for from inside the wait)
    // ends the wait as well: this box was answered before it could show.
    while (Visible() && m_shown == box && !loop.Terminated()) {
        loop.WaitMessage();
        if (Visible() && m_shown == box && !Focused()) Focus();
    }
    if (m_shown == box) Hide();
    const int result = m_results[entry];
    m_results.resize(entry);
    if (!Visible()) ReleaseOwner();
    TForm* owner = Owner();
    if (owner && owner->Visible() && owner->Enabled()) owner->BringToFront();
    return result;
}

void TMsgform::HideButtons() {
    for (auto& button : m_buttons) {
        if (button) button->Hide();
    }
}

// Centred over the owner (the screen without one), held on the screen.
void TMsgform::PlaceOverOwner() {
    const platform::DisplayMode screen = platform::Video().CurrentMode();
    TForm* owner = Owner();
    int left = owner ? owner->Left() + (owner->Width() - Width()) / 2 : (screen.width - Width()) / 2;
    int top = owner ? owner->Top() + (owner->Height() - Height()) / 2 : (screen.height - Height()) / 2;
    left = std::max(0, std::min(left, screen.width - Width()));
    top = std::max(0, std::min(top, screen.height - Height()));
    SetPosition(left, top);
}

unsigned TMsgform::UsableButtons(unsigned requested) {
    unsigned usable = 0;
    for (int place = 0; place < kPlaces; ++place) {
        if ((requested & PlaceBit(place)) && m_buttons[size_t(place)]) usable |= PlaceBit(place);
    }
    m_fallback = requested != 0 && usable == 0;
    if (m_fallback && m_buttons[kOkPlace]) usable = PlaceBit(kOkPlace);
    return usable;
}

// Left to right in ascending bit order, centred as a row on the box.
void TMsgform::LayoutButtons(unsigned usable) {
    m_buttonCount = std::popcount(usable);
    int width = 0;
    for (const auto& button : m_buttons) {
        if (button) {
            width = button->Width();
            break;
        }
    }
    const int first = Width() / 2 - m_buttonCount * (width / 2 + kButtonMargin) + kButtonMargin;
    int shown = 0;
    for (int place = 0; place < kPlaces; ++place) {
        if (!(usable & PlaceBit(place))) continue;
        TRollover* button = m_buttons[size_t(place)].get();
        button->SetX(first + shown * (width + 2 * kButtonMargin));
        button->Show();
        ++shown;
    }
}

// The first box of a run remembers the owner's state; boxes that follow it
// in the same slot keep that memory.
void TMsgform::HoldOwner() {
    TForm* owner = Owner();
    if (!owner) return;
    if (!m_holdingOwner) {
        m_ownerWasEnabled = owner->Enabled();
        m_holdingOwner = true;
    }
    owner->SetEnabled(false);
}

void TMsgform::ReleaseOwner() {
    if (!m_holdingOwner) return;
    m_holdingOwner = false;
    if (TForm* owner = Owner()) owner->SetEnabled(m_ownerWasEnabled);
}

// The top result belongs to the box shown; a notice has none and closes.
void TMsgform::Answer(int result) {
    if (!m_modal) {
        CloseBox();
        return;
    }
    if (!m_results.empty()) m_results.back() = result;
    Hide();
}

void TMsgform::ButtonClicked(TRollover* sender) {
    Answer(m_fallback ? m_default : sender->Tag());
}

// A modal box without any button to show answers Enter and the close
// request with its default, whatever that is.
bool TMsgform::Bare() const { return m_modal && m_fallback && m_buttonCount == 0; }

// The window system's close: the default of a one-button box; 0 refuses.
bool TMsgform::FormCloseQuery() {
    const int result = m_buttonCount == 1 || Bare() ? m_default : 0;
    if (result == 0 && !Bare()) return false;
    if (m_modal && !m_results.empty()) m_results.back() = result;
    return true;
}

// Every key typed into the box ends here.
bool TMsgform::FormKeyDown(int key, unsigned shift) {
    (void)shift;
    if (key == kEnterKey && (m_default != 0 || Bare())) Answer(m_default);
    return true;
}

bool TMsgform::FormKeyPress(uint8_t& ch) {
    (void)ch;
    return true;
}

// ---------------------------------------------------------------------------
// TMsgforms

TMsgforms::TMsgforms() = default;

TMsgforms::~TMsgforms() {
    ClearMsgBoxes(this);
}

void TMsgforms::Register() { SetMsgBoxes(this); }

int TMsgforms::NewMsgBox(TForm* owner, int skin) {
    m_slots.push_back(std::make_unique<TMsgform>(owner, skin));
    return Count() - 1;
}

int TMsgforms::MsgBoxIn(const std::string& textKey, const std::string& titleKey, unsigned buttons,
                        int slot, int defaultResult) {
    TMsgform* box = Slot(slot);
    return box ? box->Run(textKey, titleKey, buttons, defaultResult) : 0;
}

void TMsgforms::CloseMsgBox(int slot) {
    if (TMsgform* box = Slot(slot)) box->CloseBox();
}

TMsgform* TMsgforms::Slot(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return m_slots[size_t(index)].get();
}

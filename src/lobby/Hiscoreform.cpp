#include "lobby/Hiscoreform.h"

#include "controls/Bar.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/Texts.h"

namespace {

constexpr int kColumns = 3;

struct TTab {
    const char* element;
    const char* textSection;
    const char* textKey;
};

// In list order: the tab t (from 1) asks for list t - 1.
constexpr TTab kTabs[THiscoreform::kLists] = {{"All", "Hiscore", "Allgames"},
                                              {"Tumbli", "Chat", "Tumblixname"},
                                              {"Bg", "Chat", "BGname"},
                                              {"Puzzle", "Chat", "Puzzlename"},
                                              {"Yatzy", "Chat", "Yatzyname"}};

constexpr const char* kLabelKeys[] = {"Myname", "Myscore", "Myplace"};

}  // namespace

THiscoreform::THiscoreform() : TForm(kPainter) {
    m_list = std::make_unique<TMultilist>(Paint(), nullptr, this, "List", kSection, kColumns);
    m_ok = std::make_unique<TRollover>(Paint(), kSection, "OK", [this](TRollover*) { Close(); });
    m_ok->Show();
    for (size_t i = 0; i < m_labels.size(); ++i)
        m_labels[i] = TText::CreateFromLayout(Paint(), kLabelKeys[i], kSection);
    CreateTabs();
    SessionWindows().Hiscore = this;
}

THiscoreform::~THiscoreform() {
    if (SessionWindows().Hiscore == this) SessionWindows().Hiscore = nullptr;
}

void THiscoreform::CreateTabs() {
    m_bar = std::make_unique<TBar>(
        Paint(), [this](TRollover* tab) { Guarded([&] { TabSelected(tab); }); }, "Gamebar", kSection);
    for (int list = 0; list < kLists; ++list) {
        const TTab& tab = kTabs[list];
        m_bar->AddTab(tab.element, GetText(tab.textSection, tab.textKey), list);
    }
    m_bar->Show();
}

void THiscoreform::Open(int list) {
    if (list < 0 || list >= kLists) list = 0;
    Show();
    BringToFront();
    Focus();
    m_bar->Select(list + 1);
}

void THiscoreform::TabSelected(const TRollover* tab) {
    if (!Visible() || !tab) return;
    m_list->Clear();
    ClearLabels();
    Send(protocol::Build(protocol::THiscoreRequest{tab->Tag(), kFirstPlace, kLastPlace}));
}

void THiscoreform::ShowHiscores(const THiscoreList& list) {
    m_labels[0]->SetText(list.MyName);
    m_labels[1]->SetText(list.MyScore);
    m_labels[2]->SetText(list.MyPlace);
    m_list->Clear();
    for (const auto& row : list.Rows)
        for (const std::string& cell : row) m_list->AddCell(cell);
    m_list->Show();
}

void THiscoreform::FormShow() {
    m_list->Show();
    ClearLabels();
}

void THiscoreform::FormClose() { m_list->Hide(); }

void THiscoreform::FormDeactivate() { Close(); }

void THiscoreform::ClearLabels() {
    for (auto& label : m_labels) label->SetText("");
}

void THiscoreform::Send(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}

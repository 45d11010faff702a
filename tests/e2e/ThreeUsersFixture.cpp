#include "ThreeUsersFixture.h"

#include <algorithm>

#include "controls/Bar.h"
#include "controls/Chat.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "lobby/LobbySkin.h"
#include "lobby/Spam.h"
#include "lobby/UserIcons.h"
#include "net/Dispatcher.h"
#include "platform/headless/Headless.h"

namespace e2etest {

using namespace skintest;

std::string Word(int value) { return TwoBytes(static_cast<uint16_t>(value)); }

std::string Field(const std::string& text) { return text + '\x01'; }

// The zone's chat colours: name 3, text 1.
std::string ChatFrom(int room, const std::string& alias, const std::string& text) {
    return Build(protocol::TChatLine{room, 3, 1, alias + ": " + text});
}

// The wire users ---------------------------------------------------------------

TWireUser::TWireUser(std::string alias, uint16_t port) : m_alias(std::move(alias)) {
    m_line.client.Port = port;
}

bool TWireUser::LogOn(bool registering, const std::function<bool(const std::function<bool()>&)>& until) {
    TClient& client = m_line.client;
    client.Open();
    if (!client.LoggedIn()) return false;
    auto next = [&](size_t count) { return until([&] { return m_line.messages.size() >= count; }); };
    const size_t start = m_line.messages.size();
    client.Send(Build(protocol::THello{}));
    if (!next(start + 1) || m_line.messages[start] != Build(protocol::TVersionQuery{kClientVersionName})) return false;
    client.Send(Build(protocol::TVersionAnswer{kClientVersionName, kProgramVersion}));
    if (!next(start + 2) || m_line.messages[start + 1] != Build(protocol::TLogonPrompt{})) return false;
    protocol::TLogon logon{.Alias = m_alias, .Password = "pw", .Distribution = 0, .Machine = 42};
    if (registering) {
        logon.Registration = true;
        logon.Year = 1990;
        logon.Month = 5;
        logon.Day = 17;
        logon.Gender = 1;
    }
    client.Send(Build(logon));
    if (!next(start + 3) || m_line.messages[start + 2][0] != '\x01') return false;
    m_welcomeAt = start + 3;
    return true;
}

bool TWireUser::Got(const std::string& message) const {
    for (size_t i = m_welcomeAt; i < m_line.messages.size(); ++i)
        if (m_line.messages[i] == message) return true;
    return false;
}

size_t TWireUser::CountStarting(const std::string& start) const {
    size_t count = 0;
    for (size_t i = m_welcomeAt; i < m_line.messages.size(); ++i)
        if (m_line.messages[i].compare(0, start.size(), start) == 0) ++count;
    return count;
}

// The world ----------------------------------------------------------------------

void ThreeUsersTest::SetUp() {
    LogonFixture::SetUp();
    WriteSkin();
    server::ZoneConfig& zone = m_server.Config().zone;
    zone.rooms = {{2, 0, "Public", "Lobby"}, {2, 0, "Public", "Games"}};
    // The server's clock stands still, so no minute ever refills the budget.
    zone.chatBurst = 100000;
    std::string error;
    ASSERT_TRUE(m_server.Start(nullptr, error)) << error;
    SetPorts("Ports", std::to_string(m_server.Port()));
    Session().EndProgram = [this] { ++m_endings; };

    m_lobby = std::make_unique<TChatform>();
    m_lobby->Sender = [this](const std::string& message) {
        sent.push_back(message);
        SendToServer(message);
    };
    Logon().Connector().WaitStep = [this] { StepWorld(); };
    LinkSessionForms(Logon(), Registration());
    boxes.onBox = [this](const nettest::TBoxCall& call) { return Answer(call); };

    bo = std::make_unique<TWireUser>("Bo", m_server.Port());
    ASSERT_TRUE(bo->LogOn(true, Waiter()));
    RegisterEva();
    ASSERT_TRUE(Until([&] { return ListedUsers() == std::vector<std::string>{"Bo", "Eva"}; }));
    cy = std::make_unique<TWireUser>("Cy", m_server.Port());
    ASSERT_TRUE(cy->LogOn(true, Waiter()));
    ASSERT_TRUE(Until([&] {
        return ListedUsers() == std::vector<std::string>{"Bo", "Cy", "Eva"} &&
               bo->Got(Build(protocol::TUserPresent{kLobby, kNewcomerIcon, "Cy"}));
    }));
    // The list of everyone, where her clicks on users go; the switch asks
    // for a banner.
    ShowUserArea();
    sent.clear();
}

void ThreeUsersTest::TearDown() {
    cy.reset();
    bo.reset();
    registration.reset();
    logon.reset();
    m_server.Stop();
    m_lobby.reset();
    LogonFixture::TearDown();
}

// Every connection shares the headless backend, so stepping one moves all.
void ThreeUsersTest::StepWorld() {
    if (TClient* client = Session().Client) {
        Step(*client);
        return;
    }
    platform::headless::Loop().AdvanceMs(1);
    bool tasksReady = false;
    static_cast<platform::headless::TIo&>(platform::Io()).Poll(2, &tasksReady);
    platform::headless::Loop().Queue().Drain();
}

bool ThreeUsersTest::Until(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); ++i) StepWorld();
    return done();
}

std::function<bool(const std::function<bool()>&)> ThreeUsersTest::Waiter() {
    return [this](const std::function<bool()>& done) { return Until(done); };
}

bool ThreeUsersTest::Sync(TWireUser& user) {
    const std::string ping = "\x1E";
    const size_t before = user.CountStarting(ping);
    user.Send(ping);
    return Until([&] { return user.CountStarting(ping) > before; });
}

// The connect box waits until the dispatcher closes it; notices return.
// The call lives in the recorder's list, which the wait may grow: what is
// needed of it is read first.
int ThreeUsersTest::Answer(const nettest::TBoxCall& call) {
    const int answer = call.buttons == mb::kYesNo ? mb::Yes : 0;
    if (call.text == "Connecttext") {
        const size_t closed = boxes.closed.size();
        Until([&] { return boxes.closed.size() > closed; });
    }
    return answer;
}

void ThreeUsersTest::RegisterEva() {
    Registration().Show();
    Registration().AliasEdit()->SetText("Eva");
    Registration().PasswordEdit()->SetText("hemmelig");
    Registration().YearEdit()->SetText("1991");
    Registration().MonthEdit()->SetText("3");
    Registration().DayEdit()->SetText("9");
    Registration().OkClick();
    ASSERT_FALSE(Registration().Visible());
    ASSERT_TRUE(Lobby().Visible());
    ASSERT_EQ(Session().Alias, "Eva");
}

// Eva's hands ------------------------------------------------------------------

void ThreeUsersTest::Enter(const std::string& text) {
    platform::headless::Loop().AdvanceMs(5000);
    for (char c : text) Win().Char(static_cast<uint8_t>(c));
    Win().KeyDown(13);
}

void ThreeUsersTest::Click(const TRollover& button, int x) {
    const int px = button.X() + (x < 0 ? button.Width() / 2 : x);
    const int py = button.Y() + button.Height() / 2;
    Win().MouseMove(px, py);
    Win().MouseDown(platform::ButtonLeft, px, py);
    Win().MouseUp(platform::ButtonLeft, px, py);
}

void ThreeUsersTest::ShowUserArea() {
    if (Lobby().MenuState() != 3) Click(*Lobby().MenuBar()->Tab(3));
    ASSERT_EQ(Lobby().MenuState(), 3);
}

void ThreeUsersTest::ChooseForUser(const std::string& name, const std::string& element) {
    ShowUserArea();
    TMultilist& users = *Lobby().Users();
    const int row = users.FindRow(0, name);
    ASSERT_GE(row, 0) << name;
    const int y = users.RowsTop() + row * users.RowHeight() + users.RowHeight() / 2 - users.PixelOffset();
    Win().MouseDown(platform::ButtonLeft, 10, y);
    ASSERT_EQ(Lobby().SelectedUser(), name);
    TGlide& menu = *Lobby().UserMenu();
    ASSERT_TRUE(menu.Opened());
    for (int i = 0; i < menu.Count(); ++i) {
        TRollover* item = menu.Item(i);
        if (item->Element() != element) continue;
        item->OnClick(item);
        return;
    }
    FAIL() << "no item " << element;
}

void ThreeUsersTest::CloseByTab(int roomId) {
    TRollover* tab = Lobby().RoomTabs()->TabByKey(roomId);
    ASSERT_NE(tab, nullptr);
    TChatroom* room = Room(roomId);
    ASSERT_NE(room, nullptr);
    Click(*tab, tab->ImageOffset() + tab->ImageWidth() - 3);
    TGlide* menu = Lobby().RoomMenu(room->Kind());
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->Opened());
    // The tab bar takes its selection back in the loop's next pass, before
    // the click on the menu comes.
    platform::headless::Loop().ProcessMessages();
    menu->Item(0)->OnClick(menu->Item(0));
}

// What Eva sees ------------------------------------------------------------------

TChatroom* ThreeUsersTest::Room(int id) const {
    return Lobby().Chat()->Room(Lobby().Chat()->RoomIndex(id));
}

int ThreeUsersTest::CurrentRoomId() const {
    TChatroom* room = Lobby().CurrentChatroom();
    return room ? room->Id() : -1;
}

std::vector<std::string> ThreeUsersTest::Lines(int id) const {
    std::vector<std::string> lines;
    TChatroom* room = Room(id);
    if (!room) return lines;
    TMultilist& text = *room->Text();
    for (int row = 0; row < text.RowCount(); ++row) lines.push_back(text.PlainCell(0, row));
    return lines;
}

std::string ThreeUsersTest::RawLine(int id, const std::string& line) const {
    TChatroom* room = Room(id);
    if (!room) return {};
    TMultilist& text = *room->Text();
    for (int row = 0; row < text.RowCount(); ++row)
        if (text.PlainCell(0, row) == line) return text.Cell(0, row);
    return {};
}

bool ThreeUsersTest::HasLine(int id, const std::string& line) const {
    for (const std::string& each : Lines(id))
        if (each == line) return true;
    return false;
}

std::vector<std::string> ThreeUsersTest::RoomUsers(int id) const {
    std::vector<std::string> users;
    TChatroom* room = Room(id);
    if (!room || !room->Users()) return users;
    for (int row = 0; row < room->Users()->RowCount(); ++row) users.push_back(room->Users()->PlainCell(0, row));
    std::sort(users.begin(), users.end());
    return users;
}

std::vector<std::string> ThreeUsersTest::ListedUsers() const {
    std::vector<std::string> users;
    TMultilist& list = *Lobby().Users();
    for (int row = 0; row < list.RowCount(); ++row) users.push_back(list.PlainCell(0, row));
    return users;
}

int ThreeUsersTest::ListedIcon(const std::string& name) const {
    TMultilist& list = *Lobby().Users();
    const int row = list.FindRow(0, name);
    if (row < 0) return -1;
    const std::string cell = list.Cell(1, row);
    return cell.size() == 2 && cell[0] == '\x01' ? static_cast<uint8_t>(cell[1]) : -1;
}

std::string ThreeUsersTest::Counter(int index) const { return Lobby().CounterValue(index)->Text(); }

// The skin ----------------------------------------------------------------------

// The logon windows' skin (written by the logon fixture) and the lobby's in
// one: one pack with every image of the lobby and a font with the glyphs of
// both, a font in the zone's name colour (so a speaker's name is drawn in a
// font of its own), and both windows' layout and texts.
void ThreeUsersTest::WriteSkin() {
    lobbytest::TLobbySkin skin({'*', '=', '[', ']', ',', '{', '}'});
    skin.pack.push_back({"font3", BlockFont(6, 2, skin.letters, kYellow)});
    WritePack(skin.pack);
    for (const auto& [name, giz] : skin.loose) WriteLoose(name, giz);
    WriteIni(std::string(nettest::kLogonSettings) + lobbytest::TLobbySkin::kSettings,
             std::string(nettest::kLogonTexts) + lobbytest::TLobbySkin::kTexts);
}

}  // namespace e2etest

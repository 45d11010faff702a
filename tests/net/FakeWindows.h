// Stand-ins for the windows the dispatcher acts on and for the message-box
// facility: each call is written to one shared log as "Name(arg,arg)", and
// the boxes answer from a queue (or through a hook that may run the loop).
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "controls/MsgBoxes.h"
#include "net/SessionWindows.h"

namespace nettest {

struct TCallLog {
    std::vector<std::string> calls;
    bool Has(const std::string& call) const {
        for (const auto& c : calls)
            if (c == call) return true;
        return false;
    }
};

template <typename... A>
std::string Call(const std::string& name, const A&... args) {
    std::ostringstream out;
    out << name << "(";
    const char* separator = "";
    ((out << separator << args, separator = ","), ...);
    out << ")";
    return out.str();
}

struct TBoxCall {
    std::string text, title;
    unsigned buttons;
    int slot, defaultResult;
};

class TFakeBoxes : public IMsgBoxes {
public:
    int NewMsgBox(TForm*, int) override { return 0; }
    int MsgBoxIn(const std::string& text, const std::string& title, unsigned buttons, int slot,
                 int defaultResult) override {
        calls.push_back({text, title, buttons, slot, defaultResult});
        if (onBox) return onBox(calls.back());
        if (answers.empty()) return 0;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void CloseMsgBox(int slot) override { closed.push_back(slot); }

    std::vector<TBoxCall> calls;
    std::vector<int> closed;
    std::deque<int> answers;
    std::function<int(const TBoxCall&)> onBox;
};

class TFakeLobby : public ILobbyWindow {
public:
    explicit TFakeLobby(TCallLog& log) : m_log(log) {}
    void ShowLobby() override { m_log.calls.push_back("ShowLobby()"); }
    void SetEnabled(bool enabled) override { m_log.calls.push_back(Call("Lobby.SetEnabled", enabled)); }
    void AddLine(const std::string& text, int nameColour, int textColour) override {
        m_log.calls.push_back(Call("AddLine", text, nameColour, textColour));
    }
    bool Ignores(const std::string& name) const override { return ignored.count(name) > 0; }
    void AddChatLine(const TChatLine& l) override {
        m_log.calls.push_back(Call("AddChatLine", l.Room, l.NameColour, l.TextColour, l.Text));
    }
    void UserLeft(const std::string& name) override { m_log.calls.push_back(Call("UserLeft", name)); }
    void RoomNotice(int kind, int room) override { m_log.calls.push_back(Call("RoomNotice", kind, room)); }
    void UserGone(int room, const std::string& name) override {
        m_log.calls.push_back(Call("UserGone", room, name));
    }
    void UserPresent(const TUserPresent& u) override {
        m_log.calls.push_back(Call("UserPresent", u.Room, u.Icon, u.Name));
    }
    void OpenRoom(const TRoomOpen& r) override {
        m_log.calls.push_back(Call("OpenRoom", r.Kind, r.Room, r.Flags, r.Title, r.Prefix));
    }
    void RoomClosed(int room, const std::string& name) override {
        m_log.calls.push_back(Call("RoomClosed", room, name));
    }
    void SwitchRoom(int room) override { m_log.calls.push_back(Call("SwitchRoom", room)); }
    void RemoveRoom(int room) override { m_log.calls.push_back(Call("RemoveRoom", room)); }
    void SelectMenuTab(int tab) override { m_log.calls.push_back(Call("SelectMenuTab", tab)); }
    void FillFreePreviews() override { m_log.calls.push_back("FillFreePreviews()"); }
    void SetBannerPeriod(int ms) override { m_log.calls.push_back(Call("SetBannerPeriod", ms)); }
    void RestartBannerTimer() override { m_log.calls.push_back("RestartBannerTimer()"); }

    std::set<std::string> ignored;

private:
    TCallLog& m_log;
};

class TFakeTables : public ITablesView {
public:
    explicit TFakeTables(TCallLog& log) : m_log(log) {}
    void AddTable(const TTableOpened& t) override {
        m_log.calls.push_back(Call("AddTable", t.Kind, t.Creator, t.Number, t.Text));
    }
    void RemoveTable(int kind, const std::string& creator) override {
        m_log.calls.push_back(Call("RemoveTable", kind, creator));
    }
    void AddJoinRequest(const TJoinRequest& r) override {
        m_log.calls.push_back(Call("AddJoinRequest", r.Kind, r.Joiner, r.Number));
    }
    void RemoveJoinRequest(int kind, const std::string& joiner) override {
        m_log.calls.push_back(Call("RemoveJoinRequest", kind, joiner));
    }
    void ClearJoinRequests(int kind) override { m_log.calls.push_back(Call("ClearJoinRequests", kind)); }
    void AddRunningGame(const TRunningGame& game) override {
        std::string pairs;
        for (const auto& p : game.Players) pairs += p.first + "/" + p.second + ";";
        m_log.calls.push_back(Call("AddRunningGame", game.Kind, pairs));
    }
    void RemoveRunningGame(const std::string& player) override {
        m_log.calls.push_back(Call("RemoveRunningGame", player));
    }

private:
    TCallLog& m_log;
};

// The previews keep the last value of each kind of call.
class TFakePreviews : public IPreviews {
public:
    explicit TFakePreviews(TCallLog& log) : m_log(log) {}
    void Stop(int slot) override { m_log.calls.push_back(Call("Stop", slot)); }
    void ShowTumblix(int slot, const TTumblixSnapshot& s) override {
        tumblix = s;
        m_log.calls.push_back(Call("ShowTumblix", slot));
    }
    void ShowGammon(int slot, const TGammonSnapshot& s) override {
        gammon = s;
        m_log.calls.push_back(Call("ShowGammon", slot));
    }
    void ShowPuzzle(int slot, const TPuzzleSnapshot& s) override {
        puzzle = s;
        m_log.calls.push_back(Call("ShowPuzzle", slot));
    }
    void SetTumblixCells(const TTumblixCells& c) override {
        cells = c;
        m_log.calls.push_back(Call("SetTumblixCells", c.Slot, c.Seat, c.Cells.size()));
    }
    void AddTumblixRow(int slot, int seat, const std::array<uint8_t, 12>& r) override {
        row = r;
        m_log.calls.push_back(Call("AddTumblixRow", slot, seat));
    }
    void RemoveTumblixRow(int slot, int seat, int r) override {
        m_log.calls.push_back(Call("RemoveTumblixRow", slot, seat, r));
    }
    void SetTumblixNumber(int slot, int n) override { m_log.calls.push_back(Call("SetTumblixNumber", slot, n)); }
    void SetPuzzleNumber(int slot, int n) override { m_log.calls.push_back(Call("SetPuzzleNumber", slot, n)); }
    void SetGammonDice(int slot, int a, int b) override { m_log.calls.push_back(Call("SetGammonDice", slot, a, b)); }
    void SetGammonDiceState(int slot, int s) override {
        m_log.calls.push_back(Call("SetGammonDiceState", slot, s));
    }
    void MoveGammon(int slot, int p, int d) override { m_log.calls.push_back(Call("MoveGammon", slot, p, d)); }
    void UndoGammon(int slot, int t, int f, int h) override {
        m_log.calls.push_back(Call("UndoGammon", slot, t, f, h));
    }
    void End(int slot, int winner) override { m_log.calls.push_back(Call("End", slot, winner)); }
    void SetGammonCube(int slot, int owner, const std::string& v) override {
        m_log.calls.push_back(Call("SetGammonCube", slot, owner, v));
    }
    void PuzzleShot(const TPuzzleShot& s) override {
        m_log.calls.push_back(Call("PuzzleShot", s.Slot, s.Seat, s.Colour, s.Direction, s.Column, s.Row));
    }
    void SetPuzzleCell(const TPuzzleCell& c) override {
        m_log.calls.push_back(Call("SetPuzzleCell", c.Slot, c.Seat, c.Colour, c.Column, c.Row));
    }
    void ClearPuzzleCell(const TPuzzleCell& c) override {
        m_log.calls.push_back(Call("ClearPuzzleCell", c.Slot, c.Seat, c.Colour, c.Column, c.Row));
    }

    TTumblixSnapshot tumblix;
    TGammonSnapshot gammon;
    TPuzzleSnapshot puzzle;
    TTumblixCells cells;
    std::array<uint8_t, 12> row{};

private:
    TCallLog& m_log;
};

class TFakeGame : public IGameWindow {
public:
    TFakeGame(TCallLog& log, int kind) : m_log(log), m_kind(kind) {}
    bool Visible() const override { return visible; }
    void ShowGame() override { m_log.calls.push_back(Call("ShowGame", m_kind)); }
    void NetRead(const std::string& data) override { m_log.calls.push_back(Call("NetRead", m_kind, data)); }
    bool visible = false;

private:
    TCallLog& m_log;
    int m_kind;
};

// The dialogs, the update, the upload, the web panels, the question and the
// options window in one.
class TFakeDialogs : public IHiscoreWindow, public IInfoWindow, public IUpdate, public IUpload,
                     public IWebPanels, public IQuestionWindow, public IOptionsWindow {
public:
    explicit TFakeDialogs(TCallLog& log) : m_log(log) {}
    void ShowHiscores(const THiscoreList& list) override {
        hiscores = list;
        m_log.calls.push_back(Call("ShowHiscores", list.Rows.size()));
    }
    void ShowUserInfo(const TUserInfo& i) override {
        info = i;
        m_log.calls.push_back(Call("ShowUserInfo", i.Name));
    }
    void Clear() override { m_log.calls.push_back("Update.Clear()"); }
    void AddItem(const std::string& item) override { m_log.calls.push_back(Call("AddItem", item)); }
    bool StartIfNeeded() override { return startUpdate; }
    bool TransferOpen() const override { return transferOpen; }
    void AddChunk(const TFileChunk& c) override {
        m_log.calls.push_back(Call("AddChunk", c.HasSize, c.Size, c.Data));
    }
    void SendNextChunk() override { m_log.calls.push_back("SendNextChunk()"); }
    void VisitHidden(const std::string& url) override { m_log.calls.push_back(Call("VisitHidden", url)); }
    void LoadBanner(int place, const std::string& url) override {
        m_log.calls.push_back(Call("LoadBanner", place, url));
    }
    void SetCameras(bool on) override { m_log.calls.push_back(Call("SetCameras", on)); }
    void SetWebTabs(const TWebTabs& t) override {
        webTabs = t;
        m_log.calls.push_back(Call("SetWebTabs", t.Area, t.Tabs.size()));
    }
    int Ask(const std::string& question, const std::vector<std::string>& answers) override {
        std::string all;
        for (const auto& a : answers) all += a + ";";
        m_log.calls.push_back(Call("Ask", question, all));
        return answer;
    }
    void SetSoundToggle(bool on) override { m_log.calls.push_back(Call("SetSoundToggle", on)); }
    bool Visible() const override { return optionsVisible; }
    void Focus() override { m_log.calls.push_back("Options.Focus()"); }

    THiscoreList hiscores;
    TUserInfo info;
    TWebTabs webTabs;
    bool startUpdate = false, transferOpen = false, optionsVisible = false;
    int answer = 0;

private:
    TCallLog& m_log;
};

// The logon and registration windows as the dispatcher sees them.
class TFakeSessionForm : public IRegistrationWindow {
public:
    TFakeSessionForm(TCallLog& log, std::string name) : m_log(log), m_name(std::move(name)) {}
    bool Visible() const override { return visible; }
    void SetEnabled(bool enabled) override { m_log.calls.push_back(Call(m_name + ".SetEnabled", enabled)); }
    void Focus() override { m_log.calls.push_back(m_name + ".Focus()"); }
    void Hide() override {
        visible = false;
        m_log.calls.push_back(m_name + ".Hide()");
    }
    std::string LogonMessage() const override { return m_name + "-logon"; }
    void EditAccount(const TAccountData& a) override {
        m_log.calls.push_back(Call("EditAccount", a.Year, a.Month, a.Day, a.Gender, a.Face));
    }
    std::string AccountUpdate(bool withBirthday) const override {
        m_log.calls.push_back(Call("AccountUpdate", withBirthday));
        return "(update";
    }
    bool visible = false;

private:
    TCallLog& m_log;
    std::string m_name;
};

class TFakeLogon : public ILogonWindow {
public:
    explicit TFakeLogon(TFakeSessionForm& form) : m_form(form) {}
    bool Visible() const override { return m_form.Visible(); }
    void SetEnabled(bool enabled) override { m_form.SetEnabled(enabled); }
    void Focus() override { m_form.Focus(); }
    void Hide() override { m_form.Hide(); }
    std::string LogonMessage() const override { return m_form.LogonMessage(); }

private:
    TFakeSessionForm& m_form;
};

}  // namespace nettest

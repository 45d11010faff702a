// TGameform: what every game window shares with the table protocol. The
// dispatcher shows it through IGameWindow when the server starts a game of
// its kind, and hands it that game's payloads.
//
// When shown it sends ">" (ready) with its game prefix ("G" + kind); when it
// closes it sends 0x19 (the player leaves the table, which forfeits a game
// in progress) and tells the session that no game runs any more, so the
// lobby can create and join tables again. A game's own window derives from
// this and reads its payloads in GameRead; the payload ">" that the server
// sends when every player is ready starts its game or table.
//
// Until a game has its own window, the window of its kind is this one with
// its skinned background, a close and a minimise button: it still takes
// part in starting and leaving a table.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "net/SessionWindows.h"

class TRollover;

class TGameform : public TForm, public IGameWindow {
public:
    static constexpr char kReady = '>';
    static constexpr char kLeave = '\x19';

    // kind 1..4; painter: the background; section: the layout section of
    // the window's elements; closeElement and minimiseElement: its buttons.
    TGameform(int kind, const std::string& painter, const std::string& section,
              const std::string& closeElement, const std::string& minimiseElement);
    ~TGameform() override;

    int Kind() const { return m_kind; }
    // Sends a payload with the game prefix.
    void Sendstring(const std::string& payload);
    // True from the server's ">" until the window closes.
    bool Started() const { return m_started; }

    // IGameWindow.
    bool Visible() const override { return TForm::Visible(); }
    void ShowGame() override;
    void NetRead(const std::string& data) override;

    // Where payloads go; empty: the session's connection.
    std::function<void(const std::string& message)> Sender;
    // Alt with a digit 1..9 (without Ctrl) in any game window: the lobby
    // selects that room and takes the focus when it has that many; the
    // program's start-up wires it, since the games do not know the lobby.
    std::function<bool(int room)> OnLobbyRoom;

    TRollover* CloseButton() const { return m_close.get(); }

protected:
    // True when the key was Alt with a digit, which then goes to the lobby.
    bool LobbyRoomKey(int key, unsigned shift);
    void FormShow() override;
    void FormClose() override;
    // A payload other than the start; the base knows none and says so.
    virtual void GameRead(const std::string& data);
    // The start of the game or table (the server's ">").
    virtual void GameStarted() {}

private:
    int m_kind;
    bool m_started = false;
    std::unique_ptr<TRollover> m_close, m_minimise;
};

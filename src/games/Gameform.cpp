#include "games/Gameform.h"

#include "controls/MsgBoxes.h"
#include "controls/Rollover.h"
#include "graphics/Paint.h"
#include "net/Session.h"
#include "platform/Platform.h"
#include "protocol/ClientMessages.h"

namespace {

// Runs a handler and shows what escapes it, as every handler of the
// program does at its top.
template <typename F>
void Guard(F&& handler) {
    try {
        handler();
    } catch (...) {
        MsgBox("Der skete en fejl!", "Error", mb::kOk, mb::Ok);
    }
}

}  // namespace

TGameform::TGameform(int kind, const std::string& painter, const std::string& section,
                     const std::string& closeElement, const std::string& minimiseElement)
    : TForm(painter), m_kind(kind) {
    m_close = std::make_unique<TRollover>(Paint(), section, closeElement,
                                          [this](TRollover*) { Guard([&] { Close(); }); });
    m_minimise = std::make_unique<TRollover>(Paint(), section, minimiseElement,
                                             [this](TRollover*) { Guard([&] { Minimize(); }); });
    m_close->Show();
    m_minimise->Show();
    if (kind >= 1 && kind < static_cast<int>(SessionWindows().Games.size()))
        SessionWindows().Games[static_cast<size_t>(kind)] = this;
}

TGameform::~TGameform() {
    auto& slot = SessionWindows().Games;
    if (m_kind >= 1 && m_kind < static_cast<int>(slot.size()) && slot[static_cast<size_t>(m_kind)] == this)
        slot[static_cast<size_t>(m_kind)] = nullptr;
}

void TGameform::Sendstring(const std::string& payload) {
    const std::string message = protocol::Build(protocol::TGamePayload{m_kind, payload});
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}

bool TGameform::LobbyRoomKey(int key, unsigned shift) {
    const bool alt = (shift & platform::AltKey) != 0, ctrl = (shift & platform::CtrlKey) != 0;
    if (!alt || ctrl || key < '1' || key > '9') return false;
    if (OnLobbyRoom) OnLobbyRoom(key - '0');
    return true;
}

void TGameform::ShowGame() {
    Show();
    BringToFront();
}

void TGameform::FormShow() {
    Guard([&] {
        m_started = false;
        Sendstring(std::string(1, kReady));
    });
}

void TGameform::FormClose() {
    Guard([&] {
        Sendstring(std::string(1, kLeave));
        m_started = false;
        Session().GameRunning = false;
    });
}

void TGameform::NetRead(const std::string& data) {
    Guard([&] {
        if (data.size() == 1 && data[0] == kReady) {
            m_started = true;
            GameStarted();
            return;
        }
        GameRead(data);
    });
}

// Every game window answers a payload it does not know with the offending
// values, so a mismatch between client and server shows at once.
void TGameform::GameRead(const std::string& data) {
    if (data.empty()) return;
    std::string text = "Wrong control: " + std::to_string(static_cast<uint8_t>(data[0]));
    if (data.size() > 1) {
        text += "\rSubcontrol: " + std::to_string(static_cast<uint8_t>(data[1]));
        text += "\rNetstring: " + data.substr(2);
    }
    MsgBox(text, "System", mb::kOk, mb::Ok);
}

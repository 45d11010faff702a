// The Tumblix window's payloads: what the own game sends after every move,
// and what arrives from the server (the opponent's well, junk rows, level
// ups, pauses, results, the next game).
#include <variant>

#include "controls/Check.h"
#include "controls/MsgBoxes.h"
#include "games/Tumblix.h"
#include "graphics/Sound.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

using namespace rules::tumblix;


// After every call into the own game: its payloads go out, its sounds and
// animations start, and the window shows the game as it now stands.
void TTumblixForm::Sync() {
    SendPayloads();
    PlayEvents();
    if (m_game.Dead() && !m_wasDead) {
        m_wasDead = true;
        m_tick->SetEnabled(false);
        m_position->SetEnabled(false);
        KeyOff();
    }
    if (!m_shownOwn) DrawScreen(kOwn);
    PrintPreview(kOwn, m_game.Next());
    PrintLevel();
    PrintProcent();
    MakeStatus();
}

void TTumblixForm::SendPayloads() {
    for (const std::string& payload : m_game.TakePayloads()) {
        Sendstring(payload);
        // A new piece entered: its position goes out every second from now.
        if (PayloadCode(payload) == static_cast<int>(TCode::NewPiece)) {
            m_position->SetEnabled(false);
            m_position->SetEnabled(true);
        }
    }
}

void TTumblixForm::PlayEvents() {
    for (const TOwnEvent& event : m_game.TakeEvents()) Animate(event);
}

void TTumblixForm::Sendpos() {
    m_game.Sendpos();
    Sync();
}

void TTumblixForm::GameRead(const std::string& data) {
    if (platform::Loop().Terminated()) return;
    const int code = PayloadCode(data);
    if (code == static_cast<int>(TCode::Died)) {
        if (Visible()) Close();
        return;
    }
    std::optional<TPayload> payload = ParsePayload(data);
    if (!payload) {
        // A code of the table with fields that do not fit it is dropped;
        // any other code is a mismatch the user is told of.
        bool known = IsWellReplayCode(code) || code == '6' || code == '8' || code == '=' || code == 64 ||
                     code == static_cast<int>(TCode::Won) || code == static_cast<int>(TCode::Lost);
        if (!known) WrongControl(data);
        return;
    }
    if (IsWellReplayCode(code)) {
        OpponentRead(*payload, code);
        return;
    }
    switch (code) {
        case static_cast<int>(TCode::Won):
        case static_cast<int>(TCode::Lost): ShowResult(std::get<TResult>(*payload)); return;
        case '6':
            m_game.Annoy();
            Sync();
            return;
        case '8':
            m_game.NewLevel();
            RedrawEmptyCells();
            Sync();
            return;
        case '=': StartPause(std::get<rules::tumblix::TPause>(*payload).N); return;
        case 64:
            if (std::get<TReady>(*payload).State == 1) {
                if (m_ready->Ticked() && m_paused) Sendstring(BuildPayload(TReady{2}));
            } else {
                EndPause();
            }
            return;
        default: WrongControl(data); return;
    }
}

void TTumblixForm::OpponentRead(const TPayload& payload, int code) {
    m_replay.Apply(payload);
    if (code == '5') {
        m_game.AddOpponentLine();
        PrintProcent();
    }
    if (code == '2') PrintPreview(kOpponent, m_replay.Next());
    DrawScreen(kOpponent);
    MakeStatus();
}

// A code the window does not know: the user sees the offending values, and
// the window closes, as the game can no longer follow the server.
void TTumblixForm::WrongControl(const std::string& data) {
    TGameform::GameRead(data);
    if (Visible()) Close();
}

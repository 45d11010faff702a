// The Tumblix window's keys and its game tick: down, left and right repeat
// on the game tick by their own counts (a held key moves on the fifth tick,
// a short tap exactly once), turn and drop act once per press; Escape
// closes, Pause or P pauses, Alt + digit goes to a room of the lobby.
#include "controls/Check.h"
#include "controls/Keys.h"
#include "controls/Rollover.h"
#include "games/Tumblix.h"
#include "graphics/Sound.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kKeyP = 'P';

}  // namespace

TTumblixForm::TKeySlot* TTumblixForm::SlotOf(int key) {
    for (TKeySlot& slot : m_keys)
        if (slot.Code == key) return &slot;
    return nullptr;
}

void TTumblixForm::KeyOff() {
    for (TKeySlot& slot : m_keys) {
        slot.Held = false;
        slot.Repeat = 0;
    }
}

void TTumblixForm::MoveBy(TSlot slot) {
    switch (slot) {
        case kDown: m_game.BlockDown(); break;
        case kLeft: m_game.BlockLeft(); break;
        case kRight: m_game.BlockRight(); break;
        default: break;
    }
}

// Every 30 ms: the held keys, gravity, and the sound the tick left pending.
void TTumblixForm::OnTimer() {
    for (TSlot slot : {kDown, kLeft, kRight}) {
        TKeySlot& key = m_keys[slot];
        if (!key.Held) continue;
        if (key.Repeat++ >= kRepeatThreshold) MoveBy(slot);
    }
    if (m_tick->Enabled()) m_game.Tick();
    Sync();
    const std::string sound = m_game.TakePendingSound();
    if (!sound.empty()) PlaySound(sound);
}

bool TTumblixForm::FormKeyDown(int key, unsigned shift) {
    if (key == vk::Escape) {
        if (Visible()) Close();
        return true;
    }
    if (LobbyRoomKey(key, shift)) return true;
    if (key == vk::Pause || key == kKeyP) {
        PausePressed();
        return true;
    }
    if (!m_tick->Enabled()) return false;
    TKeySlot* slot = SlotOf(key);
    if (!slot) return false;
    // The platform's own repeats of a held key change nothing.
    if (slot->Held) return true;
    slot->Held = true;
    slot->Repeat = 0;
    if (slot == &m_keys[kDown]) m_game.RestartCountdown();
    if (slot == &m_keys[kTurn]) m_game.TurnBlock();
    if (slot == &m_keys[kDrop]) m_game.DropPress();
    Sync();
    return true;
}

bool TTumblixForm::FormKeyUp(int key, unsigned) {
    if (!m_tick->Enabled()) return false;
    TKeySlot* slot = SlotOf(key);
    if (!slot) return false;
    const bool tap = slot->Held && slot->Repeat <= kRepeatThreshold;
    slot->Held = false;
    if (tap) {
        if (slot == &m_keys[kDown]) MoveBy(kDown);
        if (slot == &m_keys[kLeft]) MoveBy(kLeft);
        if (slot == &m_keys[kRight]) MoveBy(kRight);
        Sync();
    }
    return true;
}

// While paused the key ticks Ready (or unticks it); otherwise it pauses.
void TTumblixForm::PausePressed() {
    if (m_paused) {
        m_ready->SetTicked(!m_ready->Ticked());
        return;
    }
    if (m_pauseButton->Visible()) Pause2click();
}

// TSpamform: the window that blocks the chat for a few seconds when the spam
// check refuses a line. Always on top, painter "Spam", labels "Spammed" and
// "Spamcount" of section "Chat".
//
// Shown, it refuses the window system's close, stops any sound, plays
// "spam.wav" and starts a 1 ms timer. The timer's handler counts 5, 4, 3, 2,
// 1, 0 in "Spamcount", repainting after each number and waiting 1000 ms, and
// then closes the window. During the count every window is disabled, so the
// program does not react to input; the waits pump the message loop (paints
// and timers go on) rather than sleep.
#pragma once

#include <memory>
#include <vector>

#include "controls/Form.h"

class TMyTimer;
class TText;

class TSpamform : public TForm {
public:
    static constexpr char kSection[] = "Chat";
    static constexpr int kCountFrom = 5;
    static constexpr int kStepMs = 1000;
    static constexpr int kStartDelayMs = 1;

    TSpamform();
    ~TSpamform() override;

    // Places the window at (left, top) on the screen (the lobby's chat
    // view) and shows it.
    void ShowAt(int left, int top);
    bool Counting() const { return m_counting; }

    TText* SpammedLabel() const { return m_spammed.get(); }
    TText* CountLabel() const { return m_count.get(); }

protected:
    void FormShow() override;
    bool FormCloseQuery() override { return m_closable; }

private:
    void Count();
    void Wait(int ms);
    std::vector<TForm*> DisableForms();

    std::unique_ptr<TText> m_spammed;
    std::unique_ptr<TText> m_count;
    std::unique_ptr<TMyTimer> m_start;
    std::unique_ptr<TMyTimer> m_wait;
    bool m_closable = true;
    bool m_counting = false;
    bool m_waited = false;
};

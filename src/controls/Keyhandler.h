// TKeyhandler: turns a held key into a steady stream of key-down calls for a
// game window, whatever the platform's own auto-repeat does.
//
// The handler stands in front of its window's key preview (a TKeyFilter of
// the form, so FormKeyDown) from creation on. A key pressed anew is passed
// on to the window's key-down handling at once and is held (a TKey); the
// platform's repeated key-downs of a held key are swallowed, so they reach
// neither the window nor its focused entry: the handler alone decides how a
// held key repeats. The repeat timer runs, at the period given, while a key
// is held (an idle game window costs no wake-ups); it starts with the first
// key pressed: every tick each held key counts one, and a key whose count
// reaches its ticks-until-repeat is passed on again, without shift state,
// and from then on repeats every tick. So with a period of 20 ms and a
// first-repeat delay of 5 a key pressed alone acts on the press, 100 ms
// later (up to one period of the tick source more) and every 20 ms after
// that; a key pressed while another is held joins the running ticks, so its
// first repeat comes up to one period early. Releasing
// the key stops it at once (the key-up goes on to the window). When the
// window loses activation, the application's deactivation included, every
// held key is forgotten, as their key-ups would go elsewhere.
//
// Re-entry: the window's handling may Reset the handler or free it while
// being called from a tick.
#pragma once

#include <memory>
#include <vector>

#include "controls/Form.h"
#include "platform/Lifetime.h"

class TMyTimer;

struct TKey {
    int code = 0;
    int ticks = 0;             // since the last call
    int ticksUntilRepeat = 0;  // when the next call is due
};

class TKeyhandler : public TKeyFilter {
public:
    // Takes over the window's key handling until freed.
    TKeyhandler(TForm& window, int periodMs);
    ~TKeyhandler() override;
    TKeyhandler(const TKeyhandler&) = delete;
    TKeyhandler& operator=(const TKeyhandler&) = delete;

    // Forgets every held key.
    void Reset();
    // Ticks from the press to the first repeat; at least 1.
    void SetFirstRepeatDelay(int ticks);
    int FirstRepeatDelay() const { return m_firstRepeatDelay; }
    const std::vector<TKey>& HeldKeys() const { return m_keys; }
    bool Held(int code) const;
    TMyTimer& Timer() const { return *m_timer; }

    bool FilterKeyDown(int key, unsigned shift) override;
    bool FilterKeyUp(int key, unsigned shift) override;
    void FilterDeactivated() override;

private:
    // Ticks made up after a blocked main thread, at most.
    static constexpr int64_t kMaxCatchUp = 50;
    void Tick();
    bool PassKeyDown(int key, unsigned shift);

    TForm& m_window;
    TKeyFilter* m_previous = nullptr;  // the filter the window had before
    std::unique_ptr<TMyTimer> m_timer;
    int m_firstRepeatDelay = 1;
    std::vector<TKey> m_keys;
    // Ends when the handler is freed, so a tick whose handling freed it
    // stops at once.
    TLifetime m_lifetime;
};

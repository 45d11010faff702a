// TSplashform: the splash window, shown while start-up creates the client's
// windows. A borderless window that stays on top of all others, the size of
// its "splash" background, centred in the work area like every skinned
// window. It hides itself as soon as it loses activation, which happens
// when the first real window is shown.
//
// The progress bar ("progon" at [Splash] Progress, its maximum from
// [Splash] Count, fed by the image registry's progress hook) belongs to the
// skinned controls; CreateProgressBar is its place and so far only reads
// where the bar goes.
//
// Until the logon window exists the program has nothing to show after the
// splash, so the splash also reports a close request, a key or a click
// through OnDismiss, and the entry ends the program with it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class TPaint;

class TSplashform {
public:
    // [Splash] Progress fields that are missing or not numbers.
    static constexpr int kDefaultProgressPlace = 10;

    TSplashform();
    ~TSplashform();
    TSplashform(const TSplashform&) = delete;
    TSplashform& operator=(const TSplashform&) = delete;

    // FormShow: creates the paint surface on the first call, shows the
    // window and lets it paint at once.
    void Show();
    void Hide();
    bool Visible() const;
    TPaint* Paint() const { return m_paint.get(); }
    int ProgressX() const { return m_progressX; }
    int ProgressY() const { return m_progressY; }

    // Called when the user closes, presses a key on or clicks the splash,
    // and when it hides itself on losing activation.
    std::function<void()> OnDismiss;

private:
    void CreatePaint();
    void CreateProgressBar();
    void FormDeactivate();
    void Dismiss();

    std::unique_ptr<TPaint> m_paint;
    int m_progressX = kDefaultProgressPlace;
    int m_progressY = kDefaultProgressPlace;
};

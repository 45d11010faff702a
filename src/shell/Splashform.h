// TSplashform: the splash window, shown while start-up creates the client's
// windows. A borderless window that stays on top of all others, the size of
// its "splash" background, centred in the work area like every skinned
// window. It hides itself as soon as it loses activation, which happens
// when the first real window is shown.
//
// When it is first shown it creates its surface and the progress bar: the
// image "progon" at [Splash] Progress (x, y, each default 10), maximum
// [Splash] Count (the total of the previous start), and installs the
// progress hook in the image registry: every weight reported while windows
// are created moves the bar on. In debug mode the hook first writes the
// position reached to debug.ini [Startup] Tick, so a start that hangs shows
// how far it got.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TPaint;
class TProgress;

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
    TProgress* Progress() const { return m_progress.get(); }
    // Writes every position reached to this file before moving the bar (the
    // debug switch); empty: no record.
    void SetDebugFile(const std::string& path) { m_debugFile = path; }
    // Removes the hook from the image registry.
    void StopProgress();
    // Called after the window hid itself on losing activation (not when
    // Hide is called); the handler must not free the window at once.
    void SetOnHidden(std::function<void()> onHidden) { m_onHidden = std::move(onHidden); }

private:
    void CreatePaint();
    void CreateProgressBar();
    void FormDeactivate();
    void Step(int weight);

    std::unique_ptr<TPaint> m_paint;
    std::unique_ptr<TProgress> m_progress;
    std::string m_debugFile;
    std::function<void()> m_onHidden;
    int m_progressX = kDefaultProgressPlace;
    int m_progressY = kDefaultProgressPlace;
};

// TStartup: the program's start-up sequence and its end, apart from the main
// loop itself.
//
//   Prepare:  debug switch from the first argument, the pack window minimum,
//             the display check, the second pack (the installation root's
//             data.pac), the splash window with its calibrated progress bar,
//             the creation of every window (given by the caller) while the
//             start-up flag is set, and the progress total stored in
//             [Splash] Count when it differs from the stored one.
//   Finish:   the display mode restored when the check changed it.
//
// Once start-up is over, the splash window is freed, with its surface and
// images, as soon as it has hidden itself: it is never shown again, and the
// error box's progress figure is the total reached by then.
//
// The display check needs 800 x 600 at more than 8 bits. A smaller or
// shallower display is offered a change ("changeres", Yes/No); the modes
// 800 x 600 at 15, 16, 24 and 32 bits are tried in that order, and when none
// can be set "wrongres" is shown. A platform that cannot set display modes
// at all shows "wrongres" without asking. Either refusal ends the program
// (Prepare returns false; the exit code stays 0).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TAppContext;
class TSplashform;

class TStartup {
public:
    static constexpr int kNeededWidth = 800;
    static constexpr int kNeededHeight = 600;
    static constexpr int kPackWindowMinimum = 3000000;

    // args: the command-line arguments after the program name; the context
    // must outlive the sequence.
    // Installs the error reporter of the loop's handlers for its lifetime:
    // an error that escapes any handler (timers, windows, the splash, posted
    // work) shows "Der skete en fejl!" titled "Error", in the skinned box once
    // the lobby provides it and in the platform's box before that.
    TStartup(TAppContext& context, std::vector<std::string> args);
    ~TStartup();
    TStartup(const TStartup&) = delete;
    TStartup& operator=(const TStartup&) = delete;

    // False: the display cannot be used and the program ends.
    bool Prepare(const std::function<void()>& createWindows);
    void Finish();

    bool Debug() const { return m_debug; }
    bool ResolutionChanged() const { return m_resolutionChanged; }
    // Null once the splash hid itself after start-up and was freed.
    TSplashform* Splash() const { return m_splash.get(); }
    // The progress reached while the windows were created.
    int ProgressTotal() const { return m_total; }

private:
    bool CheckDisplay();
    bool ChangeDisplay();
    void OpenSecondPack();
    void ShowSplash();
    void CreateWindows(const std::function<void()>& createWindows);
    void StoreProgressCount();
    void FreeSplashWhenHidden();

    TAppContext& m_context;
    bool m_debug = false;
    bool m_resolutionChanged = false;
    int m_total = 0;
    std::unique_ptr<TSplashform> m_splash;
    // Tasks posted to free the splash do nothing once this start-up is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

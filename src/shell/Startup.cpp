#include "shell/Startup.h"

#include "graphics/GreatBitmap.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "lobby/LobbyState.h"
#include "controls/MsgBoxes.h"
#include "controls/Progress.h"
#include "platform/Platform.h"
#include "resources/Inifile.h"
#include "resources/Pack.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/AppContext.h"
#include "shell/Splashform.h"

namespace {

constexpr int kModeDepths[] = {15, 16, 24, 32};

bool FirstArgumentIsDebug(const std::vector<std::string>& args) {
    return !args.empty() && LowerCaseAscii(args.front()) == "/debug";
}

std::string MessageText(const std::string& key) { return GetText("Message", key); }

// Before the lobby registers the skinned boxes, the platform's box says it.
void ReportUnhandledError() {
    if (MsgBoxes()) {
        ShowUnhandledError();
        return;
    }
    platform::Dialogs().MessageBox(platform::BoxKind::Error, kUnhandledErrorText, kUnhandledErrorTitle);
}

}  // namespace

TStartup::TStartup(TAppContext& context, std::vector<std::string> args)
    : m_context(context), m_debug(FirstArgumentIsDebug(args)) {
    platform::SetErrorReporter(ReportUnhandledError);
}


bool TStartup::Prepare(const std::function<void()>& createWindows) {
    TMypack::SetWindowMinimum(kPackWindowMinimum);
    TGreatBitmap::Instance();  // measures the depth, opens gfx/data.pac
    if (!CheckDisplay()) return false;
    OpenSecondPack();
    ShowSplash();
    CreateWindows(createWindows);
    StoreProgressCount();
    FreeSplashWhenHidden();
    return true;
}

TStartup::~TStartup() {
    m_context.Lobby().ProgressSource = nullptr;
    platform::SetErrorReporter(nullptr);
}

void TStartup::Finish() {
    if (m_resolutionChanged) platform::Video().RestoreMode();
}

bool TStartup::CheckDisplay() {
    platform::DisplayMode mode = platform::Video().CurrentMode();
    if (mode.width >= kNeededWidth && mode.height >= kNeededHeight && mode.depth > 8) return true;
    if (!platform::Video().CanSetMode()) {
        platform::Dialogs().MessageBox(platform::BoxKind::Information, MessageText("wrongres"),
                                       kApplicationTitle);
        return false;
    }
    platform::BoxResult answer = platform::Dialogs().MessageBox(
        platform::BoxKind::YesNo, MessageText("changeres"), kApplicationTitle);
    if (answer != platform::BoxResult::Yes) return false;
    return ChangeDisplay();
}

bool TStartup::ChangeDisplay() {
    for (int depth : kModeDepths) {
        if (platform::Video().SetMode({kNeededWidth, kNeededHeight, depth})) {
            TGreatBitmap::Instance().MeasureDepth();
            m_resolutionChanged = true;
            return true;
        }
    }
    platform::Dialogs().MessageBox(platform::BoxKind::Information, MessageText("wrongres"),
                                   kApplicationTitle);
    return false;
}

void TStartup::OpenSecondPack() {
    // A missing file or one without members is left out by the pack list.
    TGreatBitmap::Instance().Packs().AddPack(InstallationRoot() + "data.pac");
}

void TStartup::ShowSplash() {
    // The splash's own images are not part of the windows' progress.
    TGreatBitmap::Instance().SetStartingUp(false);
    m_splash = std::make_unique<TSplashform>();
    if (m_debug) m_splash->SetDebugFile(ProgramDirectory() + "debug.ini");
    m_splash->Show();
    // The unhandled-error box tells how far start-up got.
    m_context.Lobby().ProgressSource = [this] {
        TProgress* bar = m_splash ? m_splash->Progress() : nullptr;
        return bar ? bar->Position() : m_total;
    };
}

void TStartup::CreateWindows(const std::function<void()>& createWindows) {
    TGreatBitmap::Instance().SetStartingUp(true);
    if (createWindows) createWindows();
    TGreatBitmap::Instance().SetStartingUp(false);
    m_splash->StopProgress();
    TProgress* bar = m_splash->Progress();
    m_total = bar ? bar->Position() : 0;
}

// Freed on the loop's next pass, not inside the splash's own handler.
void TStartup::FreeSplashWhenHidden() {
    std::weak_ptr<bool> alive = m_alive;
    auto free = [this, alive] {
        if (!alive.expired()) m_splash.reset();
    };
    if (!m_splash->Visible()) {
        free();
        return;
    }
    m_splash->SetOnHidden([free] { platform::Loop().Post(free); });
}

void TStartup::StoreProgressCount() {
    TProgress* bar = m_splash->Progress();
    if (!bar || bar->Position() == bar->Maximum()) return;
    SettingsFile().WriteInteger("Splash", "Count", bar->Position());
}

#include "shell/Splashform.h"

#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

int PlaceField(std::string& fields, int defaultValue) {
    int32_t value = 0;
    return ParseInteger(CutField(fields), value) ? value : defaultValue;
}

}  // namespace

TSplashform::TSplashform() = default;

TSplashform::~TSplashform() = default;

void TSplashform::Show() {
    if (!m_paint) CreatePaint();
    if (!m_paint->Valid()) return;
    m_paint->Window()->Show();
    m_paint->Update();
}

void TSplashform::Hide() {
    if (m_paint && m_paint->Valid()) m_paint->Window()->Hide();
}

bool TSplashform::Visible() const { return m_paint && m_paint->Valid() && m_paint->Window()->Visible(); }

void TSplashform::CreatePaint() {
    TFormEvents events;
    events.onDeactivate = [this] { FormDeactivate(); };
    events.onCloseRequest = [this] { Dismiss(); };
    events.onKeyDown = [this](int, unsigned) { Dismiss(); };
    events.onMouseDown = [this](TPaint*, int, TShiftState, int, int) { Dismiss(); };
    m_paint = std::make_unique<TPaint>("splash", platform::WindowKind::StaysOnTop, std::move(events));
    CreateProgressBar();
}

// The place of the bar; the bar itself (TProgress with the image "progon",
// maximum [Splash] Count, shown, and the progress hook installed in the
// image registry) is created here once the skinned controls exist.
void TSplashform::CreateProgressBar() {
    std::string fields = SettingsFile().ReadString("Splash", "Progress", "");
    m_progressX = PlaceField(fields, kDefaultProgressPlace);
    m_progressY = PlaceField(fields, kDefaultProgressPlace);
}

void TSplashform::FormDeactivate() {
    Hide();
    Dismiss();
}

void TSplashform::Dismiss() {
    if (OnDismiss) OnDismiss();
}

#include "shell/Splashform.h"

#include "controls/Progress.h"
#include "graphics/GreatBitmap.h"
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

TSplashform::~TSplashform() { StopProgress(); }

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
    m_paint = std::make_unique<TPaint>("splash", platform::WindowKind::StaysOnTop, std::move(events));
    CreateProgressBar();
}

void TSplashform::CreateProgressBar() {
    std::string fields = SettingsFile().ReadString("Splash", "Progress", "");
    m_progressX = PlaceField(fields, kDefaultProgressPlace);
    m_progressY = PlaceField(fields, kDefaultProgressPlace);
    m_progress = std::make_unique<TProgress>(m_paint.get(), "progon", m_progressY, m_progressX);
    m_progress->SetMaximum(SettingsFile().ReadInteger("Splash", "Count", 0));
    m_progress->Show();
    TGreatBitmap::Instance().SetProgressHook([this](const void*, int weight) { Step(weight); });
}

void TSplashform::StopProgress() {
    if (m_progress && TGreatBitmap::Created()) TGreatBitmap::Instance().ClearProgressHook();
}

void TSplashform::Step(int weight) {
    if (!m_debugFile.empty()) {
        TInifile debug(m_debugFile);
        debug.WriteInteger("Startup", "Tick", m_progress->Position());
        debug.Flush();
    }
    m_progress->SetPosition(m_progress->Position() + weight);
}

void TSplashform::FormDeactivate() {
    Hide();
    if (m_onHidden) m_onHidden();
}

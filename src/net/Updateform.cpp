#include "net/Updateform.h"

#include <algorithm>
#include <climits>

#include "controls/Progress.h"
#include "controls/Text.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

int PlaceField(std::string& fields) {
    int32_t value = 0;
    return ParseInteger(CutField(fields), value) ? value : 0;
}

}  // namespace

TUpdateform::TUpdateform() : TForm("update") {
    m_headline = TText::CreateFromLayout(Paint(), "Headline", kSection);
    std::string place = SettingsFile().ReadString(kSection, "Barwindow", "");
    int x = PlaceField(place);
    int y = PlaceField(place);
    m_bar = std::make_unique<TProgress>(Paint(), "Updateon", y, x);
}

TUpdateform::~TUpdateform() = default;

void TUpdateform::Start(int maximum) {
    m_bar->SetPosition(0);
    m_bar->SetMaximum(maximum);
    m_bar->Show();
    Show();
}

void TUpdateform::Advance(int64_t bytes) {
    // The bar counts in int; a file of gigabytes simply fills it.
    int64_t position = std::min<int64_t>(int64_t{m_bar->Position()} + std::max<int64_t>(bytes, 0), INT_MAX);
    m_bar->SetPosition(static_cast<int>(position));
}

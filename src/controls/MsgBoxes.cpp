#include "controls/MsgBoxes.h"

namespace {
IMsgBoxes* g_boxes = nullptr;
}

void SetMsgBoxes(IMsgBoxes* boxes) { g_boxes = boxes; }
IMsgBoxes* MsgBoxes() { return g_boxes; }

int NewMsgBox(TForm* owner, int skin) { return g_boxes ? g_boxes->NewMsgBox(owner, skin) : 0; }

int MsgBoxIn(const std::string& textKey, const std::string& titleKey, unsigned buttons, int slot,
             int defaultResult) {
    return g_boxes ? g_boxes->MsgBoxIn(textKey, titleKey, buttons, slot, defaultResult) : 0;
}

int MsgBox(const std::string& textKey, const std::string& titleKey, unsigned buttons, int defaultResult) {
    return MsgBoxIn(textKey, titleKey, buttons, 0, defaultResult);
}

void CloseMsgBox(int slot) {
    if (g_boxes) g_boxes->CloseMsgBox(slot);
}

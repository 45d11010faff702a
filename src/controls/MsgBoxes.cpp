#include "controls/MsgBoxes.h"

#include "controls/ControlsState.h"

void SetMsgBoxes(IMsgBoxes* boxes) { ControlsState().Boxes = boxes; }

// A facility that unregisters after its context ended finds none.
void ClearMsgBoxes(IMsgBoxes* boxes) {
    TControlsState* state = CurrentControlsState();
    if (state && state->Boxes == boxes) state->Boxes = nullptr;
}

IMsgBoxes* MsgBoxes() { return ControlsState().Boxes; }

int NewMsgBox(TForm* owner, int skin) {
    IMsgBoxes* boxes = MsgBoxes();
    return boxes ? boxes->NewMsgBox(owner, skin) : 0;
}

int MsgBoxIn(const std::string& textKey, const std::string& titleKey, unsigned buttons, int slot,
             int defaultResult) {
    IMsgBoxes* boxes = MsgBoxes();
    return boxes ? boxes->MsgBoxIn(textKey, titleKey, buttons, slot, defaultResult) : 0;
}

int MsgBox(const std::string& textKey, const std::string& titleKey, unsigned buttons, int defaultResult) {
    return MsgBoxIn(textKey, titleKey, buttons, 0, defaultResult);
}

void CloseMsgBox(int slot) {
    if (IMsgBoxes* boxes = MsgBoxes()) boxes->CloseMsgBox(slot);
}

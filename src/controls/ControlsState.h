// TControlsState: the controls library's part of the application context:
// the list of live forms and the message-box facility the lobby registers.
//
// Neither is owned: forms belong to whoever created them (the shell's
// wiring, a test) and must end before the context does; the facility is a
// window of the lobby that unregisters itself when it ends.
#pragma once

#include <vector>

class IMsgBoxes;
class TForm;

struct TControlsState {
    // Every live form, in creation order.
    std::vector<TForm*> Forms;
    IMsgBoxes* Boxes = nullptr;
};

// The installed state; the process ends when there is none.
TControlsState& ControlsState();
// The installed state, or null (for destructors that may run after it).
TControlsState* CurrentControlsState();

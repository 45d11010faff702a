#include "shell/AppContext.h"

#include "controls/ControlsState.h"
#include "graphics/GraphicsState.h"
#include "lobby/LobbyState.h"
#include "net/NetState.h"
#include "net/transport/SocketHandler.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

TAppContext::TAppContext() = default;

TAppContext::~TAppContext() = default;

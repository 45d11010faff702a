// The fresh context of one test: each fixture holds one of these as its
// first member, so a case starts with empty registries, a new timer
// dispatcher, no session and no registered windows, and everything else the
// fixture owns ends before the states it used. Pick the one that matches
// the libraries the test executable links (a lower one where the test needs
// no more); the lobby's equals the client's TAppContext.
#pragma once

#include "controls/ControlsState.h"
#include "graphics/GraphicsState.h"
#include "lobby/LobbyState.h"
#include "net/NetState.h"
#include "net/transport/SocketHandler.h"
#include "platform/InstalledState.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

// Whole contexts from the bottom up to a library.
using TFreshTimers = TInstalledStates<TTimerState>;
using TFreshResources = TInstalledStates<TTimerState, TResourcesState>;
using TFreshGraphics = TInstalledStates<TTimerState, TResourcesState, TGraphicsState>;
using TFreshControls = TInstalledStates<TTimerState, TResourcesState, TGraphicsState, TControlsState>;
using TFreshTransport = TInstalledStates<TTimerState, TResourcesState, TTransportState>;
using TFreshNet = TInstalledStates<TTimerState, TResourcesState, TGraphicsState, TControlsState,
                                   TTransportState, TNetState>;
using TFreshLobby = TInstalledStates<TTimerState, TResourcesState, TGraphicsState, TControlsState,
                                     TTransportState, TNetState, TLobbyState>;

// Layers a fixture adds on top of the fresh states of the fixture it
// extends (the controls' fixture on the graphics one, the logon windows'
// fixture on the controls one).
using TControlsLayer = TInstalledStates<TControlsState>;
using TNetLayer = TInstalledStates<TTransportState, TNetState>;
using TLobbyLayer = TInstalledStates<TTransportState, TNetState, TLobbyState>;

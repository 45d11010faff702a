// TAppContext: everything the client holds for its whole run apart from its
// windows: one state of each library (timers, resources, graphics,
// controls, transport, net, lobby), installed so that each library's
// accessors (TMaintimer::Instance, TextFile, TFonts::Instance, TForm::All,
// MsgBoxes, TSocketHandler::Instance, Session, SessionWindows, SpamCheck ...)
// reach them.
//
// Construction builds and installs the states bottom-up; destruction ends
// them top-down (the lobby's first, the timers' last), each while it is
// still installed, and puts back whatever was installed before, so a test
// can build one context per case. The platform backend is installed before
// the context and outlives it. Windows and other objects that use the
// context end before it: the program declares the context first.
#pragma once

#include "platform/InstalledState.h"

struct TTimerState;
struct TResourcesState;
struct TGraphicsState;
struct TControlsState;
struct TTransportState;
struct TNetState;
struct TLobbyState;

class TAppContext {
public:
    TAppContext();
    ~TAppContext();
    TAppContext(const TAppContext&) = delete;
    TAppContext& operator=(const TAppContext&) = delete;

    TTimerState& Timers() { return m_timers.State(); }
    TResourcesState& Resources() { return m_resources.State(); }
    TGraphicsState& Graphics() { return m_graphics.State(); }
    TControlsState& Controls() { return m_controls.State(); }
    TTransportState& Transport() { return m_transport.State(); }
    TNetState& Net() { return m_net.State(); }
    TLobbyState& Lobby() { return m_lobby.State(); }

private:
    // Bottom-up: members end in the reverse order.
    TInstalledState<TTimerState> m_timers;
    TInstalledState<TResourcesState> m_resources;
    TInstalledState<TGraphicsState> m_graphics;
    TInstalledState<TControlsState> m_controls;
    TInstalledState<TTransportState> m_transport;
    TInstalledState<TNetState> m_net;
    TInstalledState<TLobbyState> m_lobby;
};

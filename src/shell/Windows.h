// TWindows: every window of the client, created once at start-up in a fixed
// order and kept until the program ends. The first one, the logon window, is
// the main window: closing it ends the main loop.
#pragma once

#include <functional>
#include <memory>

class TAdvertPanels;
class TAppContext;
class TChatcommands;
class TChatform;
class TGammonOptionsform;
class TGammonform;
class THiscoreform;
class TInfoform;
class TLogon;
class TMsgforms;
class TOptionsform;
class TUpdate;
class TPuzzleform;
class TQuestionform;
class TRegisterform;
class TSpamform;
class TTumblixForm;
class TWebPanels;
class TYatzyform;
class Tpreview;

class TWindows {
public:
    // The context must outlive the windows.
    explicit TWindows(TAppContext& context);
    ~TWindows();
    TWindows(const TWindows&) = delete;
    TWindows& operator=(const TWindows&) = delete;

    // Creates the windows in their order and connects them to the
    // dispatcher.
    void Create();
    // Shows the main window, the first one the user sees.
    void ShowMainWindow();
    // Called when the main window has closed.
    std::function<void()> OnMainClosed;

    TLogon* Logon() const { return m_logon.get(); }
    TChatform* Lobby() const { return m_chat.get(); }

private:
    void Connect();

    TAppContext& m_context;
    std::unique_ptr<TMsgforms> m_boxes;
    std::unique_ptr<TLogon> m_logon;
    std::unique_ptr<TChatform> m_chat;
    std::unique_ptr<Tpreview> m_previews;
    std::unique_ptr<TWebPanels> m_web;
    std::unique_ptr<TChatcommands> m_commands;
    std::unique_ptr<TSpamform> m_spam;
    std::unique_ptr<TOptionsform> m_options;
    // The update download, created with the options window it belongs to.
    std::unique_ptr<TUpdate> m_update;
    std::unique_ptr<TRegisterform> m_register;
    std::unique_ptr<THiscoreform> m_hiscore;
    std::unique_ptr<TInfoform> m_info;
    std::unique_ptr<TQuestionform> m_question;
    std::unique_ptr<TTumblixForm> m_tumblix;
    std::unique_ptr<TGammonform> m_gammon;
    std::unique_ptr<TGammonOptionsform> m_gammonOptions;
    std::unique_ptr<TPuzzleform> m_puzzle;
    std::unique_ptr<TYatzyform> m_yatzy;
    // The advertisement panels of the Backgammon and Yatzy windows.
    std::unique_ptr<TAdvertPanels> m_gammonAds, m_yatzyAds;
};

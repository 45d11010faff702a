// TGalleryform: the gallery's one window on the lobby's background, with
// every skinned control of the client used the way the client uses it, and
// live data, so a person can judge the look.
//
// What runs by itself: a chat line arrives in the first room every 1.5 s
// (speakers in colours, coloured runs, a line that wraps, a word cut where
// it overflows), the count-down ticks, the gauge fills and the columns rise
// and fall, one button and the tabs of two private rooms blink (one of them
// beyond the visible tabs, so the tab bar's arrow blinks). What answers the
// user: the tab bar switches rooms, a click on the table list's header sorts
// by that column (again: the other way), "create" opens the glide menu, the
// symbol button opens the symbol picker whose pick goes into the chat line,
// Enter in the chat line sends it to the current room, the lobby's menu bar
// names the tab chosen, and Escape or the close button closes the window
// (the big-chat toggle only toggles).
//
// Elements the skin lacks are taken from stand-ins or left out, as
// TSkinCheck decides; nothing here ends the program for a missing image.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"

class TBar;
class TCharselect;
class TChat;
class TCheck;
class TColumn;
class TCountdown;
class TGlide;
class TMultilist;
class TMyedit;
class TMyimagelist;
class TMyTimer;
class TProgress;
class TRollover;
class TSkinCheck;
class TText;

class TGalleryform : public TForm {
public:
    static constexpr char kBackground[] = "Chat";
    static constexpr int kChatLineMs = 1500;
    static constexpr int kGaugeMs = 100;
    // The count-down starts at 2:05 and warns at 0:30, like a turn clock.
    static constexpr int kCountdownSeconds = 125;
    static constexpr int kCountdownWarning = 30;
    // The glide menu's title (text.ini [Message]) and its items' text
    // ([Glide]), as the lobby's points menus have them.
    static constexpr char kMenuTitle[] = "Gallerymenu";
    static constexpr char kMenuItemText[] = "Tumblixpoint";

    // The background must exist; every other image is asked of skin.
    explicit TGalleryform(TSkinCheck& skin);
    ~TGalleryform() override;

    // What the headless shots work with (null when left out).
    TRollover* MenuButton() const { return m_menuButton.get(); }
    TRollover* SymbolButton() const { return m_symbolButton.get(); }
    TRollover* JoinButton() const { return m_joinButton.get(); }
    TMultilist* Tables() const { return m_tables.get(); }
    TText* MarqueeLabel() const { return m_marquee.get(); }
    TGlide* Menu() const { return m_menu.get(); }
    TCharselect* Picker() const { return m_picker.get(); }
    TMyedit* ChatEntry() const { return m_chatEntry.get(); }
    TChat* Chat() const { return m_chat.get(); }
    // The header cell of a table column (from 0): its centre.
    bool HeaderCentre(int column, int& x, int& y) const;

    void OpenMenu();
    void OpenPicker();
    // The notes of the skin check, shown in the window.
    void ShowSkinNotes();

protected:
    void FormShow() override;
    bool FormKeyDown(int key, unsigned shift) override;
    void FormMouseDown(int button, unsigned shift, int x, int y) override;

private:
    // Building (Galleryform.cpp).
    void BuildChat();
    void BuildMenuBar();
    void AddRooms();
    void BuildUserIcons();
    void BuildTables();
    void BuildLabels();
    void BuildToggles();
    void BuildButtons();
    std::unique_ptr<TRollover> MakeButton(const std::string& role,
                                          std::initializer_list<const char*> elements,
                                          void (TGalleryform::*onClick)());
    void BuildGauges();
    void BuildEntries();
    void BuildMenu();
    void BuildPicker();

    // Live data and answers (GalleryLive.cpp).
    void FillChat();
    void FillTables();
    void StartLive();
    void NextChatLine();
    void StepGauges();
    void Say(const std::string& line);
    void SendChatLine();
    void Join();
    void Leave();
    void SortBy(int column);
    void FilterChanged();
    void MenuChosen(TRollover* item, int column, int row);
    void SymbolPicked(uint8_t code);

    TSkinCheck& m_skin;
    // Whether the skin has the scroll bar's buttons (every list needs them)
    // and the blink frames.
    bool m_scrollbars = false;
    bool m_blinks = false;
    bool m_arrows = false;  // the tab bars' "Barle" and "Barrig"
    // The icon list outlives the user lists that draw it, the tab bar the
    // chat whose rooms are its tabs.
    std::unique_ptr<TMyimagelist> m_icons;
    std::unique_ptr<TBar> m_rooms, m_menuBar;
    std::unique_ptr<TChat> m_chat;
    std::unique_ptr<TMultilist> m_tables;
    int m_sortColumn = 0;
    bool m_sortAscending = true;
    std::unique_ptr<TCountdown> m_countdown;
    std::unique_ptr<TText> m_marquee, m_centred, m_wrapped, m_passwordText, m_progressText;
    std::unique_ptr<TText> m_notes;
    std::vector<std::unique_ptr<TCheck>> m_toggles;
    TCheck* m_filter = nullptr;
    std::unique_ptr<TRollover> m_menuButton, m_joinButton, m_leaveButton, m_symbolButton;
    std::unique_ptr<TRollover> m_minimiButton, m_closeButton;
    std::unique_ptr<TProgress> m_progress;
    std::vector<std::unique_ptr<TColumn>> m_columns;
    std::unique_ptr<TMyedit> m_chatEntry, m_passwordEntry;
    std::unique_ptr<TGlide> m_menu;
    std::unique_ptr<TCharselect> m_picker;
    std::unique_ptr<TMyTimer> m_chatTimer, m_gaugeTimer;
    size_t m_nextLine = 0;
    int m_gaugeStep = 0;
};

// Set-up of the Yatzy window tests: a tiny skin of the window's own (a
// 400 × 300 window, block fonts, solid images; the dice strips six frames
// of 10 × 10), a table of two started from a fixed seed with the own player
// in seat 1, boxes recorded instead of shown, and what the window sends
// collected as payloads (without "G" and the kind byte).
//
// Sheet layout: left 10, top 20, title and rows 10 high, columns 40 (labels),
// 20 (maxima), 30 per seat; so row r starts at y = 30 + 10 (r - 1), and a
// point at x 20 lies on the sheet.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/MsgBoxes.h"
#include "controls/SkinFixture.h"
#include "games/Yatzy.h"
#include "net/Session.h"
#include "rules/yatzy/Payload.h"

namespace yatzytest {

using namespace skintest;
namespace yz = rules::yatzy;

constexpr uint32_t kSeed = 12345;

class TRecordedBoxes : public IMsgBoxes {
public:
    int NewMsgBox(TForm*, int) override { return 1; }
    int MsgBoxIn(const std::string& text, const std::string& title, unsigned buttons, int, int) override {
        texts.push_back(title + ": " + text);
        (void)buttons;
        if (answers.empty()) return 0;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void CloseMsgBox(int slot) override { closed.push_back(slot); }

    std::vector<std::string> texts;
    std::vector<int> closed;
    std::deque<int> answers;
};

class YatzyformTest : public SkinTest {
protected:
    // The session and sockets on the skin fixture's states.
    TNetLayer m_netLayer;

    void SetUp() override;
    void TearDown() override;

    // A window for the own seat; the first one is shown in SetUp.
    std::unique_ptr<TYatzyform> OpenWindow(int ownSeat, std::vector<std::string>& sent);
    TYatzyform& Form() { return *m_form; }
    platform::headless::TWindow& Win() { return Window(*m_form->Paint()); }

    // A server payload as the window receives it.
    void Receive(const yz::TServerMessage& message) { m_form->NetRead(yz::BuildPayload(message)); }
    // The payloads sent since the last call, parsed; then forgotten.
    std::vector<yz::TClientMessage> Sent();
    // Clicks at a window point / in the middle of a die / of the roll button.
    void ClickAt(int x, int y);
    void ClickDie(int die);
    void ClickRoll();
    // Lets every die animation end.
    void Settle() { Loop().RunFor(1000); }
    static int RowY(int row);

    TRecordedBoxes m_boxes;
    std::vector<std::string> m_sent;

private:
    void WriteSkin();
    std::unique_ptr<TYatzyform> m_form;
};

}  // namespace yatzytest

// The Yatzy window against a tiny skin: what it sends for rolls, holds and
// rows, how it replays the other players, the round's end and drop-outs,
// the chat, and payloads it cannot read.
#include <gmock/gmock.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "controls/Countdown.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "games/TableChat.h"
#include "games/YatzyDie.h"
#include "games/YatzySheetView.h"
#include "games/yatzy/YatzyformFixture.h"
#include "graphics/Myimage.h"
#include "rules/yatzy/DiceCup.h"

namespace yatzytest {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The faces the table's generator gives, in order.
std::vector<int> Faces(int count, rules::TRandom& random) {
    std::vector<int> faces;
    for (int i = 0; i < count; ++i) faces.push_back(yz::DrawFace(random));
    return faces;
}

template <class T>
const T* As(const yz::TClientMessage& m) {
    return std::get_if<T>(&m);
}

// Client payloads as the server relays them to the other players.
std::optional<yz::TServerMessage> Relayed(const yz::TClientMessage& m) {
    if (auto* h = As<yz::THold>(m)) return yz::TDieHeld{h->Die, h->Held};
    if (As<yz::TRoll>(m)) return yz::TRolled{};
    if (auto* d = As<yz::TRollDie>(m)) return yz::TDieRolled{d->Die};
    if (auto* s = As<yz::TScore>(m)) return yz::TRowWritten{s->Row, s->Points};
    return std::nullopt;
}

TEST_F(YatzyformTest, ShowingTheTableSetsUpTheSeatsAndSaysReady) {
    EXPECT_THAT(m_sent, ElementsAre(std::string("G\x04>", 3)));
    EXPECT_EQ(Form().Player(1).Name->Text(), "eva");
    EXPECT_EQ(Form().Player(2).Name->Text(), "bob");
    EXPECT_EQ(Form().Player(2).Points->Text(), "0");
    EXPECT_FALSE(Form().Player(3).Name->Visible());
    EXPECT_EQ(Form().MatchLength().Text(), "Best of 3");
    EXPECT_FALSE(Form().RollButton().Visible());
    EXPECT_EQ(Form().CounterFrame(), 1);
    EXPECT_THAT(Form().Chat().Lines(), ElementsAre("Welcome"));
    // Labels and maxima from the texts; rows the texts lack stay empty.
    EXPECT_EQ(Form().SheetView().LabelText(9), "Pair");
    EXPECT_EQ(Form().SheetView().LabelText(10), "");
    EXPECT_EQ(Form().SheetView().MaximumText(2), "10");
    // Before any row is used the upper sum shows the distance from par.
    EXPECT_EQ(Form().SheetView().CellText(1, yz::kUpperSum), "+ 0");
    EXPECT_EQ(Form().SheetView().CellText(2, yz::kTotal), "0");
}

TEST_F(YatzyformTest, AnOwnTurnRollsHoldsPreviewsAndWritesARow) {
    m_sent.clear();
    Receive(yz::TTurn{1});
    EXPECT_TRUE(Form().OwnTurn());
    EXPECT_TRUE(Form().RollButton().Visible());
    EXPECT_TRUE(Form().Countdown().Running());
    EXPECT_TRUE(Form().Player(1).Marker->Visible());

    ClickRoll();
    rules::TRandom random(kSeed);
    const std::vector<int> first = Faces(6, random);
    std::vector<yz::TClientMessage> sent = Sent();
    ASSERT_EQ(sent.size(), 13u);
    for (int die = 1; die <= 6; ++die) {
        // Every die is released first, then the roll, then each die rolled.
        ASSERT_TRUE(As<yz::THold>(sent[size_t(die - 1)]));
        EXPECT_FALSE(As<yz::THold>(sent[size_t(die - 1)])->Held);
        ASSERT_TRUE(As<yz::TRollDie>(sent[size_t(6 + die)]));
        EXPECT_EQ(As<yz::TRollDie>(sent[size_t(6 + die)])->Die, die);
        EXPECT_EQ(Form().Die(die).Face(), first[size_t(die - 1)]);
    }
    EXPECT_TRUE(As<yz::TRoll>(sent[6]));
    EXPECT_EQ(Form().CounterFrame(), 2);

    // A rolling die takes no click, and the roll button waits for it.
    ClickDie(2);
    ClickRoll();
    EXPECT_THAT(Sent(), IsEmpty());
    Settle();
    ClickDie(2);
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(As<yz::THold>(sent[0])->Held);
    EXPECT_TRUE(Form().Die(2).Lit());

    ClickRoll();
    const std::vector<int> second = Faces(5, random);
    sent = Sent();
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(As<yz::TRollDie>(sent[1])->Die, 1);
    EXPECT_EQ(As<yz::TRollDie>(sent[2])->Die, 3);
    EXPECT_EQ(Form().Die(2).Face(), first[1]);
    EXPECT_EQ(Form().Die(6).Face(), second[4]);
    Settle();

    // Pointing at the chance row previews its points in the own column.
    const int chance = yz::RowPoints(yz::kChance, Form().Cup().Faces());
    Win().MouseMove(20, RowY(yz::kChance));
    EXPECT_EQ(Form().SheetView().CellText(1, yz::kChance), std::to_string(chance));
    Win().MouseMove(20, 290);
    EXPECT_EQ(Form().SheetView().CellText(1, yz::kChance), "");

    ClickAt(20, RowY(yz::kChance));
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(As<yz::TScore>(sent[0])->Row, yz::kChance);
    EXPECT_EQ(As<yz::TScore>(sent[0])->Points, chance);
    EXPECT_EQ(Form().SheetView().CellText(1, yz::kChance), std::to_string(chance));
    EXPECT_FALSE(Form().OwnTurn());
    EXPECT_FALSE(Form().RollButton().Visible());
    EXPECT_FALSE(Form().Countdown().Visible());
    // The row is used: a second click sends nothing.
    ClickAt(20, RowY(yz::kChance));
    EXPECT_THAT(Sent(), IsEmpty());
}

TEST_F(YatzyformTest, AllDiceHeldRollsNoneAndAZeroRowIsAskedFirst) {
    Receive(yz::TTurn{1});
    ClickRoll();
    Settle();
    for (int die = 1; die <= 6; ++die) ClickDie(die);
    m_sent.clear();
    ClickRoll();
    std::vector<yz::TClientMessage> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(As<yz::TRoll>(sent[0]));
    EXPECT_EQ(Form().CounterFrame(), 3);

    // Find a row these dice give nothing in.
    int zero = 0;
    for (int row = 1; row <= yz::kRowCount && !zero; ++row)
        if (yz::IsChoosableRow(row) && yz::RowPoints(row, Form().Cup().Faces()) == 0) zero = row;
    ASSERT_NE(zero, 0);
    m_boxes.answers = {mb::No};
    ClickAt(20, RowY(zero));
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_THAT(m_boxes.texts, ElementsAre("System: 4_Nopoint"));
    EXPECT_TRUE(Form().OwnTurn());
    m_boxes.answers = {mb::Yes};
    ClickAt(20, RowY(zero));
    sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(As<yz::TScore>(sent[0])->Points, 0);
    EXPECT_EQ(Form().SheetView().CellText(1, zero), "X");
}

// Two clients from one seed, each replaying what the other sends through
// the server, show the same faces and the same sheets.
TEST_F(YatzyformTest, TwoWindowsReplayingEachOtherShowTheSameDice) {
    std::vector<std::string> otherSent;
    std::unique_ptr<TYatzyform> other = OpenWindow(2, otherSent);
    auto relay = [](std::vector<std::string>& from, TYatzyform& to) {
        for (const std::string& m : from) {
            auto parsed = yz::ParseClientPayload(m.substr(2));
            if (auto server = parsed ? Relayed(*parsed.Value) : std::nullopt)
                to.NetRead(yz::BuildPayload(*server));
        }
        from.clear();
    };
    m_sent.clear();
    otherSent.clear();
    for (int seat : {1, 2, 1}) {
        Receive(yz::TTurn{seat});
        other->NetRead(yz::BuildPayload(yz::TServerMessage{yz::TTurn{seat}}));
        TYatzyform& mover = seat == 1 ? Form() : *other;
        TYatzyform& watcher = seat == 1 ? *other : Form();
        std::vector<std::string>& moves = seat == 1 ? m_sent : otherSent;
        mover.Roll();
        mover.ToggleHold(4);
        mover.Roll();
        Settle();
        mover.ChooseRow(yz::kChance);
        relay(moves, watcher);
        Settle();
        for (int die = 1; die <= 6; ++die) EXPECT_EQ(watcher.Die(die).Face(), mover.Die(die).Face()) << die;
        EXPECT_EQ(watcher.SheetView().CellText(seat, yz::kChance), mover.SheetView().CellText(seat, yz::kChance));
        EXPECT_EQ(watcher.Random().Seed(), mover.Random().Seed());
    }
}

TEST_F(YatzyformTest, RoundEndsDropOutsChatAndUnreadablePayloads) {
    Receive(yz::TTurn{2});
    EXPECT_FALSE(Form().OwnTurn());
    Receive(yz::TRolled{});
    for (int die = 1; die <= 6; ++die) Receive(yz::TDieRolled{die});
    Receive(yz::TDieHeld{3, true});
    EXPECT_TRUE(Form().Die(3).Held());
    const int chance = yz::RowPoints(yz::kChance, Form().Cup().Faces());
    Receive(yz::TRowWritten{yz::kChance, chance});
    EXPECT_EQ(Form().SheetView().CellText(2, yz::kChance), std::to_string(chance));

    Receive(yz::TRoundWon{2});
    EXPECT_EQ(Form().Player(2).Points->Text(), "1");
    EXPECT_EQ(Form().SheetView().CellText(2, yz::kChance), "");
    Receive(yz::TRoundWon{1});
    EXPECT_THAT(m_boxes.texts, ElementsAre("System: bob won", "System: You won"));

    Receive(yz::TDroppedOut{2});
    yz::TTableChat line;
    line.Display = {1, 1};
    line.Text = "bob~>hello";
    Receive(line);
    EXPECT_THAT(Form().Chat().Lines(), ElementsAre("Welcome", "bob left", "bob: hello"));

    m_boxes.texts.clear();
    Form().NetRead(std::string("\x42\x07xy", 4));
    Form().NetRead(std::string("\xB5\x09", 2));  // seat 9
    Form().NetRead(std::string("\xB5\x03", 2));  // seat 3 at a table of two
    ASSERT_EQ(m_boxes.texts.size(), 3u);
    EXPECT_EQ(m_boxes.texts[0], "System: Wrong control: 66\rSubcontrol: 7\rNetstring: xy");
    EXPECT_EQ(m_boxes.texts[1].rfind("System: Error in reading data: ", 0), 0u);
    EXPECT_EQ(m_boxes.texts[2], "System: Error in reading data: no seat 3");
}

TEST_F(YatzyformTest, ChatLinesAreSentAndDumpchatWritesTheFileInstead) {
    Form().NetRead(">");
    m_sent.clear();
    for (char c : std::string("hi")) Win().Char(static_cast<uint8_t>(c));
    Win().KeyDown(13);
    std::vector<yz::TClientMessage> sent = Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(As<yz::TChatLine>(sent[0])->Text, "hi");

    for (char c : std::string("/DumpChat")) Win().Char(static_cast<uint8_t>(c));
    Win().KeyDown(13);
    EXPECT_THAT(Sent(), IsEmpty());
    std::ifstream file(Dir() + "yatzy.txt");
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "Welcome\r\n");
    // Up brings the lines back, newest first.
    Win().KeyDown(38);
    EXPECT_EQ(Form().Chat().Entry()->Text(), "/DumpChat");
    Win().KeyDown(38);
    EXPECT_EQ(Form().Chat().Entry()->Text(), "hi");
}

TEST_F(YatzyformTest, TheCountdownWarnsAndClosesTheWindowSayingSo) {
    Receive(yz::TTurn{1});
    m_sent.clear();
    Loop().RunFor(151'000);
    EXPECT_EQ(Form().Chat().Lines().back(), "Hurry");
    Loop().RunFor(30'000);
    EXPECT_FALSE(Form().Visible());
    EXPECT_THAT(m_sent, ElementsAre(std::string("G\x04\x19", 3)));
    EXPECT_FALSE(Session().GameRunning);
}

}  // namespace
}  // namespace yatzytest

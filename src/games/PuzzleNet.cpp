// The payloads of TPuzzleform: what the server and the opponent send, and
// the window's own sending.
#include "controls/MsgBoxes.h"
#include "controls/Text.h"
#include "games/Puzzle.h"
#include "games/PuzzleScreen.h"
#include "graphics/Myimagelist.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

void TPuzzleform::Send(const std::string& payload) {
    if (!payload.empty()) Sendstring(payload);
}

void TPuzzleform::GameRead(const std::string& data) {
    const rules::TPuzzlePayload payload = rules::ParsePuzzlePayload(data);
    if (payload.Status == rules::TPuzzleParseStatus::Unknown) {
        TGameform::GameRead(data);  // "Wrong control: ..."
        Close();
        return;
    }
    if (payload.Status != rules::TPuzzleParseStatus::Ok) {
        TGameform::GameRead(data);
        return;
    }
    // The opponent's moves and the level count only during a game.
    const bool playing = m_running || m_paused;
    switch (payload.Code) {
        case rules::TPuzzleCode::Lost: Close(); break;
        case rules::TPuzzleCode::Won:
        case rules::TPuzzleCode::Beaten: Result(payload); break;
        case rules::TPuzzleCode::Level:
            if (playing) SetLevel(payload.Level);
            break;
        case rules::TPuzzleCode::Pause: Pausenow(); break;
        case rules::TPuzzleCode::Shot:
            if (playing) OpponentShot(payload);
            break;
        case rules::TPuzzleCode::Fallen:
            if (playing && m_player->QueueTrash(payload.Colour)) Settle();
            break;
        case rules::TPuzzleCode::Placed:
            if (playing) OpponentTrash(payload);
            break;
        default:
            // Codes only the window sends.
            TGameform::GameRead(data);
            Close();
            break;
    }
}

// The opponent's canon turns to the shot, their field finishes what it
// was doing, and the shot flies and lands by the same rules.
void TPuzzleform::OpponentShot(const rules::TPuzzlePayload& shot) {
    m_canon2->SetFrame(rules::FrameOfEntry(shot.Entry));
    m_opponent->FinishAll();
    const int frame = rules::FrameOfEntry(shot.Entry);
    const rules::TPuzzlePoint start = m_opponent->Geometry().StartPoint(frame);
    // The flight's length on the field as it was before the landing.
    const rules::TPuzzleAim aim = rules::SimulateShot(m_replica->Field(), m_opponent->Geometry(), start, shot.Entry);
    rules::TPuzzleLanding landing = m_replica->ApplyShot(shot.Colour, shot.Cell);
    m_opponent->Launch(start, shot.Entry, shot.Cell, shot.Colour, aim.Steps, std::move(landing.Changes));
}

void TPuzzleform::OpponentTrash(const rules::TPuzzlePayload& placed) {
    if (m_replica->ApplyTrash(placed.Colour, placed.Cell)) m_opponent->PlaceTrash(placed.Cell, placed.Colour);
}

// The server's result: the scores, the next seed, the text with OK, then
// ready for the next game and the waiting text.
void TPuzzleform::Result(const rules::TPuzzlePayload& result) {
    m_running = false;
    m_inGame = false;
    StopShotClock();
    m_player->Start(result.Seed.value_or(m_player->Seed()));
    ShowNext();
    const int own = result.OwnByte - 1, other = result.OpponentByte - 1;
    m_nameScore->SetText(std::to_string(own));
    m_opponentScore->SetText(std::to_string(other));
    const char* key = result.Code == rules::TPuzzleCode::Won ? "3_wingametext" : "3_Losegametext";
    const std::string text = FillPlaceholders(GetText("Message", key), std::to_string(own) + "," +
                                                                          std::to_string(other) + "," +
                                                                          std::to_string(result.PointsByte));
    MsgBoxIn(text, "System", mb::kOk, m_msgSlot, mb::Ok);
    Send(">");
    MsgBoxIn("3_Waittext", "System", 0, m_msgSlot, 0);
}

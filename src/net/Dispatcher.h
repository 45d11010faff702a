// The server-message dispatcher: the one OnMessage handler of the session's
// connection. Each call handles exactly one message: it reads the code byte,
// cuts the fields that code defines (never past the end; bytes left after
// them are ignored) and acts, either itself (the session reactions: logon
// accepted or refused, the server's boxes, the version query, the logon
// prompt, results, the session values) or through the windows registered
// in SessionWindows() (see SessionWindows.h for which code goes where).
//
// A code the table does not know closes the shared box and shows "Wrong
// control: " with the code, the next byte and the rest; processing goes on.
// Boxes shown here are modal: the dispatcher waits in them while the main
// loop runs, so further messages are queued by the connection meanwhile.
//
// Texts: keys are looked up in the message section of the language;
// templates are filled with FillPlaceholders before they are shown.
#pragma once

#include <string>

class TClient;

// The version this client reports.
inline constexpr char kProgramVersion[] = "3.61";
// The name under which the server asks for the client's own version.
inline constexpr char kClientVersionName[] = "lobbivex";
// The colours of the lines the dispatcher adds to the current room.
inline constexpr int kSystemNameColour = 0;
inline constexpr int kSystemTextColour = 8355711;

void Dispatch(const std::string& message);
// Makes Dispatch the client's message handler.
void InstallDispatcher(TClient& client);

// The answer to the version query (code 81): "Q", name, version. The
// version file is "version.ini" in the installation root; the first answer
// also reads the distribution number ("Gotfrom") the logon sends.
void SendVersion(const std::string& name);

// Helpers the dispatcher's texts are made of.
// The caption of game kind 1..4 (text "Chat"/<name> + "name"); empty for
// any other kind.
std::string GameName(int kind);
// A number of hundredths as a decimal: "1234" -> "12.34", "1250" -> "12.5",
// "-5" -> "-0.05"; a bad number counts as 0.
std::string HundredthsText(const std::string& number);

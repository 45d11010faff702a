// TSkinCheck: which images of the skin the gallery can use, and what it had
// to do without.
//
// Every control ends the program when one of its images is missing, which is
// right for the client but would hide every other control from the person
// judging the skin. So the gallery asks here first: for each role (the
// button that opens the menu, the tabs of the chat rooms, ...) it names the
// client's own element and then stand-ins, and takes the first the skin has.
// Each stand-in taken and each role left out is noted, and the notes are
// shown in the window and printed when the gallery ends.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

class TSkinCheck {
public:
    // The first candidate whose button images (E + "on" and E + "of") both
    // exist; empty when none has them. The first candidate is the client's.
    std::string Button(const std::string& role, std::initializer_list<const char*> candidates);
    // The same for a plain image name.
    std::string Image(const std::string& role, std::initializer_list<const char*> candidates);
    // The element itself when the skin has its button images; otherwise the
    // images of the first candidate the skin has are copied under the
    // element's names into the private program directory's loose images, for
    // controls that insist on their element (the chat's tab "forum"). Empty
    // when neither is there.
    std::string StandIn(const std::string& role, const std::string& element,
                        std::initializer_list<const char*> candidates);
    // Whether every name exists; the missing ones are noted for the role.
    bool All(const std::string& role, const std::vector<std::string>& names);

    static bool Exists(const std::string& name);
    static bool ButtonExists(const std::string& element);

    void Note(const std::string& note) { m_notes.push_back(note); }
    const std::vector<std::string>& Notes() const { return m_notes; }

private:
    std::string First(const std::string& role, std::initializer_list<const char*> candidates,
                      bool button);
    static bool CopyImage(const std::string& from, const std::string& to);

    std::vector<std::string> m_notes;
};

#include "protocol/LobbyMessages.h"

#include "protocol/FieldWriter.h"

namespace protocol {

std::string Build(const TUserLeft& m) { return TFieldWriter(m.kCode).Field(m.Name).Take(); }

std::string Build(const TChatLine& m) {
    return TFieldWriter(m.kCode).Word(m.Room).Byte(m.NameColour).Byte(m.TextColour).Field(m.Text).Take();
}

std::string Build(const TPingAnswer& m) { return TFieldWriter(m.kCode).Take(); }
std::string Build(const TRoomNotice& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Word(m.Room).Take(); }
std::string Build(const TUserGone& m) { return TFieldWriter(m.kCode).Word(m.Room).Field(m.Name).Take(); }

std::string Build(const TUserPresent& m) {
    return TFieldWriter(m.kCode).Word(m.Room).Byte(m.Icon).Field(m.Name).Take();
}

std::string Build(const TRoomOpen& m) {
    return TFieldWriter(m.kCode).Byte(m.Kind).Word(m.Room).Byte(m.Flags).Field(m.Title).Field(m.Prefix).Take();
}

std::string Build(const TRoomClosed& m) { return TFieldWriter(m.kCode).Word(m.Room).Field(m.Name).Take(); }
std::string Build(const TSwitchRoom& m) { return TFieldWriter(m.kCode).Word(m.Room).Take(); }
std::string Build(const TRemoveRoom& m) { return TFieldWriter(m.kCode).Word(m.Room).Take(); }
std::string Build(const TMenuTab& m) { return TFieldWriter(m.kCode).Byte(m.Tab).Take(); }
std::string Build(const TServerSound& m) { return TFieldWriter(m.kCode).Field(m.Name).Take(); }

bool Read(TFieldReader& r, TUserLeft& m) {
    m.Name = r.Field();
    return true;
}

bool Read(TFieldReader& r, TChatLine& m) {
    m.Room = r.Word();
    m.NameColour = r.Byte();
    m.TextColour = r.Byte();
    m.Text = r.Rest();
    if (!m.Text.empty()) m.Text.pop_back();
    return true;
}

bool Read(TFieldReader&, TPingAnswer&) { return true; }

bool Read(TFieldReader& r, TRoomNotice& m) {
    m.Kind = r.Byte();
    m.Room = r.Word();
    return true;
}

bool Read(TFieldReader& r, TUserGone& m) {
    m.Room = r.Word();
    m.Name = r.Field();
    return true;
}

bool Read(TFieldReader& r, TUserPresent& m) {
    m.Room = r.Word();
    m.Icon = r.Byte();
    m.Name = r.Field();
    return true;
}

bool Read(TFieldReader& r, TRoomOpen& m) {
    m.Kind = r.Byte();
    m.Room = r.Word();
    m.Flags = r.Byte();
    m.Title = r.Field();
    m.Prefix = r.Field();
    return true;
}

bool Read(TFieldReader& r, TRoomClosed& m) {
    m.Room = r.Word();
    m.Name = r.Field();
    return true;
}

bool Read(TFieldReader& r, TSwitchRoom& m) {
    m.Room = r.Word();
    return true;
}

bool Read(TFieldReader& r, TRemoveRoom& m) {
    m.Room = r.Word();
    return true;
}

bool Read(TFieldReader& r, TMenuTab& m) {
    m.Tab = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TServerSound& m) {
    m.Name = r.Field();
    return true;
}

}  // namespace protocol

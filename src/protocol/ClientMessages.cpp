#include "protocol/ClientMessages.h"

#include "protocol/FieldWriter.h"
#include "protocol/FrameCodec.h"

namespace protocol {
namespace {

// A logon has eleven fields; a flood of empty ones is not worth keeping.
constexpr size_t kMaxLogonFields = 32;
constexpr size_t kLogonFields = 6;
constexpr size_t kRegistrationFields = 11;
// An account update: password and face, or password, date, gender and face.
constexpr size_t kShortUpdateFields = 2;
constexpr size_t kFullUpdateFields = 6;

int64_t NumberIn(const std::string& field) { return ParseDecimal(field); }

// The rest of the message without a last byte 1.
std::string NameIn(TFieldReader& r) {
    std::string rest = r.Rest();
    if (!rest.empty() && rest.back() == kFieldEnd) rest.pop_back();
    return rest;
}

// A name that ends the message holds no byte 1: it could not be sent back
// as it was read.
bool IsName(const std::string& name) { return name.find(kFieldEnd) == std::string::npos; }

}  // namespace

std::string Build(const THello& m) { return TFieldWriter(m.kCode).Take(); }
std::string Build(const TVersionAnswer& m) { return TFieldWriter(m.kCode).Field(m.Name).Field(m.Version).Take(); }

std::string Build(const TLogon& m) {
    TFieldWriter w(m.kCode);
    w.Field("0").Field("0").Field(m.Alias).Field(m.Password).Number(m.Distribution).Number(m.Machine);
    if (m.Registration) w.Number(m.Year).Number(m.Month).Number(m.Day).Number(m.Gender).Number(m.Face);
    return w.Take();
}

std::string Build(const TAccountUpdate& m) {
    TFieldWriter w(m.kCode);
    w.Field(m.Password);
    if (m.WithBirthday) w.Number(m.Year).Number(m.Month).Number(m.Day).Number(m.Gender);
    return w.Number(m.Face).Take();
}

std::string Build(const TAccountRequest& m) { return TFieldWriter(m.kCode).Take(); }
std::string Build(const TPingReply& m) { return TFieldWriter(m.kCode).Raw(std::to_string(m.Ms)).Take(); }
std::string Build(const TUrlRequest& m) { return TFieldWriter(m.kCode).Byte(m.Entry).Take(); }
std::string Build(const TAnswer& m) { return TFieldWriter(m.kCode).Byte(m.Index).Take(); }
std::string Build(const TBannerRequest& m) { return TFieldWriter(m.kCode).Byte(m.Place).Take(); }
std::string Build(const TSetOption& m) { return TFieldWriter(m.kCode).Byte(m.Option).Byte(m.Value).Take(); }
std::string Build(const TPingRequest& m) { return TFieldWriter(m.kCode).Take(); }
std::string Build(const TLeaveRoom& m) { return TFieldWriter(m.kCode).Word(m.Room).Take(); }
std::string Build(const TEnterRoom& m) { return TFieldWriter(m.kCode).Word(m.Room).Take(); }
std::string Build(const TCloseRoom& m) { return TFieldWriter(m.kCode).Word(m.Room).Take(); }
std::string Build(const TSay& m) { return TFieldWriter(m.kCode).Word(m.Room).Field(m.Text).Take(); }
std::string Build(const TInfoRequest& m) { return TFieldWriter(m.kCode).Field(m.Name).Take(); }
std::string Build(const TOpenRoom& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Raw(m.Name).Take(); }
std::string Build(const TForumAdd& m) { return TFieldWriter(m.kCode).Word(m.Room).Raw(m.Name).Take(); }
std::string Build(const TCreateTable& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Field(m.Setting).Take(); }
std::string Build(const TWithdrawTable& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Take(); }
std::string Build(const TAskToJoin& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Field(m.Creator).Take(); }

std::string Build(const TStartTable& m) {
    TFieldWriter w(m.kCode);
    w.Byte(m.Kind);
    for (const std::string& joiner : m.Joiners) w.Field(joiner);
    return w.Take();
}

std::string Build(const TGamePayload& m) { return TFieldWriter(m.kCode).Byte(m.Kind).Raw(m.Payload).Take(); }

std::string Build(const TUploadStart& m) {
    return TFieldWriter(m.kCode).Field("\\" + m.Name).Number(m.Size).Take();
}

std::string Build(const TUploadChunk& m) {
    return TFieldWriter(m.kCode).Number(static_cast<int64_t>(m.Data.size())).Raw(m.Data).Take();
}

std::string Build(const TFileRequest& m) {
    return TFieldWriter(m.kCode).Field(m.Name).Number(m.Offset).Take();
}

std::string Build(const TWatch& m) {
    return TFieldWriter(m.kCode).Byte(m.Kind).Field(m.Player).Byte(m.Slot).Take();
}

std::string Build(const THiscoreRequest& m) {
    return TFieldWriter(m.kCode).Number(m.List).Number(m.First).Number(m.Last).Take();
}

bool Read(TFieldReader&, THello&) { return true; }

bool Read(TFieldReader& r, TVersionAnswer& m) { return r.ReadField(m.Name) && r.ReadField(m.Version); }

bool Read(TFieldReader& r, TLogon& m) {
    std::vector<std::string> f = SplitFields(r.Rest(), kMaxLogonFields);
    if (f.size() < kLogonFields) return false;
    m = TLogon{};
    m.Alias = f[2];
    m.Password = f[3];
    m.Distribution = NumberIn(f[4]);
    m.Machine = NumberIn(f[5]);
    if (f.size() < kRegistrationFields) return true;
    m.Registration = true;
    m.Year = NumberIn(f[6]);
    m.Month = NumberIn(f[7]);
    m.Day = NumberIn(f[8]);
    m.Gender = NumberIn(f[9]);
    m.Face = NumberIn(f[10]);
    return true;
}

bool Read(TFieldReader& r, TAccountUpdate& m) {
    std::vector<std::string> f = SplitFields(r.Rest(), kMaxLogonFields);
    if (f.size() != kShortUpdateFields && f.size() < kFullUpdateFields) return false;
    m = TAccountUpdate{};
    m.Password = f[0];
    if (f.size() == kShortUpdateFields) {
        m.Face = NumberIn(f[1]);
        return true;
    }
    m.WithBirthday = true;
    m.Year = NumberIn(f[1]);
    m.Month = NumberIn(f[2]);
    m.Day = NumberIn(f[3]);
    m.Gender = NumberIn(f[4]);
    m.Face = NumberIn(f[5]);
    return true;
}

bool Read(TFieldReader&, TAccountRequest&) { return true; }

bool Read(TFieldReader& r, TPingReply& m) {
    m.Ms = ParseDecimal(r.Rest());
    return true;
}

bool Read(TFieldReader& r, TUrlRequest& m) {
    uint8_t entry = 0;
    if (!r.ReadByte(entry)) return false;
    m.Entry = entry;
    return true;
}

bool Read(TFieldReader& r, TAnswer& m) {
    uint8_t index = 0;
    if (!r.ReadByte(index)) return false;
    m.Index = index;
    return true;
}

bool Read(TFieldReader& r, TBannerRequest& m) {
    uint8_t place = 0;
    if (!r.ReadByte(place)) return false;
    m.Place = place;
    return true;
}

bool Read(TFieldReader& r, TSetOption& m) {
    uint8_t option = 0, value = 0;
    if (!r.ReadByte(option) || !r.ReadByte(value)) return false;
    m.Option = option;
    m.Value = value;
    return true;
}

bool Read(TFieldReader&, TPingRequest&) { return true; }

bool Read(TFieldReader& r, TLeaveRoom& m) {
    uint16_t room = 0;
    if (!r.ReadWord(room)) return false;
    m.Room = room;
    return true;
}

bool Read(TFieldReader& r, TEnterRoom& m) {
    uint16_t room = 0;
    if (!r.ReadWord(room)) return false;
    m.Room = room;
    return true;
}

bool Read(TFieldReader& r, TCloseRoom& m) {
    uint16_t room = 0;
    if (!r.ReadWord(room)) return false;
    m.Room = room;
    return true;
}

bool Read(TFieldReader& r, TSay& m) {
    uint16_t room = 0;
    if (!r.ReadWord(room)) return false;
    m.Room = room;
    m.Text = NameIn(r);
    return true;
}

bool Read(TFieldReader& r, TInfoRequest& m) { return r.ReadField(m.Name); }

bool Read(TFieldReader& r, TOpenRoom& m) {
    uint8_t kind = 0;
    if (!r.ReadByte(kind)) return false;
    m.Kind = kind;
    m.Name = NameIn(r);
    return IsName(m.Name);
}

bool Read(TFieldReader& r, TForumAdd& m) {
    uint16_t room = 0;
    if (!r.ReadWord(room)) return false;
    m.Room = room;
    m.Name = NameIn(r);
    return IsName(m.Name);
}

bool Read(TFieldReader& r, TCreateTable& m) {
    uint8_t kind = 0;
    if (!r.ReadByte(kind) || !r.ReadField(m.Setting)) return false;
    m.Kind = kind;
    return true;
}

bool Read(TFieldReader& r, TWithdrawTable& m) {
    uint8_t kind = 0;
    if (!r.ReadByte(kind)) return false;
    m.Kind = kind;
    return true;
}

bool Read(TFieldReader& r, TAskToJoin& m) {
    uint8_t kind = 0;
    if (!r.ReadByte(kind) || !r.ReadField(m.Creator)) return false;
    m.Kind = kind;
    return true;
}

bool Read(TFieldReader& r, TStartTable& m) {
    uint8_t kind = 0;
    if (!r.ReadByte(kind)) return false;
    m.Kind = kind;
    m.Joiners = SplitFields(r.Rest(), TStartTable::kMaxJoiners);
    return true;
}

bool Read(TFieldReader& r, TGamePayload& m) {
    uint8_t kind = 0;
    if (!r.ReadByte(kind)) return false;
    m.Kind = kind;
    m.Payload = r.Rest();
    return true;
}

bool Read(TFieldReader& r, TUploadStart& m) {
    std::string size;
    if (!r.ReadField(m.Name) || !r.ReadField(size)) return false;
    if (!m.Name.empty() && m.Name.front() == '\\') m.Name.erase(0, 1);
    m.Size = ParseDecimal(size);
    return true;
}

bool Read(TFieldReader& r, TUploadChunk& m) {
    std::string count;
    if (!r.ReadField(count)) return false;
    const int64_t n = ParseDecimal(count);
    if (n < 0 || static_cast<uint64_t>(n) != r.Remaining()) return false;
    m.Data = r.Rest();
    return true;
}

bool Read(TFieldReader& r, TFileRequest& m) {
    std::string offset;
    if (!r.ReadField(m.Name) || !r.ReadField(offset)) return false;
    m.Offset = ParseDecimal(offset);
    return m.Offset >= 0;
}

bool Read(TFieldReader& r, TWatch& m) {
    uint8_t kind = 0, slot = 0;
    if (!r.ReadByte(kind) || !r.ReadField(m.Player) || !r.ReadByte(slot)) return false;
    m.Kind = kind;
    m.Slot = slot;
    return true;
}

bool Read(TFieldReader& r, THiscoreRequest& m) {
    std::string list, first, last;
    if (!r.ReadField(list) || !r.ReadField(first) || !r.ReadField(last)) return false;
    m.List = NumberIn(list);
    m.First = NumberIn(first);
    m.Last = NumberIn(last);
    return true;
}

}  // namespace protocol

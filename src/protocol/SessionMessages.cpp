#include "protocol/SessionMessages.h"

#include "protocol/FieldWriter.h"

namespace protocol {

std::string Build(const TLogonAccepted& m) { return TFieldWriter(m.kCode).Field(m.WebPassword).Take(); }
std::string Build(const TLogonRefused& m) { return TFieldWriter(m.kCode).Byte(m.Error).Take(); }
std::string Build(const TServerBox& m) { return TFieldWriter(m.kCode).Field(m.Text).Field(m.Title).Take(); }
std::string Build(const TVersionQuery& m) { return TFieldWriter(m.kCode).Field(m.Name).Take(); }
std::string Build(const TLogonPrompt& m) { return TFieldWriter(m.kCode).Take(); }

std::string Build(const TAccountData& m) {
    return TFieldWriter(m.kCode).Number(m.Year).Number(m.Month).Number(m.Day).Number(m.Gender).Number(m.Face).Take();
}

std::string Build(const TPrivileged& m) { return TFieldWriter(m.kCode).Byte(m.Value).Take(); }
std::string Build(const TOptions& m) { return TFieldWriter(m.kCode).Field(m.Digits).Take(); }
std::string Build(const TBannerInterval& m) { return TFieldWriter(m.kCode).Number(m.Seconds).Take(); }
std::string Build(const TBannerPeriod& m) { return TFieldWriter(m.kCode).Number(m.Minutes).Take(); }

bool Read(TFieldReader& r, TLogonAccepted& m) {
    m.WebPassword = r.Field();
    return true;
}

bool Read(TFieldReader& r, TLogonRefused& m) {
    m.Error = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TServerBox& m) {
    m.Text = r.Field();
    m.Title = r.Field();
    return true;
}

bool Read(TFieldReader& r, TVersionQuery& m) {
    m.Name = r.Field();
    return true;
}

bool Read(TFieldReader&, TLogonPrompt&) { return true; }

bool Read(TFieldReader& r, TAccountData& m) {
    m.Year = r.Number(0);
    m.Month = r.Number(0);
    m.Day = r.Number(0);
    m.Gender = r.Number(0);
    m.Face = r.Number(0);
    return true;
}

bool Read(TFieldReader& r, TPrivileged& m) {
    m.Value = r.Byte();
    return true;
}

bool Read(TFieldReader& r, TOptions& m) {
    m.Digits = r.Field();
    return true;
}

bool Read(TFieldReader& r, TBannerInterval& m) {
    m.Seconds = r.Number(30);
    return true;
}

bool Read(TFieldReader& r, TBannerPeriod& m) {
    m.Minutes = r.Number(30);
    return true;
}

}  // namespace protocol

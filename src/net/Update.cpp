#include "net/Update.h"

#include <algorithm>
#include <cctype>

#include "controls/MsgBoxes.h"
#include "net/Session.h"
#include "net/Updateform.h"
#include "net/transport/Client.h"
#include "platform/Platform.h"
#include "protocol/ClientMessages.h"
#include "protocol/FieldReader.h"
#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

// The part of a name after its last separator.
std::string LastPart(const std::string& name) {
    size_t slash = name.find_last_of("\\/");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The name as the staging folder will hold it, lower-cased for comparing.
std::string StoredNameLower(const std::string& name) {
    std::string last = LastPart(name);
    std::transform(last.begin(), last.end(), last.begin(), [](unsigned char c) { return std::tolower(c); });
    return last;
}

// A name the download may fetch: not empty, not a path the file writer
// refuses, not the launcher that will check what was fetched, not the
// record of what is installed.
bool Fetchable(const std::string& name) {
    if (name.empty() || name.find(':') != std::string::npos || name.find('\0') != std::string::npos) return false;
    std::string last = StoredNameLower(name);
    return !last.empty() && last != "." && last != ".." && last != TUpdate::kLauncher &&
           last != TUpdate::kVersionFile;
}

bool HasFetchableName(std::string files) {
    while (!files.empty())
        if (Fetchable(CutField(files))) return true;
    return false;
}

}  // namespace

TUpdate::TUpdate(const std::string& keyPrefix, const std::string& section)
    : m_modemSpeed(SettingsFile().ReadInteger(section, keyPrefix + "modemspeed", 1)),
      m_window(std::make_unique<TUpdateform>()) {
    // The file's name below the root is the staging folder and the last
    // part of the announced name; the writer creates the folder.
    m_file.KeepPaths = true;
    SessionWindows().Update = this;
}

TUpdate::~TUpdate() {
    if (SessionWindows().Update == this) SessionWindows().Update = nullptr;
}

void TUpdate::Clear() {
    m_items.clear();
    m_current = -1;
    m_name.clear();
    m_file.Drop();
}

void TUpdate::AddItem(const std::string& item) {
    std::string rest = item;
    TItem entry;
    entry.Kind = CutField(rest);
    CutField(rest);
    entry.Size = protocol::NumberOr(CutField(rest), 0);
    entry.Files = rest;
    m_items.push_back(entry);
}

bool TUpdate::StartIfNeeded() {
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].Kind != kProgramUpdate || !HasFetchableName(m_items[i].Files)) continue;
        CloseMsgBox(0);
        m_window->Start(m_items[i].Size);
        return RequestNext(static_cast<int>(i));
    }
    return false;
}

bool TUpdate::RequestNext(int item) {
    std::string& files = m_items[static_cast<size_t>(item)].Files;
    while (!files.empty()) {
        std::string name = CutField(files);
        if (!Fetchable(name)) continue;
        m_current = item;
        m_name = name;
        // A file half-collected on an earlier attempt is started anew.
        m_file.Drop();
        Request(0);
        return true;
    }
    return false;
}

void TUpdate::Request(int64_t offset) {
    std::string message = protocol::Build(protocol::TFileRequest{m_name, offset});
    if (OnSend) {
        OnSend(message);
        return;
    }
    SendToServer(message);
    // The next chunk comes only after this request: waiting for the send
    // delay would add it to every chunk's round trip (a 50 MB release took
    // over five minutes on loopback).
    if (Session().Client) Session().Client->Flush();
}

void TUpdate::AddChunk(const TFileChunk& chunk) {
    // Nothing was asked for: a stray chunk.
    if (m_current < 0 || m_name.empty()) return;
    if (!m_file.Collecting() && chunk.Size != 0) m_file.Begin(kStagingFolder + LastPart(m_name), chunk.Size);
    AddChunk(chunk.Data);
    if (!m_file.Collecting()) {
        FileDone();
        return;
    }
    // Nothing held yet: the next answer starts the file again, with its size.
    if (m_file.Held() == 0) m_file.Drop();
    Request(m_file.Held());
}

int64_t TUpdate::AddChunk(const std::string& data) {
    m_window->Advance(static_cast<int64_t>(data.size()));
    return m_file.Append(data);
}

void TUpdate::FileDone() {
    m_name.clear();
    int item = m_current;
    if (item < 0 || static_cast<size_t>(item) >= m_items.size()) return;
    if (RequestNext(item)) return;
    m_current = -1;
    if (m_items[static_cast<size_t>(item)].Kind != kProgramUpdate) {
        m_items.erase(m_items.begin() + item);
        return;
    }
    RunLauncher();
}

void TUpdate::RunLauncher() {
    platform::Shell().StartProgram(InstallationRoot() + kLauncher);
    EndProgram();
}

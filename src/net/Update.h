// TUpdate: the update download. Before the logon the server may announce
// items (code 83), each a kind, a total size and a list of file names; an
// item of kind "0" is a program update. At the server's logon prompt
// StartIfNeeded fetches the first program update instead of logging on: it
// shows the progress window and asks for the item's files one after the
// other (0x1A, name, offset). Each code 26 carries a chunk; the first chunk
// of a file also carries its size. The file is collected by a TFile and
// written when complete into the folder "update/" of the installation root
// (the name reduced to its last part, never outside that folder). After the
// last file of a program update the launcher "start.exe" in the
// installation root is started and the program ends; the launcher checks
// the files' signatures and installs them (tools/launcher).
//
// Why a folder of its own: the client opens the root's "data.pac" as its
// second pack, so a file written beside it would be used at the next start
// without any check, also when it came with an item that never starts the
// launcher or the download was abandoned halfway. Nothing the client reads
// lies in "update/"; only the launcher takes files from there, after their
// signatures checked out.
//
// After every chunk the next request names the bytes held so far as its
// offset, so a chunk cut short by the server or a lost connection is asked
// for again from where it stopped. Items of any other kind never start a
// download by themselves: they are only removed once fetched.
//
// Sound behaviour where the announcement is hostile or odd: an item without
// a file name starts nothing; names the installation must not take from the
// network (the launcher itself, version.ini, names a TFile refuses) are
// skipped; an empty
// file is skipped (nothing is written); a chunk that arrives while nothing
// was asked for is dropped.
//
// Created once by the options window; it registers itself as the
// dispatcher's update object and leaves the registry when freed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/SessionWindows.h"
#include "resources/MyMem.h"

class TUpdateform;

class TUpdate : public IUpdate {
public:
    // The kind of a program update.
    static constexpr char kProgramUpdate[] = "0";
    // The launcher in the installation root, started after a program update;
    // never fetched from the network.
    static constexpr char kLauncher[] = "start.exe";
    // The record of the installed release, which only the launcher writes.
    static constexpr char kVersionFile[] = "version.ini";
    // Where fetched files are written, below the installation root.
    static constexpr char kStagingFolder[] = "update/";

    struct TItem {
        std::string Kind;
        int Size = 1;       // the progress maximum
        std::string Files;  // the comma-separated names still to fetch
    };

    // keyPrefix and section name the settings number keyPrefix +
    // "modemspeed" (default 1), read once here.
    TUpdate(const std::string& keyPrefix, const std::string& section);
    ~TUpdate() override;
    TUpdate(const TUpdate&) = delete;
    TUpdate& operator=(const TUpdate&) = delete;

    const std::vector<TItem>& Items() const { return m_items; }
    // The item being fetched, -1 when none.
    int Current() const { return m_current; }
    // The name being fetched; empty when none.
    const std::string& FileName() const { return m_name; }
    int ModemSpeed() const { return m_modemSpeed; }
    TUpdateform* Window() const { return m_window.get(); }

    // A new connection: forgets the items and any file half fetched.
    void Clear() override;
    // "kind,ignored,size,name,name,...".
    void AddItem(const std::string& item) override;
    bool StartIfNeeded() override;
    bool TransferOpen() const override { return m_file.Collecting(); }
    // Code 26: opens the transfer with the size when none is open, adds the
    // bytes and asks for what comes next.
    void AddChunk(const TFileChunk& chunk) override;
    // Adds the bytes to the bar and the file: the number of bytes now held,
    // or 0 when the file is complete and written.
    int64_t AddChunk(const std::string& data);

    // Where the file requests go; empty: the session's connection.
    std::function<void(const std::string& message)> OnSend;

private:
    // Takes the next acceptable name off the item's list and asks for it;
    // false when the list holds none.
    bool RequestNext(int item);
    void Request(int64_t offset);
    void FileDone();
    void RunLauncher();

    std::vector<TItem> m_items;
    int m_current = -1;
    std::string m_name;
    TFile m_file;
    int m_modemSpeed = 1;
    std::unique_ptr<TUpdateform> m_window;
};

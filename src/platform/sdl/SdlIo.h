// The SDL backend's descriptor readiness and host lookups.
//
// The watch table lives on the main thread; every change hands a fresh
// snapshot to the notifier thread, whose results come back as posted tasks
// and are dispatched against the live table (so a result for an ended or
// replaced watch is dropped). Host lookups run on helper threads and post
// their results the same way.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/posix/FdWatches.h"
#include "platform/posix/HostLookup.h"
#include "platform/sdl/Notifier.h"

namespace platform::sdl {

class TLoop;

class TIo : public IIo {
public:
    // Installs the notifier's hook in the loop; the loop must outlive this.
    explicit TIo(TLoop& loop);
    ~TIo() override;

    int Watch(int fd, unsigned events, IoHandler handler) override;
    bool Modify(int watchId, unsigned events) override;
    void Unwatch(int watchId) override;
    int LookupHost(const std::string& host, LookupHandler handler) override;
    void CancelLookup(int lookupId) override;

private:
    bool Resnapshot();

    posix::TFdWatches m_watches;
    posix::THostLookups m_lookups;
    TLoop& m_loop;
    TNotifier m_notifier;  // last: stopped before the table it reads goes
};

}  // namespace platform::sdl

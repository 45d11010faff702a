// The table of watched descriptors and the poll() that serves it.
//
// Both backends keep their watches here. The headless backend polls inline on
// the main thread; the SDL backend polls a snapshot on its notifier thread and
// dispatches the results on the main thread. Dispatch checks each watch again
// by id, so a handler that ends another watch (or its own) is safe and a
// result for an ended watch is dropped.
#pragma once

#include <poll.h>

#include <map>
#include <vector>

#include "platform/Platform.h"

namespace platform::posix {

struct TPollResult {
    int watchId;
    int fd;
    unsigned events;  // IoEvent bits
};

class TFdWatches {
public:
    int Watch(int fd, unsigned events, IoHandler handler);
    bool Modify(int watchId, unsigned events);
    void Unwatch(int watchId);
    bool Empty() const { return m_watches.empty(); }

    // The descriptors to poll, in watch order, with their ids beside them.
    void Snapshot(std::vector<pollfd>& fds, std::vector<int>& ids) const;
    // Turns poll() results of a snapshot into readiness results.
    static std::vector<TPollResult> Collect(const std::vector<pollfd>& fds,
                                            const std::vector<int>& ids);
    // Calls the handlers of results whose watch still exists, with the events
    // its current mask asks for (errors and hang-ups always). Returns the
    // number of handlers called.
    int Dispatch(const std::vector<TPollResult>& results);

    // Polls the watches and one extra descriptor (-1 for none) for up to
    // timeoutMs (-1 blocks), dispatches what is ready and tells whether the
    // extra descriptor is readable. Returns the number of handlers called.
    int PollAndDispatch(int timeoutMs, int extraFd, bool* extraReady);

private:
    struct TWatch {
        int fd;
        unsigned events;
        IoHandler handler;
    };
    std::map<int, TWatch> m_watches;  // by id; ids grow, so this is watch order
    int m_nextId = 1;
};

}  // namespace platform::posix

// Password hashing off the event loop. Argon2id costs tens of milliseconds
// per logon by design, which would stall every other session if the loop
// ran it; a small pool of threads runs crypto_pwhash_str and its
// verification instead and hands each result back through an eventfd that
// the loop watches. The logic stays single-threaded: a worker thread touches
// nothing but its own job, and a job's continuation runs only inside
// Deliver(), on the loop's thread.
//
// Continuations see the world as it is when the result arrives, not as it
// was when the job was submitted: the session that asked may have ended in
// between, so a continuation looks its session up again (by number) and
// drops the result when it is gone.
//
// Destruction waits for the jobs that are running and drops everything that
// has not been delivered, without calling those continuations. A clear
// password is wiped from the job once it has been used.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "PasswordHasher.h"

namespace server {

class HashWorker {
public:
    struct Result {
        bool verified = false;  // Verify: the password matches
        std::string hash;       // Hash: the encoded hash, empty when hashing failed
    };
    using Done = std::function<void(const Result&)>;

    HashWorker(const PasswordHasher& hasher, int threads);
    ~HashWorker();
    HashWorker(const HashWorker&) = delete;
    HashWorker& operator=(const HashWorker&) = delete;

    // False when the eventfd or a thread could not be made.
    bool Ok() const { return m_wakeFd >= 0 && !m_threads.empty(); }
    // Readable while finished results wait for Deliver().
    int WakeFd() const { return m_wakeFd; }

    void Hash(std::string password, Done done);
    void Verify(std::string encoded, std::string password, Done done);
    // The time of one verification against no stored hash (unknown alias).
    void VerifyDummy(std::string password, Done done);

    // Runs the continuations of the finished jobs, in the order they finished.
    void Deliver();
    // Jobs submitted and not yet delivered (loop thread only).
    size_t Outstanding() const { return m_outstanding; }

private:
    enum class Kind { Hash, Verify, VerifyDummy };
    struct Job {
        Kind kind = Kind::Hash;
        std::string password;
        std::string encoded;
        Done done;
        Result result;
    };

    void Submit(Job job);
    void Work();
    void Run(Job& job) const;

    const PasswordHasher& m_hasher;
    int m_wakeFd = -1;
    std::mutex m_mutex;
    std::condition_variable m_jobReady;
    std::deque<Job> m_queue;     // guarded by m_mutex
    std::deque<Job> m_finished;  // guarded by m_mutex
    bool m_stopping = false;     // guarded by m_mutex
    size_t m_outstanding = 0;
    std::vector<std::thread> m_threads;
};

}  // namespace server

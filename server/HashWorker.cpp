#include "HashWorker.h"

#include <sodium.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <system_error>

namespace server {
namespace {

void Wipe(std::string& secret) {
    if (!secret.empty()) sodium_memzero(secret.data(), secret.size());
    secret.clear();
}

}  // namespace

HashWorker::HashWorker(const PasswordHasher& hasher, int threads)
    : m_hasher(hasher), m_wakeFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_wakeFd < 0) return;
    for (int i = 0; i < threads; ++i) {
        try {
            m_threads.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;  // serve with the threads we have (none: not Ok)
        }
    }
}

HashWorker::~HashWorker() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        for (Job& job : m_queue) Wipe(job.password);
        m_queue.clear();
    }
    m_jobReady.notify_all();
    for (std::thread& t : m_threads) t.join();
    if (m_wakeFd >= 0) close(m_wakeFd);
}

void HashWorker::Hash(std::string password, Done done) {
    Job job;
    job.kind = Kind::Hash;
    job.password = std::move(password);
    job.done = std::move(done);
    Submit(std::move(job));
}

void HashWorker::Verify(std::string encoded, std::string password, Done done) {
    Job job;
    job.kind = Kind::Verify;
    job.encoded = std::move(encoded);
    job.password = std::move(password);
    job.done = std::move(done);
    Submit(std::move(job));
}

void HashWorker::VerifyDummy(std::string password, Done done) {
    Job job;
    job.kind = Kind::VerifyDummy;
    job.password = std::move(password);
    job.done = std::move(done);
    Submit(std::move(job));
}

void HashWorker::Submit(Job job) {
    ++m_outstanding;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(job));
    }
    m_jobReady.notify_one();
}

void HashWorker::Work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_jobReady.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping) return;
        Job job = std::move(m_queue.front());
        m_queue.pop_front();
        lock.unlock();
        Run(job);
        lock.lock();
        if (m_stopping) return;
        m_finished.push_back(std::move(job));
        uint64_t one = 1;
        // The counter only needs to be non-zero; a full counter is still
        // readable, so a failed write loses nothing.
        [[maybe_unused]] ssize_t ignored = write(m_wakeFd, &one, sizeof one);
    }
}

void HashWorker::Run(Job& job) const {
    switch (job.kind) {
        case Kind::Hash: job.result.hash = m_hasher.Hash(job.password); break;
        case Kind::Verify: job.result.verified = m_hasher.Verify(job.encoded, job.password); break;
        case Kind::VerifyDummy: m_hasher.VerifyDummy(job.password); break;
    }
    Wipe(job.password);
}

void HashWorker::Deliver() {
    uint64_t count = 0;
    [[maybe_unused]] ssize_t ignored = read(m_wakeFd, &count, sizeof count);
    std::deque<Job> finished;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        finished.swap(m_finished);
    }
    for (Job& job : finished) {
        --m_outstanding;
        // A continuation may submit further jobs: they go to the shared
        // queue, not to this list.
        Done done = std::move(job.done);
        if (done) done(job.result);
    }
}

}  // namespace server

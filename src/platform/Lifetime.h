// TLifetime: lets a callback that may outlive its object find out whether
// the object still exists.
//
// An object holds a TLifetime member; whatever may run after the object is
// gone (a posted task, a handler that may destroy its sender, a helper
// thread's result) takes a Watch() first and asks it before touching the
// object again. The watch shares a flag with the lifetime: the lifetime's
// destructor (or End) clears it, and the flag itself lives as long as the
// last watch, so asking is always safe. The flag is atomic, so a watch may
// be asked on another thread than the one that ends the lifetime.
#pragma once

#include <atomic>
#include <memory>

class TLifetime {
public:
    class TWatch {
    public:
        TWatch() = default;
        // True while the watched object exists.
        bool Alive() const { return m_flag && m_flag->load(); }
        explicit operator bool() const { return Alive(); }

    private:
        friend class TLifetime;
        explicit TWatch(std::shared_ptr<const std::atomic<bool>> flag) : m_flag(std::move(flag)) {}
        std::shared_ptr<const std::atomic<bool>> m_flag;
    };

    TLifetime() = default;
    ~TLifetime() { End(); }
    TLifetime(const TLifetime&) = delete;
    TLifetime& operator=(const TLifetime&) = delete;

    TWatch Watch() const { return TWatch(m_flag); }
    // Ends the lifetime before the destructor does (an owner that stops
    // answering its callbacks early); watches say so from now on.
    void End() { m_flag->store(false); }

private:
    std::shared_ptr<std::atomic<bool>> m_flag = std::make_shared<std::atomic<bool>>(true);
};

// TInstalledState<TState>: owns one library's state object and makes it the
// one that library's accessors return while it lives.
//
// Every library above the platform keeps what lives as long as the program
// (its registries, its switches, its slots) in one state struct. The program's
// context (shell/AppContext) and the tests make a TInstalledState of each;
// construction installs the new state, destruction ends it and puts back the
// one that was installed before, so contexts nest.
//
// The state is destroyed while it is still installed, so what it owns can
// still reach its own library while it ends; a state's destructor ends its
// members in a sound order. A library's accessor asks Get(), which ends the
// process with a message when no state is installed: using a library
// outside any context is a programming error, not a case to recover from.
// Code that may run after its context ended (destructors of objects that
// outlive it) asks Current() and does nothing on null.
//
// All of this runs on the main thread.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

template <class TState>
class TInstalledState {
public:
    TInstalledState() : m_state(std::make_unique<TState>()), m_previous(Slot()) { Slot() = m_state.get(); }
    ~TInstalledState() {
        // reset() clears the pointer before the state's destructor runs, and
        // the slot still names the state while it ends.
        m_state.reset();
        Slot() = m_previous;
    }
    TInstalledState(const TInstalledState&) = delete;
    TInstalledState& operator=(const TInstalledState&) = delete;

    TState& State() { return *m_state; }

    // The installed state, or null.
    static TState* Current() { return Slot(); }

    // The installed state; without one the process ends.
    static TState& Get() {
        TState* state = Slot();
        if (!state) {
            std::fprintf(stderr, "no %s is installed: build a context first\n", typeid(TState).name());
            std::abort();
        }
        return *state;
    }

private:
    static TState*& Slot() {
        static TState* current = nullptr;
        return current;
    }

    std::unique_ptr<TState> m_state;
    TState* m_previous;
};

// TInstalledStates<...>: a fresh, installed state of each named library, for
// programs and tests that use only the libraries below the shell (the
// client itself builds a whole TAppContext). Name the states bottom-up
// (timers first): they are built in that order and end in the reverse one.
template <class... TStates>
class TInstalledStates {};

template <class TFirst, class... TRest>
class TInstalledStates<TFirst, TRest...> {
public:
    TFirst& First() { return m_first.State(); }

private:
    TInstalledState<TFirst> m_first;
    TInstalledStates<TRest...> m_rest;
};

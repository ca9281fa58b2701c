#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

// What a piece of work ended with: its value, the message of what failed (one text, worded for
// the user), or that it was cancelled before it ended. The one result type of the program's
// workers, so that a caller tells the three apart the same way everywhere.
template <typename T>
class COutcome {
public:
    // A value: the work succeeded.
    COutcome(T value) : state(std::in_place_index<0>, std::move(value)) {}
    static COutcome Failure(std::string message) { return COutcome(CFailed{std::move(message)}); }
    static COutcome Cancellation() { return COutcome(CCancelled{}); }

    bool HasValue() const noexcept { return state.index() == 0; }
    bool Failed() const noexcept { return state.index() == 1; }
    bool Cancelled() const noexcept { return state.index() == 2; }

    // The value; only when HasValue(). It may be moved out.
    T& Value() noexcept {
        assert(HasValue());
        return *std::get_if<0>(&state);
    }
    // What failed; only when Failed().
    const std::string& Message() const noexcept {
        assert(Failed());
        return std::get_if<1>(&state)->message;
    }

private:
    struct CFailed {
        std::string message;
    };
    struct CCancelled {};

    explicit COutcome(CFailed failed) : state(std::in_place_index<1>, std::move(failed)) {}
    explicit COutcome(CCancelled) : state(std::in_place_index<2>) {}

    std::variant<T, CFailed, CCancelled> state;
};

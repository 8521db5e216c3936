#pragma once
// The ten canned phrases of the table's phrase buttons, what one sends, and the lock
// that keeps them from being fired in rapid succession.

#include <string>
#include <string_view>

namespace quintrel {

// Phrase n (1..10) before the settings file replaces it; empty outside 1..10.
std::string_view builtInPhrase(int n);

// The action text a phrase is sent as: a phrase beginning "/me" loses its first four
// characters (the "/me" and the one after it, as a typed "/me" line does); any other
// becomes "says: " and the phrase. Text is UTF-8.
std::string phraseActionText(std::string_view phrase);

// Counted in the table's dispatch ticks: after a phrase is sent the buttons do nothing
// until 101 ticks have passed.
class PhraseLock {
public:
    static constexpr int kTicks = 100;  // released on the tick that takes the count past this

    bool ready() const { return ready_; }
    // True (and the lock taken) when a phrase may be sent now.
    bool take();
    void tick();

private:
    bool ready_ = true;
    int count_ = 0;
};

}  // namespace quintrel

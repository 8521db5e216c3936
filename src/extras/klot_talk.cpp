#include "extras/klot_talk.h"

#include <array>

namespace quintrel {

std::string_view klotRemark(int n) {
    static constexpr std::array<std::string_view, kKlotRemarkCount> kRemarks = {
        "I need a Pepsi",
        "I'm a bit confused",
        "Oh it's getting late!",
        "Do you think that is wise?",
        "You are too kind",
        "I don't think that is a good idea",
        "That is very wise of you",
        "I have played this game alot",
        "Stop yelling at me.",
        "Where ya going with that suitcase?",
        "Careful you don't sit on that.",
        "Have you seen Zib today?",
        "Is it lunch time yet?",
        "Who is winning?",
        "You're doing great!",
        "Did you see that?",
        "Why did you do that?",
        "Who knows..",
        "Want to play cards?",
        "I'm feeling lucky tonight.",
        "Will you come and play again sometime?",
        "I'm so happy you are here!",
        "What is in your lunchbox today?",
        "Hey, I found a penny!",
        "What's that on your neck?",
        "My leg is on fire.",
        "It's storming outside",
        "I learned to ride a bike.",
        "You might want to call your mom.",
        "Do you like roses?",
        "There is nothing on TV right now",
        "I got hit by lightening",
    };
    if (n < 1 || n > kKlotRemarkCount) return {};
    return kRemarks[static_cast<std::size_t>(n - 1)];
}

std::optional<std::string> klottalk(bool seatsTwoToFourComputerPlayed, const RandomInt& random) {
    if (!seatsTwoToFourComputerPlayed) return std::nullopt;
    const int r = random(kKlotRemarkCount + 1);
    const std::string_view remark = klotRemark(r);  // 0 (or a broken source) says nothing
    if (remark.empty()) return std::nullopt;
    return kKlotSays + std::string(remark);
}

}  // namespace quintrel

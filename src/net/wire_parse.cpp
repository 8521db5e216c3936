// Parsers of the wire catalogue: every field is checked before a handler sees it.

#include "net/wire.h"

#include <cstddef>

#include "net/game_limits.h"

namespace quintrel::wire::parse {
namespace {

constexpr int kMaxDigits = 9;  // 999,999,999 fits in a 32-bit int with room to spare

struct Range {
    int lo;
    int hi;
};
constexpr Range kSeat{1, kSeats};
constexpr Range kSeatOrNone{0, kSeats};
constexpr Range kSlot{1, kLastSlot};
constexpr Range kLoginSlot{1, kRefusedSlot};
constexpr Range kPos{0, kHandSlots - 1};
constexpr Range kCard{0, kMaxCard};
constexpr Range kBookSlot{1, kBookSlots};
constexpr Range kKind{kindCode(BookKind::Normal), kindCode(BookKind::Wild)};
constexpr Range kTeam{1, kTeams};
constexpr Range kTeamOrNone{0, kTeams};
constexpr Range kBookCount{1, kBookComplete};
constexpr Range kHandCount{0, kHandSlots};
constexpr Range kCode{1, 2};  // watching / playing again; stock / discard pile
constexpr Range kBotDelay{1, 60000};
constexpr Range kAnyScore{-999999999, 999999999};

std::optional<int> toInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > static_cast<std::size_t>(kMaxDigits)) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<int> toInt(std::string_view text, Range range) {
    std::optional<int> value = toInt(text);
    if (!value || *value < range.lo || *value > range.hi) return std::nullopt;
    return value;
}

std::string_view withoutTrailingPlus(std::string_view text) {
    if (!text.empty() && text.back() == '+') text.remove_suffix(1);
    return text;
}

// Reads a rest field by field: each field ends at the next "+", the last takes what remains.
class Fields {
public:
    explicit Fields(std::string_view rest) : rest_(rest) {}

    // The text before the next "+"; missing when no "+" is left.
    std::optional<std::string_view> next() {
        std::size_t plus = rest_.find('+');
        if (plus == std::string_view::npos) return std::nullopt;
        std::string_view field = rest_.substr(0, plus);
        rest_.remove_prefix(plus + 1);
        return field;
    }

    std::optional<int> nextInt(Range range) {
        std::optional<std::string_view> field = next();
        if (!field) return std::nullopt;
        return toInt(*field, range);
    }

    // The text before the next "+", or empty when there is none: the layouts that end in a
    // required trailing "+".
    std::string_view upToPlus() {
        std::optional<std::string_view> field = next();
        return field ? *field : std::string_view{};
    }

    std::string_view remainder() const { return rest_; }

    // The last field as a number; one trailing "+" is accepted as its end.
    std::optional<int> lastInt(Range range) const { return toInt(withoutTrailingPlus(rest_), range); }

private:
    std::string_view rest_;
};

// A message of numeric fields only: all are required, in order, the last may end in "+".
// One pass over the text: every line of a game is read by this.
template <std::size_t N>
bool readInts(std::string_view rest, const Range (&ranges)[N], int (&out)[N]) {
    const char* at = rest.data();
    const char* const end = at + rest.size();
    for (std::size_t i = 0; i < N; ++i) {
        const bool negative = at != end && *at == '-';
        if (negative) ++at;
        const char* const digits = at;
        unsigned magnitude = 0;  // wraps harmlessly on a run of digits too long to keep
        for (unsigned digit; at != end && (digit = static_cast<unsigned>(*at - '0')) <= 9; ++at)
            magnitude = magnitude * 10 + digit;
        if (at == digits || at - digits > kMaxDigits) return false;
        const int value = negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
        if (value < ranges[i].lo || value > ranges[i].hi) return false;
        out[i] = value;
        // A field ends at its "+"; the last one at the end of the text or at one "+" there.
        if (i + 1 < N) {
            if (at == end || *at != '+') return false;
            ++at;
        } else if (at != end && !(*at == '+' && at + 1 == end)) {
            return false;
        }
    }
    return true;
}

std::optional<std::pair<int, std::string>> numberThenText(std::string_view rest, Range range) {
    Fields fields(rest);
    std::optional<int> number = fields.nextInt(range);
    if (!number) return std::nullopt;
    return std::pair<int, std::string>{*number, std::string(fields.remainder())};
}

// Name first (it may contain "+"), then the length letter after the last "+".
std::optional<std::pair<std::string, std::string>> nameThenLetter(std::string_view rest) {
    std::size_t plus = rest.rfind('+');
    if (plus == std::string_view::npos) return std::nullopt;
    return std::pair<std::string, std::string>{std::string(rest.substr(0, plus)),
                                               std::string(rest.substr(plus + 1))};
}

// Every field of the text as a number; the last may end in "+".
std::optional<std::vector<int>> allNumbers(std::string_view text) {
    std::vector<int> numbers;
    text = withoutTrailingPlus(text);
    if (text.empty()) return numbers;
    while (true) {
        std::size_t plus = text.find('+');
        std::optional<int> n = toInt(text.substr(0, plus));
        if (!n) return std::nullopt;
        numbers.push_back(*n);
        if (plus == std::string_view::npos) break;
        text.remove_prefix(plus + 1);
    }
    return numbers;
}

bool inRange(int value, Range range) { return value >= range.lo && value <= range.hi; }

}  // namespace

// ---------------------------------------------------------------- parsed by the host

std::optional<LoginInfo> logininfo(std::string_view rest) {
    Fields fields(rest);
    std::optional<int> slot = fields.nextInt(kSlot);
    if (!slot) return std::nullopt;
    std::optional<std::string_view> version = fields.next();
    if (!version) return std::nullopt;
    return LoginInfo{*slot, std::string(*version), std::string(fields.remainder())};
}

std::optional<KickHim> kickhim(std::string_view rest) {
    Fields fields(rest);
    std::optional<int> sender = fields.nextInt(kSlot);
    if (!sender) return std::nullopt;
    std::optional<int> target = toInt(fields.upToPlus(), kSlot);
    if (!target) return std::nullopt;
    return KickHim{*sender, *target};
}

std::optional<BotSpeed> botspeed(std::string_view rest) {
    Fields fields(rest);
    std::optional<int> sender = fields.nextInt(kSlot);
    if (!sender) return std::nullopt;
    std::optional<int> ms = toInt(fields.upToPlus(), kBotDelay);
    if (!ms) return std::nullopt;
    return BotSpeed{*sender, *ms};
}

std::optional<ChatRequest> chatRequest(std::string_view rest) {
    auto parsed = numberThenText(rest, kSlot);
    if (!parsed) return std::nullopt;
    return ChatRequest{parsed->first, std::move(parsed->second)};
}

std::optional<StartGameRequest> startgameRequest(std::string_view rest) {
    auto parsed = nameThenLetter(rest);
    if (!parsed) return std::nullopt;
    return StartGameRequest{std::move(parsed->first), std::move(parsed->second)};
}

std::optional<SetTourney> settourney(std::string_view rest) {
    Fields fields(rest);
    std::optional<std::string_view> flag = fields.next();
    if (!flag || (*flag != "true" && *flag != "false")) return std::nullopt;
    return SetTourney{*flag == "true", std::string(fields.upToPlus())};
}

std::optional<JustWatch> justwatch(std::string_view rest) {
    int v[2];
    if (!readInts(rest, {kSeat, kCode}, v)) return std::nullopt;
    return JustWatch{v[0], v[1]};
}

std::optional<Drawing> drawing(std::string_view rest) {
    int v[2];
    if (!readInts(rest, {kSeat, kCode}, v)) return std::nullopt;
    return Drawing{v[0], v[1]};
}

std::optional<DiscardRequest> discardRequest(std::string_view rest) {
    int v[2];
    if (!readInts(rest, {kSeat, kPos}, v)) return std::nullopt;
    return DiscardRequest{v[0], v[1]};
}

std::optional<CreateBook> createbook(std::string_view rest) {
    int v[4];
    if (!readInts(rest, {kSeat, kPos, kPos, kPos}, v)) return std::nullopt;
    return CreateBook{v[0], {v[1], v[2], v[3]}};
}

std::optional<AddToBookRequest> addtobookRequest(std::string_view rest) {
    int v[3];
    if (!readInts(rest, {kSeat, kPos, kBookSlot}, v)) return std::nullopt;
    return AddToBookRequest{v[0], v[1], v[2]};
}

std::optional<AddToCompRequest> addtocompRequest(std::string_view rest) {
    int v[3];
    if (!readInts(rest, {kSeat, kPos, kBookSlot}, v)) return std::nullopt;
    return AddToCompRequest{v[0], v[1], v[2]};
}

// ---------------------------------------------------------------- parsed by the table

std::optional<int> sendlogininfo(std::string_view rest) { return Fields(rest).lastInt(kLoginSlot); }

std::optional<SlotName> slotName(std::string_view rest) {
    auto parsed = numberThenText(rest, kSlot);
    if (!parsed) return std::nullopt;
    return SlotName{parsed->first, std::move(parsed->second)};
}

std::optional<StartGame> startgame(std::string_view rest) {
    auto parsed = nameThenLetter(rest);
    if (!parsed) return std::nullopt;
    return StartGame{std::move(parsed->first), std::move(parsed->second)};
}

std::optional<std::string> nobots(std::string_view rest) {
    return std::string(rest.substr(0, rest.find('+')));
}

std::optional<int> discard(std::string_view rest) { return Fields(rest).lastInt(kCard); }

std::optional<NewCard> newcard(std::string_view rest) {
    int v[3];
    if (!readInts(rest, {kSeat, kPos, kCard}, v)) return std::nullopt;
    return NewCard{v[0], v[1], v[2]};
}

std::optional<int> freecard(std::string_view rest) { return Fields(rest).lastInt(kPos); }

std::optional<int> usefoot(std::string_view rest) { return Fields(rest).lastInt(kSeat); }

std::optional<NextPlayer> nextplayer(std::string_view rest) {
    int v[3];
    if (!readInts(rest, {kSeatOrNone, kHandCount, kSeat}, v)) return std::nullopt;
    return NextPlayer{v[0], v[1], v[2]};
}

std::optional<NewBook> newbook(std::string_view rest) {
    int v[5];
    if (!readInts(rest, {kSeat, kTeam, kBookSlot, kCard, kKind}, v)) return std::nullopt;
    return NewBook{v[0], v[1], v[2], v[3], v[4]};
}

std::optional<AddToBook> addtobook(std::string_view rest) {
    int v[7];
    if (!readInts(rest, {kSeat, kTeam, kPos, kBookSlot, kBookCount, kCard, kKind}, v)) return std::nullopt;
    return AddToBook{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

std::optional<Complete> complete(std::string_view rest) {
    int v[6];
    if (!readInts(rest, {kSeat, kTeam, kBookSlot, kBookSlot, kCard, kKind}, v)) return std::nullopt;
    return Complete{v[0], v[1], v[2], v[3], v[4], v[5]};
}

std::optional<AddToComp> addtocomp(std::string_view rest) {
    int v[3];
    if (!readInts(rest, {kSeat, kKind, kCard}, v)) return std::nullopt;
    return AddToComp{v[0], v[1], v[2]};
}

std::optional<int> nobookmatch(std::string_view rest) { return Fields(rest).lastInt(kPos); }

std::optional<LoadBooks> loadbooks(std::string_view rest) {
    std::optional<std::vector<int>> numbers = allNumbers(rest);
    if (!numbers || numbers->empty() || (numbers->size() - 1) % 4 != 0) return std::nullopt;
    const std::vector<int>& n = *numbers;
    if (!inRange(n[0], kTeam)) return std::nullopt;
    LoadBooks out{n[0], {}};
    for (std::size_t i = 1; i < n.size(); i += 4) {
        if (!inRange(n[i], kBookSlot) || !inRange(n[i + 1], kCard) || !inRange(n[i + 2], kKind) ||
            !inRange(n[i + 3], kBookCount))
            return std::nullopt;
        out.books.push_back({n[i], n[i + 1], n[i + 2], n[i + 3]});
    }
    return out;
}

std::optional<LoadComp> loadcomp(std::string_view rest) {
    std::optional<std::vector<int>> numbers = allNumbers(rest);
    if (!numbers || numbers->empty() || (numbers->size() - 1) % 3 != 0) return std::nullopt;
    const std::vector<int>& n = *numbers;
    if (!inRange(n[0], kTeam)) return std::nullopt;
    LoadComp out{n[0], {}};
    for (std::size_t i = 1; i < n.size(); i += 3) {
        if (!inRange(n[i], kBookSlot) || !inRange(n[i + 1], kCard) || !inRange(n[i + 2], kKind))
            return std::nullopt;
        out.books.push_back({n[i], n[i + 1], n[i + 2]});
    }
    return out;
}

std::optional<PostScores> postscores(std::string_view rest) {
    int v[4];
    if (!readInts(rest, {kAnyScore, kAnyScore, kSeat, kSeat}, v)) return std::nullopt;
    return PostScores{v[0], v[1], v[2], v[3]};
}

std::optional<int> rwinner(std::string_view rest) {
    return toInt(rest.substr(0, rest.find('+')), kTeamOrNone);
}

std::optional<Winner> winner(std::string_view rest) {
    auto parsed = numberThenText(rest, kTeamOrNone);
    if (!parsed) return std::nullopt;
    return Winner{parsed->first, std::move(parsed->second)};
}

std::optional<JustWatching> justwatching(std::string_view rest) {
    int v[2];
    if (!readInts(rest, {kSeat, kCode}, v)) return std::nullopt;
    return JustWatching{v[0], v[1]};
}

}  // namespace quintrel::wire::parse

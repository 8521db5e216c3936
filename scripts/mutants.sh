#!/usr/bin/env bash
# Mutation check of the tests that guard the rules. Each mutation below is a small, deliberate
# bug: a regex applied to one source file of a scratch copy of the tree. One at a time, the
# script applies it, rebuilds the core test programs and runs them; a mutation that every test
# survives is a rule that no test guards. Slow (a rebuild per mutation), so not part of CI.
#
#   scripts/mutants.sh            # every mutation
#   scripts/mutants.sh 'partner|ace'   # only those whose name matches the regex
#
# The scratch copy lives in $QUINTREL_MUTANTS_DIR (default: $TMPDIR or /tmp, quintrel-mutants);
# the checkout itself is never touched. Exits 1 when a mutation survives or no longer applies.
set -euo pipefail
cd "$(dirname "$0")/.."
exec python3 - "$PWD" "${QUINTREL_MUTANTS_DIR:-${TMPDIR:-/tmp}/quintrel-mutants}" "${1:-}" <<'PYTHON'
import os, re, shutil, subprocess, sys, time

root, scratch, only = sys.argv[1], sys.argv[2], sys.argv[3]

# name, file, regex (Python syntax), replacement, why it matters. Each regex must match once.
MUTANTS = [
    # ---------------------------------------------------------------- going out and round end
    ("partner-hand", "src/engine/lifecycle.cpp", r"handCount\(partner\) > 0 \|\| ", "",
     "a team goes out while the partner still holds cards"),
    ("two-player-partner", "src/engine/lifecycle.cpp", r"if \(!p\.usefoot\) return false;",
     "if (!p.usefoot || handCount(partner) > 0) return false;",
     "with the partners just watching, going out waits for a partner who never plays"),
    ("two-player-penalty", "src/engine/lifecycle.cpp", r"\(state_\.botswatch && i >= 3\) \? 0 : ", "",
     "seats 3 and 4 pay for cards they never play in a two-player game"),
    ("going-out-bonus", "src/engine/scoring.h", r"kGoingOutBonus = 200", "kGoingOutBonus = 100",
     "the going-out bonus is 200"),
    ("target-reached", "src/engine/lifecycle.cpp", r"< state_\.targetscore && score2 < state_\.targetscore",
     "<= state_.targetscore && score2 <= state_.targetscore",
     "a score equal to the target ends the game"),
    ("two-player-turns", "src/engine/lifecycle.cpp", r"state_\.botswatch \? 2 : 4", "4",
     "in a two-player game the turn goes 1, 2, 1, 2"),
    ("foot-once", "src/engine/lifecycle.cpp", r"if \(!held && !p\.usefoot\)", "if (!held)",
     "a seat takes up its foot once a round"),
    # ---------------------------------------------------------------- scores and books
    ("ace-ten", "src/engine/scoring.h", r"rank == 0 \|\| rank == 1 \|\| ", "rank == 0 || ",
     "an Ace melds for 20, not 10"),
    ("queen-ten", "src/engine/scoring.h", r" \|\| rank == 12\)", ")", "a Queen melds for 20, not 10"),
    ("wild-fifty", "src/engine/scoring.h", r"if \(rank == 2\) return 50;", "if (rank == 2) return 20;",
     "a wild card melds for 50"),
    ("three-penalty", "src/engine/scoring.h", r"return -100;", "return -50;", "a three left in hand costs 100"),
    ("normal-book-bonus", "src/engine/scoring.h", r"kNormalBookBonus = 500", "kNormalBookBonus = 300",
     "a completed Normal book earns 500"),
    ("wild-book-bonus", "src/engine/scoring.h", r"kWildBookBonus = 300", "kWildBookBonus = 500",
     "a completed Wild book earns 300"),
    ("seven-completes", "src/net/game_limits.h", r"kBookComplete = 7;", "kBookComplete = 8;",
     "the seventh card completes a book"),
    ("nine-books", "src/net/game_limits.h", r"kNewBookSlots = 9;", "kNewBookSlots = 10;",
     "a team has at most nine working books"),
    ("all-wild-book", "src/engine/books.cpp", r"if \(wilds == 3\)", "if (wilds == 4)",
     "a book of wild cards only is refused"),
    ("slot-twenty", "src/net/game_limits.h", r"kLastDrawSlot = 19;", "kLastDrawSlot = 20;",
     "a draw never fills hand slot 20"),
    # ---------------------------------------------------------------- turns
    ("meld-before-draw", "src/engine/lifecycle.cpp", r"return mayPlay\(seat\) && state_\.drawn;",
     "return mayPlay(seat);", "melds and the discard wait for the draw"),
    ("host-before-draw", "src/host/server_dispatch.cpp", r'if \(!s\.drawn\) return "before the draw";', "",
     "a play before the draw is refused and logged"),
    ("second-draw", "src/engine/lifecycle.cpp", r"if \(state_\.drawn\)\n", "if (false)\n",
     "the computer takes over a drawn turn without drawing again"),
    ("silent-seat", "src/engine/lifecycle.cpp", r" \|\| !p\.loggedin", "",
     "a connection that has not logged in does not hold its seat"),
    ("login-deadline", "src/host/server.h", r"kLoginTimeoutMs = 15000;", "kLoginTimeoutMs = 150000;",
     "a silent connection is closed after 15 s"),
    ("spectators-no-turns", "src/engine/lifecycle.cpp",
     r"sendToAll\(wire::toclient::nextplayer\(previous, cardsleft, next\)\);",
     "for (int s = 1; s <= kSeats; ++s) sendToOne(s, wire::toclient::nextplayer(previous, cardsleft, next));",
     "spectators follow the turns"),
    ("catch-up-pile", "src/host/server.cpp", r"if \(s\.discardtop != kNoCard\) outbox_\.send", "if (false) outbox_.send",
     "a late joiner sees the top of the discard pile"),
    ("catch-up-quiet", "src/table/table_messages.cpp", r'if \(turnSeen_\) events_\.playsounds\("discard"\);',
     'events_.playsounds("discard");', "the joiner's picture of the pile makes no sound"),
    ("table-draw-answer", "src/table/turn_actions.cpp", r"draw_ = Draw::Asked;", "draw_ = Draw::Answered;",
     "the table plays nothing before its draw is answered"),
    ("table-draw-button", "src/table/table_state.cpp", r"draw_ == Draw::Answered", "!buttonDraw_.visible",
     "a hidden draw button is no sign of a draw"),
    ("headless-seat-one", "src/host/server_dispatch.cpp",
     r"state_->players\[1\]\.botname = state_->players\[1\]\.name = kComputerNames\[1\];", "{}",
     "seat 1's computer player has a name"),
    ("stand-in-start", "src/host/server_dispatch.cpp", r"if \(sender == 1\) return true;",
     "return sender == 1;", "a player left at a headless host may start the next game"),
    # ---------------------------------------------------------------- who may do what
    ("bot-speed-top", "src/host/server_dispatch.cpp", r"speed\.ms > kMaxBotDelay", "speed.ms >= kMaxBotDelay",
     "a bot delay of a full minute is allowed"),
    ("bot-speed-wire", "src/net/wire_parse.cpp", r"kBotDelay\{1, 60000\}", "kBotDelay{1, 59999}",
     "the wire takes a bot delay of a full minute"),
    ("kick-from-anyone", "src/host/server_dispatch.cpp", r"if \(sender != 1 \|\| kick\.sender != sender\)",
     "if (kick.sender != sender)", "only the hosting player removes others"),
    # ---------------------------------------------------------------- lines and connections
    ("line-cut", "src/net/framing.h", r"kMaxLineLength = 4096;", "kMaxLineLength = 40960;",
     "a line is cut at 4096 characters"),
    ("table-inbox-cap", "src/net/framing.h", r"kMaxPendingLines = 20000;", "kMaxPendingLines = 200000;",
     "a table stops reading a host that floods it"),
    ("line-buffer-cap", "src/net/framing.h", r"kMaxPending = 64 \* 1024;", "kMaxPending = 640 * 1024;",
     "a line without end is cut off at 64 KiB"),
    ("slot-queue-cap", "src/net/framing.h", r"kMaxPendingPerSlot = 500;", "kMaxPendingPerSlot = 5000;",
     "one connection may have 500 lines waiting"),
    ("lines-before-close", "src/host/server.cpp", r"if \(inbox_->pending\(slot\) > 0\) \{", "if (false) {",
     "lines sent just before a close are dispatched"),
    ("chat-control-bytes", "src/host/server.cpp",
     r"if \(static_cast<unsigned char>\(c\) >= 0x20 \|\| c == '\\t'\) text\.push_back\(c\);", "text.push_back(c);",
     "relayed chat carries no control bytes"),
    ("chat-tab", "src/host/server.cpp", r" \|\| c == '\\t'\) text\.push_back", ") text.push_back",
     "a tab in chat is kept"),
    # ---------------------------------------------------------------- files
    ("temp-not-exclusive", "src/extras/replace_file.cpp", r"O_CREAT \| O_EXCL \|", "O_CREAT | O_TRUNC |",
     "the temporary file is created exclusively, never reused"),
    ("one-temp-name", "src/extras/replace_file.cpp", r"kTempNameAttempts = 100;", "kTempNameAttempts = 1;",
     "a stale temporary name does not block every save"),
    ("flush-ignored", "src/extras/replace_file.cpp", r"bool ok = ::fsync\(fd_\) == 0;", "bool ok = (::fsync(fd_), true);",
     "a failed flush fails the save"),
    ("close-ignored", "src/extras/replace_file.cpp", r"if \(::close\(fd\) != 0\) ok = false;", "::close(fd);",
     "a failed close fails the save"),
    ("rename-ignored", "src/extras/replace_file.cpp", r"std::rename\(temp_\.c_str\(\), target_\.c_str\(\)\) != 0",
     "(std::rename(temp_.c_str(), target_.c_str()), false)", "a failed rename fails the save"),
    ("write-ignored", "src/extras/replace_file.cpp", r"if \(!writeAll\(fd_, static_cast<const char\*>\(data\), size\)\) failed_ = true;",
     "writeAll(fd_, static_cast<const char*>(data), size);", "a failed write fails the save"),
    ("compress-nothing", "src/extras/lzrw1.cpp",
     r"(hash_\.data\(\),\s+InputFile, OutputFile, onBlock\);\n    )if \(!file\.commit\(\)\) failWrite\(OutputFile\);",
     r"\1(void)file;", "a compress that writes nothing is no success"),
    ("decompress-nothing", "src/extras/lzrw1.cpp",
     r"(readContainer\(in, out, InputFile, OutputFile, onBlock\);\n    )if \(!file\.commit\(\)\) failWrite\(OutputFile\);",
     r"\1(void)file;", "a decompress that writes nothing is no success"),
]

TESTS = ["test_net", "test_engine", "test_host", "test_table", "test_chat", "test_extras"]
TREE = ["CMakeLists.txt", "src", "tests", "dist"]


def run(cmd, cwd, timeout=None):
    return subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=timeout)


def build(tree, out):
    return run(["cmake", "--build", out, "-j2", "--target", *TESTS], tree)


def tests_pass(out):
    """True when every core test program passes; stops at the first failure."""
    for name in TESTS:
        binary = next((os.path.join(d, name) for d, _, files in os.walk(os.path.join(out, "tests")) if name in files),
                      None)
        try:
            result = run([binary, "--gtest_brief=1"], out, timeout=600)
        except subprocess.TimeoutExpired:
            return False, name + " (hung)"
        if result.returncode != 0:
            return False, name
    return True, ""


def main():
    started = time.time()
    chosen = [m for m in MUTANTS if re.search(only, m[0])]
    tree = os.path.join(scratch, "tree")
    out = os.path.join(scratch, "build")
    os.makedirs(tree, exist_ok=True)
    for part in TREE:
        target = os.path.join(tree, part)
        if os.path.isdir(target):
            shutil.rmtree(target)
        source = os.path.join(root, part)
        # Fresh times: a scratch build left from an older tree must not look newer than these.
        if os.path.isdir(source):
            shutil.copytree(source, target, copy_function=shutil.copy)
        else:
            shutil.copy(source, target)
    # Optimised like the real build, but without debug information: links are much faster.
    configure = run(["cmake", "-S", tree, "-B", out, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                     "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG",
                     "-DQUINTREL_BUILD_UI=OFF", "-DQUINTREL_BUILD_BENCH=OFF", "-DBUILD_TESTING=ON"], tree)
    if configure.returncode != 0:
        sys.exit("configure failed:\n" + configure.stdout)
    print("baseline: building and running %s" % " ".join(TESTS), flush=True)
    if build(tree, out).returncode != 0:
        sys.exit("the unmutated tree does not build")
    ok, failed = tests_pass(out)
    if not ok:
        sys.exit("the unmutated tree fails " + failed)

    survivors, broken = [], []
    for n, (name, path, pattern, replacement, why) in enumerate(chosen, 1):
        file = os.path.join(tree, path)
        original = open(file, encoding="utf-8").read()
        mutated, count = re.subn(pattern, replacement, original)
        if count != 1:
            broken.append("%s: the pattern matches %d times in %s" % (name, count, path))
            print("[%2d/%d] %-20s NO SINGLE MATCH (%d)" % (n, len(chosen), name, count), flush=True)
            continue
        try:
            open(file, "w", encoding="utf-8").write(mutated)
            compiled = build(tree, out)
            if compiled.returncode != 0:
                broken.append("%s: does not compile" % name)
                verdict = "DOES NOT COMPILE"
            else:
                passed, killer = tests_pass(out)
                if passed:
                    survivors.append("%s (%s): %s" % (name, path, why))
                    verdict = "SURVIVED"
                else:
                    verdict = "killed by " + killer
        finally:
            open(file, "w", encoding="utf-8").write(original)
            os.utime(file)  # the next build must see the file changed back
        print("[%2d/%d] %-20s %s" % (n, len(chosen), name, verdict), flush=True)

    build(tree, out)  # leave the scratch build matching the tree
    minutes = (time.time() - started) / 60
    print("\n%d mutations, %d survived, %d broken, %.1f min" % (len(chosen), len(survivors), len(broken), minutes))
    for line in survivors:
        print("  survived: " + line)
    for line in broken:
        print("  broken: " + line)
    sys.exit(1 if survivors or broken else 0)


main()
PYTHON

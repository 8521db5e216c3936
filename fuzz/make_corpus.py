#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus, fuzz/corpus/<target>/, from real lines: requests a
table sends, lines a seeded quintrel-server sent in a recorded game, settings files as the
game writes them, and containers made by quintrel-container.

  fuzz/make_corpus.py build/src/app/quintrel-container
"""
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
T = b"\xff"

# Requests of a table (slot or seat first), as the game sends them.
REQUESTS = [
    b"CMD_logininfo+%d+1.0.3+Player%d" + T, b"CMD_chat+%d+hello there|clBlack", b"CMD_action+%d+waves|clRed",
    b"CMD_botspeed+%d+500+", b"CMD_startgame+Player%d+f", b"CMD_settourney+false+0+", b"CMD_justwatch+%d+1",
    b"CMD_drawing+%d+1", b"CMD_drawing+%d+2", b"CMD_discard+%d+4", b"CMD_createbook+%d+0+1+2",
    b"CMD_addtobook+%d+5+1", b"CMD_addtocomp+%d+6+1", b"CMD_justwatch+%d+2", b"CMD_kickhim+%d+3+",
    b"CMD_startgame+Player%d+h", b"CMD_settourney+true+3+", b"CMD_chat+%d+a+b+c|$00FF0000",
]


def fill(line, slot):
    return line.replace(b"%d", str(slot).encode())


def record(op, slot, payload=b""):
    out = b""
    while True:  # one record holds 255 bytes at most
        chunk, payload = payload[:255], payload[255:]
        out += bytes([(slot << 3) | op, len(chunk)]) + chunk
        if not payload:
            return out


def host_seeds():
    seeds = []
    for mode in (0, 1):  # desktop, headless
        for n, line in enumerate(REQUESTS):
            s = bytes([mode | (n << 1)])
            for slot in (1, 2, 3):
                s += record(0, 1 if slot == 1 else 0) + record(1, slot, fill(REQUESTS[0], slot) + T)
            s += record(3, 0, b"\0" * 8)
            s += record(1, 1, fill(REQUESTS[4], 1) + T + REQUESTS[5] + T) + record(3, 0, b"\0" * 4)
            s += record(4, 0, b"\0" * 6)
            s += record(1, 1 + n % 3, fill(line, 1 + n % 3) + T) + record(3, 0, b"\0" * 2)
            s += record(4, 0, b"\0" * 20) + record(2, 2) + record(3, 0, b"\0" * 3)
            seeds.append(s)
    return seeds


# Lines a seeded quintrel-server sent to the hosting player's table in a recorded game.
GAME = b"""CMD_sendlogininfo+1
CMD_newplayerinfo+1+Ann
CMD_existingplayers+2+Klick
CMD_existingplayers+3+Bob
CMD_existingplayers+5+Spy
CMD_startgame+Ann+f
CMD_newcard+1+0+45
CMD_newcard+1+1+25
CMD_newcard+1+2+27
CMD_newcard+1+3+29
CMD_newcard+1+4+49
CMD_newcard+1+5+51
CMD_newcard+1+6+49
CMD_newcard+1+7+2
CMD_nextplayer+0+0+1
CMD_justwatching+1+1
CMD_newcard+1+11+6
CMD_freecard+0
CMD_freecard+11
CMD_newbook+1+1+1+45+1
CMD_postscores+10+10+1+3
CMD_freecard+3
CMD_discard+29
CMD_nextplayer+1+6+2
CMD_newbook+2+2+1+11+1
CMD_postscores+20+20+2+4
CMD_addtobook+3+1+3+2+4+23+1
CMD_complete+1+1+1+1+45+1
CMD_addtocomp+1+1+45
CMD_usefoot+2
CMD_loadbooks+1+1+5+1+3+2+6+2+4
CMD_loadcomp+2+1+8+1
CMD_nobookmatch+4
CMD_nothree+
CMD_invaliddiscard+
CMD_toomany+
CMD_chat+Bob chats: hi there|clBlack
CMD_action+Bob waves|clRed
CMD_playerdisconnected+3+Bob
CMD_nobots+3+
CMD_rwinner+1
CMD_startround+
CMD_winner+1
CMD_havewrongversion+Bob
CMD_wrongversion+
CMD_full+""".split(b"\n")


def table_seeds():
    seeds = []
    for n in range(30):
        lines = GAME[:1] + GAME[1 + n % 5:1 + n % 5 + 12 + n]
        seeds.append(bytes([(n * 37) % 256, n % 4]) + T.join(lines) + T)
    return seeds


INI = [
    b"[quintrel]\r\nTextsize=8\r\nTextcolor=clBlack\r\nActioncolor=clRed\r\nBotspeed=750\r\nPlaysounds=1\r\n"
    b"Manualsort=1\r\n",
    b"[Quintrel]\nPhrase1=Good game\nPhrase2=Nice one\nPhrase10=Bye\n[other]\nkey=value\n",
    b"\xef\xbb\xbf; written by hand\n[quintrel]\nTextsize=0x0C\nTextcolor=$00FF8000\nZoom=150\nBotLevel=1\n",
    b"[quintrel]\nTextsize=-3\nLobbyURL=http://example.invalid/lobby\nLobbyPath=/opt/lobby\nHideDownload=1\n"
    b"[quintrel]\nTextsize=12\nEventLog=0",
    b"", b"no section=here\n[quintrel\nTextsize = 99 \n",
]


def settings_seeds():
    values = [b"", b"Well played", b"  spaced  ", b"two\r\nlines", b"a=b;c", b"\xe9t\xe9"]
    return [text + b"\0" + value for text in INI for value in values]


def container_seeds(tool):
    names = [b"Klot", b"Klick", b"Kling", b"Anna", b"Bert", b"Corwin", b"Dagny", b"Emil", b"Farah", b"Gus"]
    rows = [b"%s (%s)\t%d\t%d\t%d\t%d\r\n" % (n, b"Green" if i % 2 else b"Blue", i * 3, i, i * 2, i % 3)
            for i, n in enumerate(names)]
    texts = [b"", b"x", b"ab" * 3, bytes(range(256)) * 20, b"a" * 32768, b"b" * 32769]
    texts += [b"".join(rows[:k]) for k in range(1, len(rows) + 1)]
    texts += [b"".join(rows) * k for k in (10, 200, 400)]
    seeds = []
    with tempfile.TemporaryDirectory() as tmp:
        for n, text in enumerate(texts):
            plain, packed = os.path.join(tmp, "in%d" % n), os.path.join(tmp, "out%d" % n)
            with open(plain, "wb") as f:
                f.write(text)
            subprocess.run([tool, "compress", plain, packed], check=True)
            with open(packed, "rb") as f:
                seeds.append(f.read())
    return seeds


def write(target, seeds):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for n, seed in enumerate(seeds):
        with open(os.path.join(folder, "seed%02d" % n), "wb") as f:
            f.write(seed)
    print("%s: %d seeds" % (target, len(seeds)))


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    write("host", host_seeds())
    write("table", table_seeds())
    write("settings", settings_seeds())
    write("container", container_seeds(sys.argv[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())

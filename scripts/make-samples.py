#!/usr/bin/env python3
"""Writes the sample MIDI files that ship in data/Samples.

Each piece is a short arrangement of public-domain music, written below in a
small text notation (see Voice.play). Output is byte-identical on every run.

usage: make-samples.py [OUTPUT_DIR]    (default: <repo>/data/Samples)
"""
import os
import re
import struct
import sys

from midiwriting import chunk, vlq
from collections import namedtuple

TPQ = 480                      # ticks per quarter note
WHOLE = 4 * TPQ
TAIL = TPQ                     # silence after the last note so releases ring out
DYNAMICS = {"pp": 40, "p": 56, "mp": 70, "mf": 84, "f": 98, "ff": 112, "fff": 124}

# ---------------------------------------------------------------- file writing


def meta(kind, data):
    return bytes([0xFF, kind]) + vlq(len(data)) + data


def track_chunk(events, end):
    """events: (tick, order, message). Channel messages use running status;
    meta events cancel it, as the file format requires."""
    out, now, running = bytearray(), 0, None
    for tick, _, msg in sorted(events) + [(end, 9, meta(0x2F, b""))]:
        out += vlq(tick - now)
        now = tick
        if msg[0] < 0xF0 and msg[0] == running:
            out += msg[1:]
        else:
            out += msg
        running = msg[0] if msg[0] < 0xF0 else None
    return chunk(b"MTrk", bytes(out))


# ------------------------------------------------------------------- notation

STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """'C4' is middle C (60); '#' and 'b' alter, so 'B#3' is 60 as well."""
    m = re.fullmatch(r"([A-G])(#|b)?(-?\d)", name)
    if not m:
        raise ValueError(f"bad note name {name!r}")
    letter, acc, octave = m.groups()
    return 12 * (int(octave) + 1) + STEPS[letter] + {"#": 1, "b": -1, None: 0}[acc]


def ticks(text):
    """'4' quarter, '8.' dotted eighth, '12' triplet eighth,
    '2_8' a half tied to an eighth, '2*3' three halves."""
    total = 0
    for part in text.split("_"):
        part, _, times = part.partition("*")
        dots = len(part) - len(part.rstrip("."))
        base, rest = divmod(WHOLE, int(part.rstrip(".")))
        if rest or base % (1 << dots):
            raise ValueError(f"duration {text!r} is not a whole number of ticks")
        total += sum(base >> i for i in range(dots + 1)) * int(times or 1)
    return total


class Voice:
    """One part. Tokens, separated by blanks:
      E5:8         note E5, an eighth (the duration sticks until the next one)
      C4+E4+G4:2   chord       r:4  rest          |   bar line (checked)
      p mf ff ...  dynamics    >A4  accented note
      P            pedal change (up, then down again)    P0  pedal up
    """

    def __init__(self, dynamic):
        self.t, self.dur, self.vel = 0, TPQ, DYNAMICS[dynamic]
        self.notes, self.pedal = [], []

    def play(self, text, bar, pickup, where):
        for tok in text.split():
            if tok == "|":
                if (self.t - pickup) % bar:
                    raise ValueError(f"{where}: bar line at tick {self.t} is off the bar grid")
            elif tok in DYNAMICS:
                self.vel = DYNAMICS[tok]
            elif tok in ("P", "P0"):
                self.pedal.append((self.t, 0))
                if tok == "P":
                    self.pedal.append((self.t + 10, 127))
            else:
                accent = tok.startswith(">")
                name, _, dur = tok.lstrip(">").partition(":")
                if dur:
                    self.dur = ticks(dur)
                if name != "r":
                    keys = [pitch(n) for n in name.split("+")]
                    if len(set(keys)) != len(keys):
                        raise ValueError(f"{where}: chord {name} repeats a note")
                    self.notes.append((self.t, self.dur, keys, min(127, self.vel + 14 * accent)))
                self.t += self.dur


def triplets(chords):
    """'G#3 C#4 E4 x2, A3 D4 F#4 x2' -> triplet-eighth arpeggios with a pedal
    change on each new chord; a group without 'xN' is copied as it is."""
    out = []
    for group in chords.split(","):
        *notes, times = group.split()
        if times.startswith("x"):
            out += ["P"] + [n + ":12" for n in notes] * int(times[1:])
        else:
            out += notes + [times]
    return " ".join(out) + " |"


def accompany(harmonies, table, pattern, alternate=True):
    """One bar of `pattern` per harmony: {r} bass note, {f} its other bass
    note, {c} the chord. A harmony held over several bars alternates root and
    fifth in the bass. Entries with ':' are bars written out in full."""
    bars, prev, alt = [], None, False
    for h in harmonies if isinstance(harmonies, list) else harmonies.split():
        if ":" in h:
            bars.append(h)
            prev = None
            continue
        alt = alternate and h == prev and not alt
        root, fifth, chord = table[h]
        bars.append(pattern.format(r=fifth if alt else root, f=root if alt else fifth, c=chord))
        prev = h
    return " | ".join(bars) + " |"


Part = namedtuple("Part", "key name program gate pan dynamic")
Piece = namedtuple("Piece", "file title meter key tempo pickup volume parts sections")


def render(piece):
    num, den = piece.meter
    bar = WHOLE * num // den
    voices = {p.key: Voice(p.dynamic) for p in piece.parts}
    now = 0
    for i, section in enumerate(piece.sections):
        lengths = {}
        for key, text in section.items():
            voices[key].play(text, bar, piece.pickup, f"{piece.file} section {i} part {key}")
            lengths[key] = voices[key].t - now
        if len(set(lengths.values())) != 1:
            raise ValueError(f"{piece.file} section {i}: parts differ in length {lengths}")
        now += next(iter(lengths.values()))
        for v in voices.values():
            v.t = now                       # parts left out of a section rest
    end = now + TAIL

    # Conductor track: title, meter, key and one tempo. No ritardando by tempo
    # change: GStreamer's MIDI parser sizes the whole stream by the last tempo,
    # so a slower ending would show a wrong length and pad it with silence.
    sf, minor = piece.key
    conductor = [
        (0, 0, meta(0x03, piece.title.encode())),
        (0, 1, meta(0x58, bytes([num, den.bit_length() - 1, 24, 8]))),
        (0, 2, meta(0x59, struct.pack(">bB", sf, minor))),
        (0, 3, meta(0x51, round(60_000_000 / piece.tempo).to_bytes(3, "big"))),
    ]
    tracks = [track_chunk(conductor, end)]
    if len(piece.parts) > 15:
        raise ValueError(f"{piece.file}: more parts than melodic MIDI channels")

    for index, part in enumerate(piece.parts):
        ch = index if index < 9 else index + 1          # channel 10 is drums
        v = voices[part.key]
        events = [
            (0, 0, meta(0x03, part.name.encode())),
            (0, 1, bytes([0xC0 | ch, part.program])),
            (0, 2, bytes([0xB0 | ch, 7, piece.volume])),
            (0, 2, bytes([0xB0 | ch, 10, part.pan])),
        ]
        if v.pedal and v.pedal[-1][1]:
            v.pedal.append((now, 0))        # never leave the pedal down
        for tick, value in v.pedal:
            events.append((tick, 5, bytes([0xB0 | ch, 64, value])))
        for start, dur, keys, vel in v.notes:
            stop = start + max(1, int(dur * part.gate))
            for k in keys:
                events.append((stop, 4, bytes([0x90 | ch, k, 0])))
                events.append((start, 6, bytes([0x90 | ch, k, vel])))
        tracks.append(track_chunk(events, end))

    header = chunk(b"MThd", struct.pack(">HHH", 1, len(tracks), TPQ))
    return header + b"".join(tracks)


# ------------------------------------------------------------------ the music

# Beethoven, Sonata in C-sharp minor op. 27 no. 2, first movement (opening).
MOONLIGHT_BARS = [
    # right-hand triplets                          bass octaves              melody
    ("G#3 C#4 E4 x4",                                "C#2+C#3:1",            "r:1"),
    ("G#3 C#4 E4 x4",                                "B1+B2:1",              "r:1"),
    ("A3 C#4 E4 x2, A3 D4 F#4 x2",                   "A1+A2:2 F#1+F#2:2",    "r:1"),
    ("G#3 B#3 F#4 x1, G#3 C#4 E4 x1, G#3 C#4 D#4 x1, F#3 B#3 D#4 x1",
                                                     "G#1+G#2:1",            "r:1"),
    ("G#3 C#4 E4 x4",                                "C#2+C#3:1",            "r:2. G#4:8. G#4:16"),
    ("G#3 D#4 F#4 x2, G#3 C#4 E4 x2",                "B#1+B#2:2 C#2+C#3:2",  "G#4:2. G#4:8. G#4:16"),
    ("G#3 C#4 E4 x2, A3 D4 F#4 x2",                  "E1+E2:2 F#1+F#2:2",    "G#4:2 A4:2"),
    ("G#3 C#4 E4 x2, F#3 B#3 D#4 x2",                "G#1+G#2:1",            "G#4:2 F#4:2"),
    ("E3 G#3 C#4 x2, F#3 A3 D#4 x2",                 "C#2+C#3:2 B1+B2:2",    "E4:2 r:4 B4:8. B4:16"),
    ("G#3 B3 E4 x4",                                 "E2+E3:1",              "mf B4:2. B4:8. B4:16"),
    ("G3 B3 E4 x2, A3 C4 E4 x2",                     "E2+E3:2 A1+A2:2",      "B4:2 C5:2"),
    ("G3 B3 E4 x2, F#3 A3 D#4 x2",                   "B1+B2:1",              "B4:2 A4:2"),
    ("G#3 B3 E4 x2, G#3 B#3 F#4 x2",                 "E2+E3:2 G#1+G#2:2",    "mp G#4:2. G#4:8. G#4:16"),
    ("G#3 C#4 E4 x4",                                "C#2+C#3:2 B1+B2:2",    "G#4:2. G#4:8. G#4:16"),
    ("G#3 C#4 E4 x2, A3 D4 F#4 x2",                  "E1+E2:2 F#1+F#2:2",    "G#4:2 A4:2"),
    ("G#3 C#4 E4 x2, F#3 B#3 D#4 x2",                "G#1+G#2:1",            "G#4:2 F#4:2"),
    ("E3 G#3 C#4 x4",                                "C#2+C#3:1",            "p E4:1"),
    ("pp P G#3+C#4+E4:1",                            "pp C#2+C#3:1",         "r:1"),
]

MOONLIGHT = Piece(
    "Moonlight Sonata.mid", "Moonlight Sonata", (2, 2), (4, 1), 69, 0, 127,
    [Part("melody", "Melody", 0, 0.97, 74, "mp"),
     Part("rh", "Triplets", 0, 1.0, 60, "p"),
     Part("lh", "Bass octaves", 0, 1.0, 50, "p")],
    [{"rh": triplets(a), "lh": b + " |", "melody": m + " |"} for a, b, m in MOONLIGHT_BARS],
)

# Beethoven, Bagatelle in A minor WoO 59: theme, the C major episode, theme.
ELISE_THEME = {
    "rh": "p E5:16 D#5 E5 B4 D5 C5 | A4:8 r:16 C4 E4 A4 | B4:8 r:16 E4 G#4 B4 | "
          "C5:8 r:16 E4 E5 D#5 | E5 D#5 E5 B4 D5 C5 | A4:8 r:16 C4 E4 A4 | B4:8 r:16 E4 C5 B4 |",
    "lh": "P0 r:4. | P A2:16 E3 A3 r:8. | P E2:16 E3 G#3 r:8. | P A2:16 E3 A3 r:8. | "
          "P0 r:4. | P A2:16 E3 A3 r:8. | P E2:16 E3 G#3 r:8. |",
}
ELISE_REPEAT = {"rh": "A4:8 r:8 E5:16 D#5 |", "lh": "P A2:16 E3 A3 r:8. |"}
ELISE_ONWARD = {"rh": "A4:8 r:16 B4 C5 D5 |", "lh": "P A2:16 E3 A3 r:8. |"}
ELISE_EPISODE = {
    "rh": "mf E5:8. G4:16 F5 E5 | D5:8. F4:16 E5 D5 | C5:8. E4:16 D5 C5 | "
          "B4:8 r:16 E4 E5 r | mp r E5 E6 r r D#5 | E5 r r D#5 E5 D#5 |",
    "lh": "P C3:16 G3 C4 r:8. | P G2:16 G3 B3 r:8. | P A2:16 E3 A3 r:8. | "
          "P E2:16 E3 r:4 | P0 r:4. | r:4. |",
}
ELISE = Piece(
    "Für Elise.mid", "Für Elise", (3, 8), (0, 1), 69, TPQ // 2, 127,
    [Part("rh", "Right hand", 0, 0.9, 70, "p"),
     Part("lh", "Left hand", 0, 0.9, 56, "p")],
    [{"rh": "E5:16 D#5", "lh": "r:8"},
     ELISE_THEME, ELISE_REPEAT, ELISE_THEME, ELISE_ONWARD,
     ELISE_EPISODE, ELISE_THEME, ELISE_ONWARD,
     ELISE_EPISODE, ELISE_THEME,
     {"rh": "A4:4. |", "lh": "P A2:16 E3 A3 r:8. |"}],
)

# Beethoven, Symphony no. 5 in C minor, first movement (exposition, shortened).
S5 = "vn1 vn2 vla bass cl hn".split()
S5_SECTIONS = [
    # the motto, with its two pauses
    {"vn1": "ff r:8 G4 G4 G4 | Eb4:1 | r:8 F4 F4 F4 | D4:1. |",
     "vn2": "ff r:8 G4 G4 G4 | Eb4:1 | r:8 F4 F4 F4 | D4:1. |",
     "vla": "ff r:8 G3 G3 G3 | Eb3:1 | r:8 F3 F3 F3 | D3:1. |",
     "bass": "ff r:8 G2+G3 G2+G3 G2+G3 | Eb2+Eb3:1 | r:8 F2+F3 F2+F3 F2+F3 | D2+D3:1. |",
     "cl": "ff r:8 G4 G4 G4 | Eb4:1 | r:8 F4 F4 F4 | D4:1. |"},
    # the strings pass the motto round and build to the held G
    {"vn1": "p r:2 | r:2 | r:8 Eb5 Eb5 Eb5 | D5:1. | r:8 B4 B4 B4 | C5:2 | mp r:8 Eb5 Eb5 Eb5 | "
            "F5:2 | mf r:8 F5 F5 F5 | G5:2 | f r:8 G5 G5 G5 | ff Ab5:4 r:4 | G5:4 r:4 | G5:1. | r:2 |",
     "vn2": "p r:8 G4 G4 G4 | Ab4:1 | F4:2 | r:8 F4 F4 F4 | G4:1_1 | mp Ab4:1 | mf B4:2 | "
            "f r:8 D5 D5 D5 | ff C5:4 r:4 | B4:4 r:4 | r:1. | r:2 |",
     "vla": "p r:2 | r:8 C4 C4 C4 | B3:1. | r:8 D4 D4 D4 | Eb4:1. | mp C4:1 | mf D4:2 | "
            "f r:8 B3 B3 B3 | ff F4:4 r:4 | D4:4 r:4 | r:1. | r:2 |",
     "bass": "p r:1. | G2:1_1 | mp C3:1 | F2:1 | mf G2:2 | f r:8 G2 G2 G2 | "
             "ff F2+F3:4 r:4 | G2+G3:4 r:4 | r:1. | r:2 |",
     "cl": "r:2*12 | mf r:8 G4 G4 G4 | ff Ab4:4 r:4 | G4:4 r:4 | r:2*4 |",
     "hn": "r:2*13 | ff F3+C4:4 r:4 | G3+D4:4 r:4 | r:2*4 |"},
    # falling sequence, then hammered chords on the dominant of E-flat
    {"vn1": "f r:8 G5 G5 G5 | Eb5:2 | r:8 F5 F5 F5 | D5:2 | r:8 Eb5 Eb5 Eb5 | C5:2 | "
            "r:8 D5 D5 D5 | Bb4:2 | ff Ab5:4 Ab5 | G5 G5 | Ab5 Ab5 | Ab5:4 r:4 |",
     "vn2": "f r:8 G4 G4 G4 | G4:2 | r:8 F4 F4 F4 | F4:2 | r:8 Eb4 Eb4 Eb4 | Eb4:2 | "
            "r:8 D4 D4 D4 | D4:2 | ff D5:4 D5 | Eb5 Eb5 | D5 D5 | D5:4 r:4 |",
     "vla": "f r:8 G3 G3 G3 | C4:2 | r:8 F3 F3 F3 | Bb3:2 | r:8 Eb3 Eb3 Eb3 | Ab3:2 | "
            "r:8 D3 D3 D3 | F3:2 | ff F4:4 F4 | Bb3 Bb3 | F4 F4 | F4:4 r:4 |",
     "bass": "f r:8 G2+G3 G2+G3 G2+G3 | C2+C3:2 | r:8 F2+F3 F2+F3 F2+F3 | Bb1+Bb2:2 | "
             "r:8 Eb2+Eb3 Eb2+Eb3 Eb2+Eb3 | Ab1+Ab2:2 | r:8 D2+D3 D2+D3 D2+D3 | Bb1+Bb2:2 | "
             "ff Bb1+Bb2:4 Bb1+Bb2 | Eb2+Eb3 Eb2+Eb3 | Bb1+Bb2 Bb1+Bb2 | Bb1+Bb2:4 r:4 |",
     "cl": "f r:8 G4 G4 G4 | Eb4+G4:2 | r:8 F4 F4 F4 | D4+F4:2 | r:8 Eb4 Eb4 Eb4 | C4+Eb4:2 | "
           "r:8 D4 D4 D4 | Bb3+D4:2 | ff F4+Ab4:4 F4+Ab4 | G4+Bb4 G4+Bb4 | F4+Ab4 F4+Ab4 | F4+Ab4:4 r:4 |",
     "hn": "r:2*8 | ff Bb3+F4:4 Bb3+F4 | Bb3+Eb4 Bb3+Eb4 | Bb3+F4 Bb3+F4 | Bb3+F4:4 r:4 |"},
    # the horn call
    {"hn": "ff r:8 >Bb3+Bb4 Bb3+Bb4 Bb3+Bb4 | Eb4+Eb5:2 | F4+F5:2 | Bb3+Bb4:2 |"},
    # second theme in E-flat: violins, answered by the clarinet, motto in the bass
    {"vn1": "p Bb4:2 | Eb5 | D5 | C5:4 Bb4 | Ab4:2 | C5 | Bb4 | Ab4:4 F4 | r:2*8 |",
     "cl": "r:2*8 | mp Bb4:2 | Eb5 | F5 | G5:4 F5 | Eb5:2 | C5 | Bb4:4 Ab4 | G4:2 |",
     "vn2": "pp G4:2 | G4 | F4 | Eb4 | F4 | Eb4 | G4 | D4 | G4 | G4 | Ab4 | Bb4 | G4 | Ab4 | F4 | Eb4 |",
     "vla": "pp Bb3:2 | Bb3 | Ab3 | C4 | C4 | Ab3 | Eb4 | Bb3 | Bb3 | Bb3 | D4 | Eb4 | C4 | Eb4 | D4 | Bb3 |",
     "bass": "p r:8 Eb2 Eb2 Eb2 | Eb2:4 r | r:8 Bb1 Bb1 Bb1 | Ab1:4 r | r:8 F2 F2 F2 | Ab1:4 r | "
             "r:8 Bb1 Bb1 Bb1 | Bb1:4 r | r:8 Eb2 Eb2 Eb2 | Eb2:4 r | r:8 Bb1 Bb1 Bb1 | Eb2:4 r | "
             "r:8 C2 C2 C2 | Ab1:4 r | r:8 Bb1 Bb1 Bb1 | Eb2:4 r |"},
    # closing: motto on B-flat and the cadence in E-flat
    {"vn1": "f r:8 Bb5 Bb5 Bb5 | G5:2 | r:8 Bb5 Bb5 Bb5 | G5:2 | ff Ab5:4 G5 | Ab5 G5 | G5:4 r | G5 r | G5:1 |",
     "vn2": "f r:8 Bb4 Bb4 Bb4 | Eb5:2 | r:8 Bb4 Bb4 Bb4 | Eb5:2 | ff D5:4 Eb5 | D5 Eb5 | Eb5:4 r | Eb5 r | Eb5:1 |",
     "vla": "f r:8 Bb3 Bb3 Bb3 | Bb3:2 | r:8 Bb3 Bb3 Bb3 | Bb3:2 | ff F4:4 Bb3 | F4 Bb3 | Bb3:4 r | Bb3 r | Bb3+G4:1 |",
     "bass": "f r:8 Bb1+Bb2 Bb1+Bb2 Bb1+Bb2 | Eb2+Eb3:2 | r:8 Bb1+Bb2 Bb1+Bb2 Bb1+Bb2 | Eb2+Eb3:2 | "
             "ff Bb1+Bb2:4 Eb2+Eb3 | Bb1+Bb2 Eb2+Eb3 | Eb2+Eb3:4 r | Eb2+Eb3 r | Eb1+Eb2:1 |",
     "cl": "f r:8 Bb4 Bb4 Bb4 | G4+Bb4:2 | r:8 Bb4 Bb4 Bb4 | G4+Bb4:2 | ff F4+Ab4:4 G4+Bb4 | "
           "F4+Ab4 G4+Bb4 | G4+Bb4:4 r | G4+Bb4 r | G4+Bb4:1 |",
     "hn": "f r:8 Bb3 Bb3 Bb3 | Eb4+G4:2 | r:8 Bb3 Bb3 Bb3 | Eb4+G4:2 | ff Bb3+F4:4 Bb3+Eb4 | "
           "Bb3+F4 Bb3+Eb4 | Bb3+Eb4:4 r | Bb3+Eb4 r | Eb3+Bb3+Eb4:1 |"},
]
SYMPHONY = Piece(
    "Symphony 5.mid", "Symphony 5", (2, 4), (-3, 1), 192, 0, 72,
    [Part("vn1", "Violins I", 48, 0.9, 40, "mf"),
     Part("vn2", "Violins II", 48, 0.9, 54, "mf"),
     Part("vla", "Violas", 48, 0.9, 74, "mf"),
     Part("bass", "Cellos and Basses", 48, 0.9, 88, "mf"),
     Part("cl", "Clarinets", 71, 0.92, 60, "mf"),
     Part("hn", "Horns", 60, 0.92, 68, "mf")],
    S5_SECTIONS,
)

# Mozart, Sonata in A major K. 331, Rondo alla turca: A minor theme, C major
# episode and the theme again.
TURCA_CHORDS = {"Am": ("A3", "E3", "C4+E4"), "E": ("E3", "B2", "G#3+B3"),
                "Dm": ("D3", "A2", "F3+A3"), "C": ("C3", "G2", "E3+G3"),
                "G7": ("G2", "D3", "F3+B3")}
TURCA_LH = "{r}:8 {c} {c} {c}"
TURCA_THEME = {
    "rh": "p C5:8 r:8 D5:16 C5 B4 C5 | mp E5:8 r:8 F5:16 E5 D#5 E5 | mf B5:16 A5 G#5 A5 B5 A5 G#5 A5 | "
          "C6:4 A5:8 C6 | B5 A5 G#5 A5 | mp E5 F5 D5 C5 | B4:4 C5:16 B4 A4 G#4 |",
    "lh": "p " + accompany("Am Am Am Am E Dm E", TURCA_CHORDS, TURCA_LH, alternate=False),
}
TURCA_REPEAT = {"rh": "A4:4 B4:16 A4 G#4 A4 |", "lh": "A3:8 C4+E4 A2:4 |"}
TURCA_CLOSE = {"rh": "A4:4 r:4 |", "lh": "A3:8 C4+E4 A2:4 |"}
TURCA_EPISODE = {
    "rh": "f E5:8 F5 G5 G5 | A5:16 G5 F5 E5 D5:4 | E5:8 F5 G5 G5 | A5:16 G5 F5 E5 D5:4 | "
          "C5:8 D5 E5 E5 | F5:16 E5 D5 C5 B4:4 | A4:8 B4 C5 C5 | D5:16 C5 B4 A4 mp B4 A4 G#4 A4 |",
    "lh": "mf " + accompany(["C", "G7", "C", "G7", "Am", "D3:8 F3+A3 E3 G#3+B3", "Am", "E"],
                            TURCA_CHORDS, TURCA_LH, alternate=False),
}
TURCA = Piece(
    "March.mid", "March", (2, 4), (0, 1), 126, TPQ, 120,
    [Part("rh", "Right hand", 0, 0.85, 70, "p"),
     Part("lh", "Left hand", 0, 0.6, 56, "p")],
    [{"rh": "p B4:16 A4 G#4 A4", "lh": "r:4"},
     TURCA_THEME, TURCA_REPEAT, TURCA_THEME, TURCA_CLOSE,
     TURCA_EPISODE, TURCA_THEME, TURCA_CLOSE,
     TURCA_EPISODE, TURCA_THEME, TURCA_CLOSE,
     {"rh": "f E4+A4+C5+E5:4 r:4 |", "lh": "f A2+A3:4 r:4 |"}],
)

# Tchaikovsky, The Nutcracker: Dance of the Sugar-plum Fairy (celesta over
# pizzicato strings, with bass clarinet runs).
PLUM_CHORDS = {"Em": ("E2", "B1", "E3+G3+B3"), "B7": ("B1", "F#2", "D#3+F#3+A3"),
               "Am": ("A1", "E2", "E3+A3+C4"), "E7": ("E2", "B1", "D3+G#3+B3")}


def plum(celesta, harmonies, clarinet=None):
    section = {"cel": celesta,
               "bass": accompany(harmonies, PLUM_CHORDS, "{r}:8 r {f} r", alternate=False),
               "pizz": accompany(harmonies, PLUM_CHORDS, "r:8 {c} r {c}")}
    if clarinet:
        section["bcl"] = clarinet
    return section


PLUM_1 = plum("mp B5:8 G5 B5 A#5 | F#5 G5 D#5 E5 | B5 C6 B5 A#5 | B5:4 r:4 |", "Em B7 Em Em",
              "r:2*3 | r:4 E3:16 D#3 D3 C#3 |")
PLUM_2 = plum("B5:8 G5 B5 A#5 | F#5 G5 D#5 E5 | C6 B5 A5 G5 | F#5:4 r:4 |", "Em B7 Am B7",
              "r:2*3 | r:4 B2:16 C#3 D#3 F#3 |")
PLUM_3 = plum("mf E6:8 C6 E6 D#6 | B5 C6 G#5 A5 | E6 F6 E6 D#6 | E6:4 r:4 |", "Am E7 Am E7")
PLUM_4 = plum("mp B5:8 G5 B5 A#5 | F#5 G5 D#5 E5 | C6 B5 A5 F#5 | E5:4 r:4 |", "Em B7 Am Em",
              "r:2*3 | r:4 E3:16 D#3 D3 C#3 |")
SUGAR_PLUM = Piece(
    "Dance of the Sugar-plum Fairy.mid", "Dance of the Sugar-plum Fairy", (2, 4), (1, 1), 72, 0, 120,
    [Part("cel", "Celesta", 8, 0.7, 70, "mp"),
     Part("bass", "Pizzicato basses", 45, 0.3, 52, "p"),
     Part("pizz", "Pizzicato strings", 45, 0.3, 44, "p"),
     Part("bcl", "Bass clarinet", 71, 0.9, 84, "mp")],
    [plum("r:2*4 |", "Em Em Em Em"),
     PLUM_1, PLUM_2, PLUM_3, PLUM_4,
     plum("r:2*2 |", "Em B7", "mf B3:16 A#3 A3 G#3 G3 F#3 F3 E3 | D#3 D3 C#3 C3 B2:4 |"),
     PLUM_1, PLUM_4,
     {"cel": "r:2 | E5+B5+E6:4 r:4 |", "bass": "E2:8 r B1 r | E2:4 r:4 |",
      "pizz": "r:8 E3+G3+B3 r E3+G3+B3 | E3+G3+B3:4 r:4 |", "bcl": "r:2 | E2:4 r:4 |"}],
)

# Tchaikovsky, The Nutcracker: Waltz of the Flowers (harp flourish, the horn
# tune answered by clarinet, the strings' tune, the horns again and a close).
WALTZ_CHORDS = {"D": ("D2", "A1", "F#3+A3+D4"), "Em": ("E2", "B1", "G3+B3+E4"),
                "G": ("G2", "D2", "G3+B3+D4"), "Gm": ("G2", "D2", "G3+Bb3+D4"),
                "A7": ("A1", "E2", "G3+C#4+E4"), "A": ("A1", "E2", "A3+C#4+E4"),
                "D/A": ("A1", "A1", "F#3+A3+D4")}


def waltz(harmonies, **parts):
    parts["bass"] = accompany(harmonies, WALTZ_CHORDS, "{r}:4 r:2")
    parts["str"] = accompany(harmonies, WALTZ_CHORDS, "r:4 {c} {c}")
    return parts


WALTZ = Piece(
    "Waltz of the Flowers.mid", "Waltz of the Flowers", (3, 4), (2, 0), 168, 0, 90,
    [Part("harp", "Harp", 46, 0.95, 40, "mf"),
     Part("hn", "Horns", 60, 0.95, 72, "mf"),
     Part("cl", "Clarinet", 71, 0.85, 58, "mp"),
     Part("vn", "Violins", 48, 0.97, 50, "f"),
     Part("str", "Strings", 48, 0.45, 80, "p"),
     Part("bass", "Basses", 45, 0.5, 64, "mp")],
    [{"harp": "mf D3:8 F#3 A3 D4 F#4 A4 | D5 F#5 A5 D6 A5 F#5 | A3 C#4 E4 G4 A4 C#5 | E5 C#5 A4 G4 E4 C#4 |"},
     waltz("D D D D Em Em Em Em A7 A7 A7 A D D A7 D",
           hn="mf F#4:2 G4:4 | A4:2. | r:2.*2 | G4:2 A4:4 | B4:2. | r:2.*2 | A4:2 C#5:4 | E5:2 D5:4 | "
              "C#5:2 B4:4 | A4:2. | F#4:2 G4:4 | A4:2 F#4:4 | E4:2 C#4:4 | D4:2. |",
           cl="r:2.*2 | r:4 A4:8 D5 F#5 A5 | D6:4 A5 F#5 | r:2.*2 | r:4 B4:8 E5 G5 B5 | E6:4 B5 G5 | r:2.*8 |"),
     waltz("D D G G Em A7 A7 D D D G Gm D/A A7 A7 D",
           vn="f A5:2. | F#5:2 A5:4 | D6:2. | B5:2. | G5:2 B5:4 | E5:2. | A5:2 G5:4 | F#5:2. | "
              "A5:2. | F#5:2 A5:4 | ff D6:2 E6:4 | Bb5:2. | f F#5:2 A5:4 | G5:2 E5:4 | C#5:2 E5:4 | D5:2. |"),
     waltz("D D D D Em Em A7 A7",
           hn="mf F#4:2 G4:4 | A4:2. | r:2.*2 | G4:2 A4:4 | B4:2. | r:2.*2 |",
           cl="r:2.*2 | r:4 A4:8 D5 F#5 A5 | D6:4 A5 F#5 | r:2.*2 | r:4 A4:8 C#5 E5 G5 | A5:4 E5 C#5 |"),
     {"harp": "r:2.*2 | D3+A3+D4+F#4+A4+D5:2._2. |",
      "hn": "f D4+A4:4 r:2 | C#4+G4:4 r:2 | D4+F#4:2._2. |",
      "cl": "f F#5:4 r:2 | E5:4 r:2 | F#5:2._2. |",
      "vn": "f D6:4 r:2 | C#6:4 r:2 | D6:2._2. |",
      "str": "f F#3+A3+D4:4 r:2 | G3+C#4+E4:4 r:2 | F#3+A3+D4:2._2. |",
      "bass": "f D2:4 r:2 | A1:4 r:2 | D2:2._2. |"}],
)

PIECES = [MOONLIGHT, ELISE, SYMPHONY, TURCA, SUGAR_PLUM, WALTZ]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "Samples")
    os.makedirs(out, exist_ok=True)
    for piece in PIECES:
        # encode the name ourselves: "Für Elise" must be UTF-8 whatever the locale
        path = os.path.join(os.fsencode(out), piece.file.encode("utf-8"))
        with open(path, "wb") as f:
            f.write(render(piece))
        print("wrote", os.path.join(out, piece.file))


if __name__ == "__main__":
    main()

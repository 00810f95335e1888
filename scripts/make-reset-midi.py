#!/usr/bin/env python3
"""Writes the MIDI reset files that ship in data/Reset.

Each file is a one-track Standard MIDI File that sends the published reset
message of one standard, then rests a moment so a synthesizer has time to
settle before the next file starts. Output is byte-identical on every run.

usage: make-reset-midi.py [OUTPUT_DIR]    (default: <repo>/data/Reset)
"""
import os
import struct
import sys

from midiwriting import chunk, vlq

TPQ = 480          # ticks per quarter note
TEMPO = 500000     # microseconds per quarter note: 120 beats a minute
SETTLE = 192       # ticks of rest after the messages (200 ms)

GM_SYSTEM_ON = bytes([0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7])
GS_RESET = bytes([0xF0, 0x41, 0x10, 0x42, 0x12, 0x40, 0x00, 0x7F, 0x00, 0x41, 0xF7])
XG_SYSTEM_ON = bytes([0xF0, 0x43, 0x10, 0x4C, 0x00, 0x00, 0x7E, 0x00, 0xF7])


def sysex(message):
    # In a file the F0 is followed by the length of the rest of the message.
    return bytes([0xF0]) + vlq(len(message) - 1) + message[1:]


def channel_reset():
    # Every channel: all notes off, controllers to their defaults, bank 0 and
    # program 0 (a grand piano; channel 10 keeps the standard drum kit).
    out = bytearray()
    for channel in range(16):
        out += bytes([0xB0 | channel, 123, 0])
        out += bytes([0xB0 | channel, 121, 0])
        out += bytes([0xB0 | channel, 0, 0])
        out += bytes([0xB0 | channel, 32, 0])
        out += bytes([0xC0 | channel, 0])
    return bytes(out)


def midi_file(messages):
    events = bytearray()
    events += vlq(0) + bytes([0xFF, 0x51, 3]) + TEMPO.to_bytes(3, "big")
    for message in messages:
        # Channel messages follow each other without delay; each needs its own delta time.
        events += vlq(0) + message
    events += vlq(SETTLE) + bytes([0xFF, 0x2F, 0])
    header = struct.pack(">HHH", 0, 1, TPQ)
    return chunk(b"MThd", header) + chunk(b"MTrk", bytes(events))


def split_channel_messages(data):
    messages = []
    i = 0
    while i < len(data):
        size = 2 if data[i] & 0xF0 == 0xC0 else 3
        messages.append(data[i:i + size])
        i += size
    return messages


FILES = {
    "GMRESET.MID": [sysex(GM_SYSTEM_ON)],
    "GSRESET.MID": [sysex(GS_RESET)],
    "XGRESET.MID": [sysex(XG_SYSTEM_ON)],
    "PARESET.MID": split_channel_messages(channel_reset()),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Reset")
    os.makedirs(out, exist_ok=True)
    for name, messages in FILES.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(midi_file(messages))


if __name__ == "__main__":
    main()

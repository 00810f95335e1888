"""The pieces of a Standard MIDI File that the data scripts share."""
import struct


def vlq(n):
    """A MIDI variable-length quantity: seven bits a byte, the high bit on all but the last."""
    out = bytearray([n & 0x7F])
    n >>= 7
    while n:
        out.insert(0, 0x80 | (n & 0x7F))
        n >>= 7
    return bytes(out)


def chunk(kind, data):
    return kind + struct.pack(">I", len(data)) + data

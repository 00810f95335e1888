#pragma once

#include <QtGlobal>

class MediaDevice;

// The number that names a disc: its total length times its number of tracks, less the length of its
// first track, all in milliseconds, with 32-bit two's-complement arithmetic. Long discs wrap around
// and may give a negative number; stored databases and play lists hold exactly these values.
qint32 ComputeCDID(qint64 discLengthMs, int trackCount, qint64 firstTrackLengthMs);

// The identifier of the disc open in the device. Leaves the device's time format in milliseconds.
// Ask only a device that holds a disc: 0 is a disc's identifier too (a disc of one track), and a device
// without tracks gives it.
qint32 ComputeCDID(MediaDevice& device);

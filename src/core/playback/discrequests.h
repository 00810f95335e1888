#pragma once

#include <QtGlobal>

#include <optional>

class MediaDevice;

// What the transport asks about discs when a track of a particular disc is to play: which disc the
// drive holds, and, when it is another one, for the wanted disc to be put in.
class DiscRequests {
public:
    enum class Answer {
        Retry,      // the user put a disc in: the drive is read again
        Ignore,     // the same track number from the disc that is in
        Cancel,     // nothing plays
        CannotAsk,  // there is no one to ask: the track cannot play
    };

    virtual ~DiscRequests() = default;
    // The identifier of the disc the device holds open.
    virtual qint32 discIdentifier(MediaDevice& device) const = 0;
    virtual Answer askForDisc(std::optional<qint32> cdid) = 0;
};

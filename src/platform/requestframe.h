#pragma once

#include "platform/singleinstance.h"

#include <QByteArray>
#include <QDataStream>

// The frame a second start sends to the running instance, apart from the socket that carries it. The
// bytes come from another process, so decoding them trusts nothing they say.
namespace RequestFrame {

enum class Status {
    Incomplete,  // the stream is rolled back; try again when more bytes have arrived
    Foreign,     // a whole frame, but not one of ours
    Complete,    // *request holds the frame
};

QByteArray encode(const ForwardedRequest& request);
Status decode(QDataStream& in, ForwardedRequest* request);

}  // namespace RequestFrame

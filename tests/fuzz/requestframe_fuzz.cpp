// The single-instance message decoder: a frame comes from another process and may be anything. A
// decoded request encodes and decodes to itself, and a frame whole in the first half of the bytes
// decodes the same from all of them.
#include "fuzzcheck.h"

#include "platform/requestframe.h"

namespace {

RequestFrame::Status decodeBytes(const QByteArray& bytes, ForwardedRequest* request) {
    QDataStream in(bytes);
    return RequestFrame::decode(in, request);
}

bool sameRequest(const ForwardedRequest& a, const ForwardedRequest& b) {
    return a.baseFolder == b.baseFolder && a.parameters == b.parameters && a.command == b.command;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ForwardedRequest request;
    const RequestFrame::Status status = decodeBytes(bytes, &request);

    ForwardedRequest half;
    const RequestFrame::Status halfStatus = decodeBytes(bytes.left(bytes.size() / 2), &half);
    if (halfStatus != RequestFrame::Status::Incomplete) {
        FUZZ_CHECK(status == halfStatus);
        FUZZ_CHECK(sameRequest(half, request));
    }
    if (status == RequestFrame::Status::Complete) {
        ForwardedRequest again;
        FUZZ_CHECK(decodeBytes(RequestFrame::encode(request), &again) == RequestFrame::Status::Complete);
        FUZZ_CHECK(sameRequest(again, request));
    }
    return 0;
}

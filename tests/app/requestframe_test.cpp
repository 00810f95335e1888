#include "platform/requestframe.h"
#include "support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

RequestFrame::Status decode(const QByteArray& bytes, ForwardedRequest* request) {
    QDataStream in(bytes);
    return RequestFrame::decode(in, request);
}

TEST(RequestFrame, ARequestArrivesWholeOnlyOnceAllOfItIsThere) {
    const ForwardedRequest sent{s("/home/u"), {s("/play"), s("list.vlp"), QString()}, s("next")};
    const QByteArray frame = RequestFrame::encode(sent);
    ForwardedRequest received;
    EXPECT_EQ(decode(frame.left(frame.size() - 1), &received), RequestFrame::Status::Incomplete);
    ASSERT_EQ(decode(frame, &received), RequestFrame::Status::Complete);
    EXPECT_EQ(received.baseFolder, sent.baseFolder);
    EXPECT_EQ(received.parameters, sent.parameters);
    EXPECT_EQ(received.command, sent.command);

    QByteArray foreign = frame;
    foreign[0] = 'X';
    EXPECT_EQ(decode(foreign, &received), RequestFrame::Status::Foreign);
}

TEST(RequestFrame, ACountOfBillionsOfParametersIsNotTakenOnTrust) {
    // Twelve bytes from another process claim four billion parameters; nothing is set aside for them.
    const QByteArray frame = QByteArray::fromHex("564C5031" "00000000" "FFFFFFF0");
    ForwardedRequest received;
    EXPECT_EQ(decode(frame, &received), RequestFrame::Status::Incomplete);
    EXPECT_TRUE(received.parameters.isEmpty());
}

}  // namespace

#include "platform/requestframe.h"

#include <QIODevice>

namespace RequestFrame {
namespace {

constexpr quint32 kMagic = 0x564C5031;  // "VLP1"

// QDataStream's own list reading reserves room for as many strings as the count says before reading
// one: four bytes claiming four billion would take the running instance down. Room grows with the
// strings that really arrive.
void readStringList(QDataStream& in, QStringList* list) {
    quint32 count = 0;
    in >> count;
    list->clear();
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString text;
        in >> text;
        if (in.status() == QDataStream::Ok) {
            list->append(text);
        }
    }
    if (in.status() != QDataStream::Ok) {
        list->clear();
    }
}

}  // namespace

QByteArray encode(const ForwardedRequest& request) {
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kMagic << request.baseFolder << request.parameters << request.command;
    return frame;
}

Status decode(QDataStream& in, ForwardedRequest* request) {
    in.setVersion(QDataStream::Qt_6_4);
    in.startTransaction();
    quint32 magic = 0;
    in >> magic >> request->baseFolder;
    readStringList(in, &request->parameters);
    in >> request->command;
    if (!in.commitTransaction()) {
        return Status::Incomplete;
    }
    return magic == kMagic ? Status::Complete : Status::Foreign;
}

}  // namespace RequestFrame

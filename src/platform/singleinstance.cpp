#include "platform/singleinstance.h"

#include "platform/requestframe.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;

}  // namespace

SingleInstance::SingleInstance(const QString& userDataFolder, QObject* parent)
    : QObject(parent), m_name(serverName(userDataFolder)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName(const QString& userDataFolder) {
    const QByteArray folder = QDir(userDataFolder).absolutePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("velmaro-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest));
}

SingleInstance::Forwarding SingleInstance::forward(const ForwardedRequest& request, QString* reply) {
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return Forwarding::NoInstance;
    }
    socket.write(RequestFrame::encode(request));
    if (!socket.waitForBytesWritten(kAnswerTimeoutMs)) {
        return Forwarding::NoAnswer;
    }
    QDataStream in(&socket);
    in.setVersion(QDataStream::Qt_6_4);
    QString answer;
    for (;;) {
        in.startTransaction();
        in >> answer;
        if (in.commitTransaction()) {
            break;
        }
        if (!socket.waitForReadyRead(kAnswerTimeoutMs)) {
            return Forwarding::NoAnswer;
        }
    }
    if (reply) {
        *reply = answer;
    }
    return answer.isEmpty() ? Forwarding::Delivered : Forwarding::Refused;
}

bool SingleInstance::listen() {
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    }
    if (m_server->listen(m_name)) {
        return true;
    }
    if (m_server->serverError() != QAbstractSocket::AddressInUseError) {
        return false;
    }
    // The name is taken: by a live instance, or by the socket file of one that crashed.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            ForwardedRequest request;
            const RequestFrame::Status status = RequestFrame::decode(in, &request);
            if (status == RequestFrame::Status::Incomplete) {
                return;  // the rest of the frame has not arrived yet
            }
            QString answer;
            if (status == RequestFrame::Status::Foreign) {
                answer = QStringLiteral("The running Velmaro does not understand this request.");
            } else if (m_validator) {
                answer = m_validator(request);
            }
            QByteArray frame;
            QDataStream out(&frame, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_6_4);
            out << answer;
            socket->write(frame);
            socket->flush();
            socket->disconnectFromServer();
            if (answer.isEmpty()) {
                // Carried out after the second start has its answer: opening a list may ask questions.
                QTimer::singleShot(0, this, [this, request] { Q_EMIT requestReceived(request); });
            }
        });
    }
}

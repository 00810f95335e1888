#include "platform/singleinstance.h"

#include "platform/requestframe.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kAnswerTimeoutMs = 5000;
// A second start sends its request at once; a peer that does not is cut off.
constexpr int kRequestTimeoutMs = 3000;
constexpr qint64 kMaxRequestBytes = 16 * 1024 * 1024;

// Why the folder may not hold the socket, or empty when only this user can enter it.
QString privateFolderProblem(const QString& folder) {
    struct stat info {};
    if (lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return QStringLiteral("\"%1\" cannot be used: %2")
            .arg(folder, QString::fromLocal8Bit(strerror(errno)));
    }
    if (!S_ISDIR(info.st_mode)) {
        return QStringLiteral("\"%1\" is not a folder.").arg(folder);
    }
    if (info.st_uid != getuid()) {
        return QStringLiteral("The folder \"%1\" belongs to another user.").arg(folder);
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        return QStringLiteral("Other users can enter the folder \"%1\".").arg(folder);
    }
    return {};
}

// Whether the other end of a local socket runs as this user.
bool isOwnPeer(qintptr descriptor) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return descriptor >= 0 &&
           getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
           peer.uid == getuid();
}

}  // namespace

SingleInstance::SingleInstance(const QString& userDataFolder, QObject* parent)
    : QObject(parent), m_name(serverName(userDataFolder, &m_error)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketFolder(QString* error) {
    // The session's own runtime folder when it is sound. Else one of ours under the user's own cache
    // folder: a fixed name in a folder every user can write to is taken by whoever makes it first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && privateFolderProblem(runtime).isEmpty()) {
        return QDir::cleanPath(runtime);
    }
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!QDir::isAbsolutePath(cache)) {
        if (error) {
            *error =
                QStringLiteral("There is neither a runtime folder nor a cache folder to hold the socket.");
        }
        return {};
    }
    // One folder per machine: a home shared over the network holds the socket files of other machines,
    // which no start here can reach.
    const QString folder =
        QDir(cache).filePath(QStringLiteral("velmaro/sockets-%1").arg(QSysInfo::machineHostName()));
    QDir().mkpath(QFileInfo(folder).absolutePath());
    // An existing folder is not changed: it is used only as it is found.
    mkdir(QFile::encodeName(folder).constData(), 0700);
    const QString problem = privateFolderProblem(folder);
    if (!problem.isEmpty()) {
        if (error) {
            *error = problem;
        }
        return {};
    }
    return folder;
}

QString SingleInstance::serverName(const QString& userDataFolder, QString* error) {
    const QString folder = socketFolder(error);
    if (folder.isEmpty()) {
        return {};
    }
    const QByteArray data = QDir(userDataFolder).absolutePath().toUtf8();
    const QByteArray digest = QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex().left(16);
    return QDir(folder).filePath(QStringLiteral("velmaro-%1").arg(QString::fromLatin1(digest)));
}

SingleInstance::Forwarding SingleInstance::forward(const ForwardedRequest& request, QString* reply) {
    if (m_name.isEmpty()) {
        return Forwarding::NoInstance;
    }
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return Forwarding::NoInstance;
    }
    // Our request names our files: it goes only to a program of this user.
    if (!isOwnPeer(socket.socketDescriptor())) {
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
    if (m_name.isEmpty()) {
        return false;
    }
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    }
    if (m_server->listen(m_name)) {
        return true;
    }
    if (m_server->serverError() != QAbstractSocket::AddressInUseError) {
        m_error = m_server->errorString();
        return false;
    }
    // The name is taken: by a live instance, or by the socket file of one that crashed.
    QLocalSocket probe;
    probe.connectToServer(m_name);
    if (probe.waitForConnected(kConnectTimeoutMs) && isOwnPeer(probe.socketDescriptor())) {
        m_error = QStringLiteral("Another Velmaro answers on \"%1\".").arg(m_name);
        return false;
    }
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name)) {
        m_error = m_server->errorString();
        return false;
    }
    return true;
}

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!isOwnPeer(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxRequestBytes) {
                socket->abort();
                return;
            }
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

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;

// What a second start hands to the running instance.
struct ForwardedRequest {
    QString baseFolder;  // the second start's working folder, for relative file names
    QStringList parameters;
    QString command;  // a taskbar-menu command name, or empty
};

// One running Velmaro per user data folder. The first start listens on a local socket in a folder that
// only its user can enter; a later start connects, checks that the listener is its own user's, hands
// over its request and ends. The listener answers only its own user, and cuts off a peer that sends
// no request in time.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Forwarding { Delivered, NoInstance, Refused, NoAnswer };

    explicit SingleInstance(const QString& userDataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket's path, or empty (with *error saying why) when no folder only the user can enter is
    // to be had.
    static QString serverName(const QString& userDataFolder, QString* error = nullptr);
    // $XDG_RUNTIME_DIR when only the user can enter it, else "velmaro/sockets-<host>" in the user's cache
    // folder, made with mode 0700 and used only while it is a real folder of the user's closed to others.
    static QString socketFolder(QString* error = nullptr);

    // Hands the request to a running instance. With Refused, *reply says why.
    Forwarding forward(const ForwardedRequest& request, QString* reply);

    // Becomes the running instance; false when another instance answers on the socket, or when the
    // socket cannot be had (errorString() says why).
    bool listen();
    QString errorString() const { return m_error; }
    // False when no folder only the user can enter was to be had for the socket.
    bool hasSocketFolder() const { return !m_name.isEmpty(); }

    // Decides at once whether a request can be carried out: an empty result accepts it, anything else
    // is the reason given to the second start. Accepted requests then arrive through requestReceived.
    void setValidator(std::function<QString(const ForwardedRequest&)> validator) {
        m_validator = std::move(validator);
    }

Q_SIGNALS:
    void requestReceived(const ForwardedRequest& request);

private:
    void acceptConnection();

    QString m_error;
    QString m_name;
    QLocalServer* m_server = nullptr;
    std::function<QString(const ForwardedRequest&)> m_validator;
};

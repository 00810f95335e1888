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

// One running Velmaro per user data folder. The first start listens on a local socket that only its
// user can reach; a later start connects, hands over its request and ends.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    enum class Forwarding { Delivered, NoInstance, Refused, NoAnswer };

    explicit SingleInstance(const QString& userDataFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString serverName(const QString& userDataFolder);

    // Hands the request to a running instance. With Refused, *reply says why.
    Forwarding forward(const ForwardedRequest& request, QString* reply);

    // Becomes the running instance; false when another instance answers on the socket.
    bool listen();

    // Decides at once whether a request can be carried out: an empty result accepts it, anything else
    // is the reason given to the second start. Accepted requests then arrive through requestReceived.
    void setValidator(std::function<QString(const ForwardedRequest&)> validator) {
        m_validator = std::move(validator);
    }

Q_SIGNALS:
    void requestReceived(const ForwardedRequest& request);

private:
    void acceptConnection();

    QString m_name;
    QLocalServer* m_server = nullptr;
    std::function<QString(const ForwardedRequest&)> m_validator;
};

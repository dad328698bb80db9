#include "rawhttpresponder.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

RawHttpResponder::RawHttpResponder(QObject *parent) : QObject(parent), server(this)
{
    connect(&server, &QTcpServer::newConnection, this, &RawHttpResponder::acceptConnections);
}

bool RawHttpResponder::listen()
{
    return server.listen(QHostAddress::LocalHost, 0);
}

quint16 RawHttpResponder::port() const
{
    return server.serverPort();
}

QUrl RawHttpResponder::url(const QString &path) const
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port());
    url.setPath(path);
    return url;
}

void RawHttpResponder::setAnswer(const QByteArray &bytes, bool close, int delay)
{
    answer = bytes;
    closeAfterwards = close;
    closeDelay = delay;
}

QList<QByteArray> RawHttpResponder::requestHeads() const
{
    return heads;
}

QByteArray RawHttpResponder::head(int status, const QList<QPair<QByteArray, QByteArray>> &headers)
{
    QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + (status < 300 ? " OK" : " Error");
    text += "\r\n";
    for (const auto &header : headers)
        text += header.first + ": " + header.second + "\r\n";
    return text + "\r\n";
}

void RawHttpResponder::acceptConnections()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
            received->append(socket->readAll());
            const int end = received->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QByteArray requestHead = received->left(end + 4);
            received->clear();
            heads.append(requestHead);
            socket->write(answer);
            if (closeAfterwards && closeDelay > 0)
                QTimer::singleShot(closeDelay, socket, [socket] { socket->disconnectFromHost(); });
            else if (closeAfterwards)
                socket->disconnectFromHost();
            emit requestReceived(requestHead);
        });
    }
}

#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

// A tiny HTTP answerer on a raw socket, for the malformed answers that a proper server library
// never produces: a body ended by closing the connection, a connection closed before the
// announced length, a chunked body cut short. It waits for a request head, writes the bytes it
// was given exactly as they are and then (by default) closes the connection.
// Lives on the thread that runs the test's event loop.
class RawHttpResponder : public QObject
{
    Q_OBJECT

public:
    explicit RawHttpResponder(QObject *parent = nullptr);

    // Listens on 127.0.0.1, on a free port.
    bool listen();
    quint16 port() const;
    QUrl url(const QString &path) const;

    // `closeDelay` milliseconds after writing the answer the connection is closed (when
    // `closeAfterwards`), so the close can reach the client apart from the last data.
    void setAnswer(const QByteArray &answer, bool closeAfterwards = true, int closeDelay = 0);

    // Request heads received so far (request line and headers), oldest first.
    QList<QByteArray> requestHeads() const;

    // A status line and headers ready for a body: "HTTP/1.1 <status> <reason>" CRLF, each
    // header line, a blank line.
    static QByteArray head(int status, const QList<QPair<QByteArray, QByteArray>> &headers = {});

signals:
    void requestReceived(const QByteArray &head);

private:
    void acceptConnections();

    QTcpServer server;
    QByteArray answer;
    bool closeAfterwards = true;
    int closeDelay = 0;
    QList<QByteArray> heads;
};

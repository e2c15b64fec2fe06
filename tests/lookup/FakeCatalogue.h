#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

namespace opusteca::test {

// A small web server on 127.0.0.1 standing in for the catalogues: it answers each
// path with the reply the test wrote for it (404 for any other path) and keeps the
// request lines it was sent, in order.
class FakeCatalogue : public QObject {
public:
    struct Reply {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/json";
        bool never = false;     // the reply never comes
        bool withLength = true; // false: the body ends when the connection closes
    };

    FakeCatalogue()
    {
        connect(&m_server, &QTcpServer::newConnection, this, &FakeCatalogue::accept);
        m_server.listen(QHostAddress::LocalHost);
    }
    ~FakeCatalogue() override
    {
        for (const QPointer<QTcpSocket> &s : std::as_const(m_held))
            if (s) s->abort();
    }

    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }
    void answer(const QByteArray &path, const Reply &reply) { m_replies.insert(path, reply); }
    // Every request target (path and query) in the order received.
    QList<QByteArray> requests;

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        }
    }
    void read(QTcpSocket *socket)
    {
        QByteArray &pending = m_pending[socket];
        pending += socket->readAll();
        const qsizetype end = pending.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> requestLine = pending.left(pending.indexOf("\r\n")).split(' ');
        pending.remove(0, end + 4);
        const QByteArray target = requestLine.value(1);
        requests.append(target);
        const QByteArray path = target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?'));
        const Reply reply = m_replies.value(path, Reply{404, "Not found", "text/plain"});
        if (reply.never) {
            m_held.append(socket);
            return;
        }
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + (reply.status == 200 ? " OK" : " Error") +
                          "\r\nContent-Type: " + reply.contentType + "\r\nConnection: close\r\n";
        if (reply.withLength) head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        socket->write(head + "\r\n" + reply.body);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QByteArray, Reply> m_replies;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QList<QPointer<QTcpSocket>> m_held;
};

} // namespace opusteca::test

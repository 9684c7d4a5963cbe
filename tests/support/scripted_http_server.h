// A test's own HTTP server on 127.0.0.1 that answers every request with the bytes it is
// given: a proper answer, an error page, a body cut off half-way, or nothing at all.
#pragma once

#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class ScriptedHttpServer : public QTcpServer {
public:
    enum class Ending { Close, KeepOpen };

    ScriptedHttpServer(QByteArray answer, Ending ending = Ending::Close)
        : m_answer(std::move(answer)), m_ending(ending)
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    ++requests;
                    socket->write(m_answer);
                    socket->flush();
                    if (m_ending == Ending::Close)
                        socket->disconnectFromHost();
                });
            }
        });
    }

    static QByteArray Answer(int status, const QByteArray& body, const char* reason = "OK")
    {
        return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
               "\r\nContent-Type: text/plain\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

    QUrl Base() const { return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(serverPort())); }

    int requests = 0;

private:
    QByteArray m_answer;
    Ending m_ending;
};

// A test's own HTTP server on 127.0.0.1 that answers every request with the bytes it is
// given: a proper answer, an error page, a body cut off half-way, or nothing at all.
#pragma once

#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

class ScriptedHttpServer : public QTcpServer {
public:
    enum class Ending { Close, KeepOpen };

    ScriptedHttpServer(QByteArray answer, Ending ending = Ending::Close)
        : ScriptedHttpServer(QMap<QByteArray, QByteArray>{{QByteArray(), std::move(answer)}},
                             ending)
    {}
    // Answers by the request's path; a path not listed gets the answer of the empty path,
    // or 404.
    explicit ScriptedHttpServer(QMap<QByteArray, QByteArray> answers, Ending ending = Ending::Close)
        : m_answers(std::move(answers)), m_ending(ending)
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    const QList<QByteArray> requestLine = socket->readLine().split(' ');
                    socket->readAll();
                    const QByteArray path = requestLine.value(1);
                    paths.append(path);
                    ++requests;
                    socket->write(m_answers.value(
                        path, m_answers.value(QByteArray(), Answer(404, "not here", "Not Found"))));
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
    QList<QByteArray> paths;

private:
    QMap<QByteArray, QByteArray> m_answers;
    Ending m_ending;
};

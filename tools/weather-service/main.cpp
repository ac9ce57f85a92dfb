// weather-service: a small local stand-in for the weather web service, for
// tests and the demo. It listens on 127.0.0.1 (port from --port, 0 = any
// free one), prints the port on its first output line, and answers every
// request with the answer scripted in the file given by --script, which it
// reads again for each request, so a test can change it while it runs:
//
//   {"status": 200, "json": {"message": "ok", "weather": {...}}}
//   {"status": 500, "body": "text"}             a body given as text
//   {"mode": "hang"}                              never answers
//   {"mode": "headers"}                           sends the headers, then nothing
//   {"mode": "close"}                             closes without answering
//   {"bodyBytes": 52428800}                       streams that many bytes, no length header
//   {"delayMs": 500, ...}                         answers after a delay
//
// A missing or unreadable script answers a fixed sunny day. The target of
// every request it receives ("/api/weather/integration?city=..") is
// appended as one line to the file given by --log.

#include <nlohmann/json.hpp>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

QString g_script;
QString g_log;

nlohmann::json sunnyDay()
{
    return {{"message", "ok"},
            {"weather",
             {{"weather", "Sunny"},
              {"temp", 21.4},
              {"tempMin", 12},
              {"tempMax", 25},
              {"humidity", 40},
              {"windDirection", "NW"},
              {"wind", "3"},
              {"windSpeed", "12"},
              {"code", "100"}}}};
}

nlohmann::json script()
{
    QFile f(g_script);
    if (g_script.isEmpty() || !f.open(QIODevice::ReadOnly))
        return {{"json", sunnyDay()}};
    const nlohmann::json j = nlohmann::json::parse(f.readAll().toStdString(), nullptr, false);
    return j.is_object() ? j : nlohmann::json{{"json", sunnyDay()}};
}

void record(const QByteArray& target)
{
    if (g_log.isEmpty())
        return;
    QFile f(g_log);
    if (f.open(QIODevice::Append))
        f.write(target + "\n");
}

QByteArray head(int status, qint64 length)
{
    QByteArray h = "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Status") + "\r\n";
    h += "Content-Type: application/json; charset=utf-8\r\nConnection: close\r\n";
    if (length >= 0)
        h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return h + "\r\n";
}

void stream(QTcpSocket* socket, std::shared_ptr<qint64> left)
{
    const QByteArray chunk(64 * 1024, 'x');
    while (*left > 0 && socket->bytesToWrite() < 256 * 1024) {
        const qint64 n = std::min<qint64>(*left, chunk.size());
        socket->write(chunk.constData(), n);
        *left -= n;
    }
    if (*left <= 0)
        socket->disconnectFromHost();
}

void answer(QTcpSocket* socket, const QByteArray& target)
{
    const nlohmann::json s = script();
    const std::string mode = s.value("mode", std::string("normal"));
    if (!target.startsWith("/api/weather/integration")) {
        const QByteArray body = "not found";
        socket->write(head(404, body.size()) + body);
        socket->disconnectFromHost();
        return;
    }
    if (mode == "hang")
        return;
    if (mode == "close") {
        socket->disconnectFromHost();
        return;
    }
    const int status = s.value("status", 200);
    if (mode == "headers") {
        socket->write(head(status, 1000));
        return;
    }
    if (s.contains("bodyBytes") && s["bodyBytes"].is_number()) {
        auto left = std::make_shared<qint64>(s["bodyBytes"].get<qint64>());
        socket->write(head(status, -1));
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket, left] { stream(socket, left); });
        stream(socket, left);
        return;
    }
    QByteArray body;
    if (s.contains("body") && s["body"].is_string())
        body = QByteArray::fromStdString(s["body"].get<std::string>());
    else if (s.contains("json"))
        body = QByteArray::fromStdString(s["json"].dump());
    socket->write(head(status, body.size()) + body);
    socket->disconnectFromHost();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    quint16 port = 0;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == "--port")
            port = static_cast<quint16>(args[i + 1].toUInt());
        else if (args[i] == "--script")
            g_script = args[i + 1];
        else if (args[i] == "--log")
            g_log = args[i + 1];
    }
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, port)) {
        std::fprintf(stderr, "weather-service: cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    std::printf("%u\n", server.serverPort());
    std::fflush(stdout);
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        while (QTcpSocket* socket = server.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto buffer = std::make_shared<QByteArray>();
            auto done = std::make_shared<bool>(false);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, buffer, done] {
                if (*done)
                    return;
                *buffer += socket->readAll();
                const int end = buffer->indexOf("\r\n\r\n");
                if (end < 0) {
                    if (buffer->size() > 65536)
                        socket->abort();
                    return;
                }
                *done = true;
                const QList<QByteArray> requestLine = buffer->left(buffer->indexOf("\r\n")).split(' ');
                const QByteArray target = requestLine.size() >= 2 ? requestLine[1] : QByteArray();
                record(target);
                const int delay = script().value("delayMs", 0);
                QPointer<QTcpSocket> guard(socket);
                QTimer::singleShot(std::max(0, delay), socket, [guard, target] {
                    if (guard)
                        answer(guard, target);
                });
            });
        }
    });
    return app.exec();
}

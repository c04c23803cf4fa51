#pragma once
// `python3 -m http.server` on 127.0.0.1 serving a fresh temporary folder, on
// the port it picks itself; stopped when the object goes away.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

class HttpTestServer {
  public:
    HttpTestServer() {
        process_.setProgram(QStringLiteral("python3"));
        process_.setArguments(
            {"-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory", dir_.path(), "0"});
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start();
        if (!process_.waitForStarted(10000)) {
            ADD_FAILURE() << "python3 -m http.server did not start";
            return;
        }
        // "Serving HTTP on 127.0.0.1 port 40123 (http://127.0.0.1:40123/) ..."
        const QRegularExpression portText(QStringLiteral("port (\\d+)"));
        QByteArray output;
        while (port_ == 0 && process_.state() == QProcess::Running) {
            if (!process_.waitForReadyRead(10000)) break;
            output += process_.readAll();
            const auto match = portText.match(QString::fromUtf8(output));
            if (match.hasMatch()) port_ = match.captured(1).toInt();
        }
        if (port_ == 0) ADD_FAILURE() << "no port from http.server: " << output.toStdString();
    }
    ~HttpTestServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    // The server's address, without a closing "/".
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    QString Url(const QString& path) const { return Base() + QLatin1Char('/') + path; }
    // A file the server hands out, at a path below its folder.
    QString Put(const QString& name, const QByteArray& content) const {
        const QString path = dir_.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

  private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};

#include "app/logon/LocalServer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "app/frame/ConfigStore.h"
#include "app/frame/IniFile.h"
#include "platform/Environment.h"

namespace {

// A socket address holds about 108 bytes; leave room.
constexpr int kMaxSocketPath = 100;
constexpr int kInstallTimeoutMs = 300000;
constexpr int kStartTimeoutMs = 120000;
constexpr int kStopTimeoutMs = 120000;

QString WithSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path;
}

QString FindProgram(const QString& name) {
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                   QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin")});
    return found;
}

bool RunningAsRoot() { return ::geteuid() == 0; }

bool ProcessAlive(qint64 pid) {
    if (pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) == 0) return true;
    return errno == EPERM;
}

// The command line of a process, when the system shows it (Linux); empty otherwise.
QByteArray CommandLineOf(qint64 pid) {
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

}  // namespace

LocalServer::LocalServer(const QString& folder, Reporter report)
    : folder_(WithSlash(QDir::cleanPath(folder))), report_(std::move(report)) {
    socket_ = folder_ + QStringLiteral("sock");
    if (socket_.toUtf8().size() > kMaxSocketPath) {
        // A short, fixed name per folder, so that the program and the admin tool agree.
        const QByteArray hash =
            QCryptographicHash::hash(folder_.toUtf8(), QCryptographicHash::Sha1).toHex().left(10);
        QString runtime = platform::EnvValue("XDG_RUNTIME_DIR");
        if (runtime.isEmpty() || !QFileInfo(runtime).isDir() || runtime.toUtf8().size() > 60)
            runtime = QStringLiteral("/tmp");
        QString user = OsUser();
        if (user.isEmpty()) user = QStringLiteral("user");
        socket_ = WithSlash(runtime) + QStringLiteral("varlokken-%1-%2/sock").arg(user, QString::fromLatin1(hash));
        socketMoved_ = true;
    }
}

QString LocalServer::FolderOf(ConfigStore& config) {
    return config.sevrantepath(QStringLiteral("data")) + QStringLiteral("mysql/");
}

QString LocalServer::FolderForTools(const QString& workingDir) {
    const QString base = platform::BaseFolder();
    QString ini = WithSlash(workingDir) + QStringLiteral("sevrante.ini");
    if (!QFileInfo::exists(ini)) ini = base + QStringLiteral("etc/sevrante.ini");
    IniFile file;
    QString data;
    if (file.Load(ini)) data = file.Value(QStringLiteral("FOLDERS"), QStringLiteral("data_folder"));
    if (data.isEmpty()) data = base + QStringLiteral("data/");
    return WithSlash(data) + QStringLiteral("mysql/");
}

QString LocalServer::OsUser() {
    if (RunningAsRoot()) return QStringLiteral("root");
    return platform::OsUserName();
}

void LocalServer::Report(const QString& text) const {
    if (report_) report_(text);
}

bool LocalServer::IsInitialised() const { return QFileInfo(folder_ + QStringLiteral("mysql")).isDir(); }

qint64 LocalServer::RunningPid() const {
    QFile f(PidFile());
    if (!f.open(QIODevice::ReadOnly)) return 0;
    bool ok = false;
    const qint64 pid = QString::fromLatin1(f.readAll()).trimmed().toLongLong(&ok);
    if (!ok || !ProcessAlive(pid)) return 0;
    // A pid file left by a crash may name an unrelated process by now.
    const QByteArray cmd = CommandLineOf(pid);
    if (!cmd.isEmpty() && !cmd.contains("mariadbd") && !cmd.contains("mysqld")) return 0;
    return pid;
}

bool LocalServer::Answers() const {
    Connection c;
    return c.Connect(Params(OsUser(), QString(), QString()));
}

ConnectParams LocalServer::Params(const QString& user, const QString& password,
                                  const QString& database) const {
    ConnectParams p;
    p.socket = socket_;
    p.user = user;
    p.password = password;
    p.database = database;
    return p;
}

namespace {
// The last three lines of a server's log file, for a message.
QString TailOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.mid(qMax<qsizetype>(0, lines.size() - 3)).join(QStringLiteral(" | "));
}
}  // namespace

QString LocalServer::TailOfErrorLog() const { return TailOf(ErrorLogFile()); }

bool LocalServer::Initialise(QString* error) {
    const QString install = FindProgram(QStringLiteral("mariadb-install-db"));
    if (install.isEmpty()) {
        *error = QStringLiteral("finner ikke mariadb-install-db (pakken mariadb-server)");
        return false;
    }
    const QString user = OsUser();
    Report(QStringLiteral("Lokal databaseserver: oppretter databasefilene i %1 for brukeren %2")
               .arg(folder_, user));
    QStringList args{QStringLiteral("--no-defaults"), QStringLiteral("--datadir=") + folder_,
                     QStringLiteral("--auth-root-authentication-method=socket"),
                     QStringLiteral("--auth-root-socket-user=") + user, QStringLiteral("--skip-test-db")};
    if (RunningAsRoot()) args << QStringLiteral("--user=root");
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardOutputFile(folder_ + QStringLiteral("install.log"));
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(install, args);
    if (!p.waitForFinished(kInstallTimeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (p.state() != QProcess::NotRunning) {
            p.kill();
            p.waitForFinished();
        }
        const QString tail = TailOf(folder_ + QStringLiteral("install.log"));
        *error = QStringLiteral("mariadb-install-db feilet, se %1install.log").arg(folder_);
        if (!tail.isEmpty()) *error += QStringLiteral(": ") + tail;
        return false;
    }
    Report(QStringLiteral("Lokal databaseserver: databasefilene er opprettet"));
    return true;
}

bool LocalServer::Start(QString* error) {
    QString ignored;
    if (!error) error = &ignored;
    if (const qint64 pid = RunningPid(); pid != 0 && Answers()) {
        Report(QStringLiteral("Lokal databaseserver kjører (pid %1, socket %2)").arg(pid).arg(socket_));
        return true;
    }
    if (!QDir().mkpath(folder_)) {
        *error = QStringLiteral("kan ikke opprette mappen ") + folder_;
        return false;
    }
    if (socketMoved_) {
        const QString dir = QFileInfo(socket_).absolutePath();
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        Report(QStringLiteral("Lokal databaseserver: mappen %1 gir for lang socket-adresse; socketen ligger i %2")
                   .arg(folder_, socket_));
    }
    if (!IsInitialised() && !Initialise(error)) return false;

    const QString server = FindProgram(QStringLiteral("mariadbd"));
    if (server.isEmpty()) {
        *error = QStringLiteral("finner ikke mariadbd (pakken mariadb-server)");
        return false;
    }
    QFile::remove(PidFile());
    QStringList args{QStringLiteral("--no-defaults"),
                     QStringLiteral("--datadir=") + folder_,
                     QStringLiteral("--socket=") + socket_,
                     QStringLiteral("--pid-file=") + PidFile(),
                     QStringLiteral("--log-error=") + ErrorLogFile(),
                     QStringLiteral("--skip-networking"),
                     QStringLiteral("--skip-log-bin"),
                     QStringLiteral("--character-set-server=utf8mb4"),
                     QStringLiteral("--collation-server=utf8mb4_general_ci")};
    if (RunningAsRoot()) args << QStringLiteral("--user=root");

    // Detached in a session of its own, so it outlives the program and its terminal.
    QProcess p;
    const QString setsid = FindProgram(QStringLiteral("setsid"));
    if (!setsid.isEmpty()) {
        args.prepend(server);
        p.setProgram(setsid);
    } else {
        p.setProgram(server);
    }
    p.setArguments(args);
    p.setStandardInputFile(QProcess::nullDevice());
    p.setStandardOutputFile(folder_ + QStringLiteral("console.log"), QIODevice::Append);
    p.setStandardErrorFile(folder_ + QStringLiteral("console.log"), QIODevice::Append);
    p.setWorkingDirectory(folder_);
    qint64 pid = 0;
    Report(QStringLiteral("Lokal databaseserver: starter %1 i %2 (socket %3)").arg(server, folder_, socket_));
    if (!p.startDetached(&pid)) {
        *error = QStringLiteral("kan ikke starte ") + server;
        return false;
    }
    if (!WaitUntilAnswers(pid, error)) return false;
    Report(QStringLiteral("Lokal databaseserver startet (pid %1)").arg(RunningPid()));
    return true;
}

bool LocalServer::WaitUntilAnswers(qint64 startedPid, QString* error) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < kStartTimeoutMs) {
        if (RunningPid() != 0 && Answers()) return true;
        if (!ProcessAlive(startedPid) && RunningPid() == 0) {
            QThread::msleep(200);  // the pid file may come just after the wrapper ended
            if (RunningPid() == 0) {
                *error = QStringLiteral("databaseserveren stoppet under oppstart: ") + TailOfErrorLog();
                return false;
            }
        }
        QThread::msleep(100);
    }
    *error = QStringLiteral("databaseserveren svarer ikke, se ") + ErrorLogFile();
    return false;
}

bool LocalServer::Stop(QString* error) {
    QString ignored;
    if (!error) error = &ignored;
    const qint64 pid = RunningPid();
    if (pid == 0) {
        if (QFile::exists(PidFile())) QFile::remove(PidFile());
        Report(QStringLiteral("Lokal databaseserver kjører ikke (%1)").arg(folder_));
        return true;
    }
    Report(QStringLiteral("Lokal databaseserver: stopper pid %1").arg(pid));
    if (::kill(static_cast<pid_t>(pid), SIGTERM) != 0) {
        *error = QStringLiteral("kan ikke stoppe pid %1: %2").arg(pid).arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (ProcessAlive(pid) && timer.elapsed() < kStopTimeoutMs) QThread::msleep(100);
    if (ProcessAlive(pid)) {
        *error = QStringLiteral("databaseserveren (pid %1) stoppet ikke").arg(pid);
        return false;
    }
    QFile::remove(PidFile());
    Report(QStringLiteral("Lokal databaseserver stoppet"));
    return true;
}

QString LocalServer::StatusText() const {
    if (const qint64 pid = RunningPid())
        return QStringLiteral("Lokal databaseserver kjører: pid %1, socket %2, mappe %3").arg(pid).arg(socket_, folder_);
    if (IsInitialised()) return QStringLiteral("Lokal databaseserver kjører ikke (mappe %1)").arg(folder_);
    return QStringLiteral("Lokal databaseserver er ikke opprettet (mappe %1)").arg(folder_);
}

#include "app/frame/TextFile.h"

#include <QFile>
#include <cerrno>

#include "app/frame/AppContext.h"
#include "app/frame/TextHelpers.h"
#include "platform/TextEncoding.h"

namespace {
// The system's error code for the failed call, or Qt's when the system gave none.
int ErrorCode(const QFileDevice& file) {
    const int code = errno;
    return code ? code : static_cast<int>(file.error());
}

void CountError() {
    if (AppContext::HasCurrent()) Ctx().log().AddError();
}

void Show(const QString& message) {
    if (AppContext::HasCurrent()) Ctx().prompter().ShowMessage(QStringLiteral("FEIL"), message);
}
}  // namespace

TextFile::~TextFile() {
    if (create_) create_->cancelWriting();
}

void TextFile::Fail(int code, const QString& message) {
    lastIoError_ = code;
    CountError();
    if (!message.isEmpty()) Show(message);
}

QByteArray TextFile::Encode(const QString& line) const {
    return encoding_ == Encoding::Windows1252 ? platform::EncodeWindows1252(line) : line.toUtf8();
}

bool TextFile::OpenForReading(const QString& path) {
    if (mode_ != Mode::Closed) Close();
    path_ = path;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(ErrorCode(file), QStringLiteral("Feil under åpning av %1  (FEILNR.: %2)")
                                  .arg(path)
                                  .arg(ErrorCode(file)));
        return false;
    }
    lines_ = platform::DecodeText(file.readAll()).split(QLatin1Char('\n'));
    if (!lines_.isEmpty() && lines_.last().isEmpty()) lines_.removeLast();
    for (QString& line : lines_) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    next_ = 0;
    mode_ = Mode::Reading;
    lastIoError_ = 0;
    return true;
}

bool TextFile::OpenForAppending(const QString& path) {
    if (mode_ != Mode::Closed) Close();
    path_ = path;
    append_ = std::make_unique<QFile>(path);
    errno = 0;
    if (!append_->open(QIODevice::WriteOnly | QIODevice::Append)) {
        const int code = ErrorCode(*append_);
        append_.reset();
        Fail(code, QStringLiteral("Feil under åpning av %1  (%2)").arg(path).arg(code));
        return false;
    }
    mode_ = Mode::Appending;
    writeFailed_ = false;
    lastIoError_ = 0;
    return true;
}

bool TextFile::Create(const QString& path) {
    if (mode_ != Mode::Closed) Close();
    path_ = path;
    create_ = std::make_unique<QSaveFile>(path);
    create_->setDirectWriteFallback(false);
    errno = 0;
    if (!create_->open(QIODevice::WriteOnly)) {
        const int code = ErrorCode(*create_);
        create_.reset();
        Fail(code, QStringLiteral("Feil under oppretting av ny fil: %1  (%2)").arg(path).arg(code));
        return false;
    }
    mode_ = Mode::Creating;
    writeFailed_ = false;
    lastIoError_ = 0;
    return true;
}

bool TextFile::Close() {
    bool ok = true;
    int code = 0;
    if (mode_ == Mode::Appending && append_) {
        ok = append_->flush() && !writeFailed_;
        if (!ok) code = ErrorCode(*append_);
        append_->close();
        append_.reset();
    } else if (mode_ == Mode::Creating && create_) {
        errno = 0;
        if (writeFailed_) create_->cancelWriting();
        ok = create_->commit() && !writeFailed_;
        if (!ok) code = ErrorCode(*create_);
        create_.reset();
    } else if (mode_ == Mode::Closed) {
        ok = false;
        code = EBADF;
    }
    mode_ = Mode::Closed;
    lines_.clear();
    if (!ok) {
        Fail(code ? code : EIO, QStringLiteral("Feil under lukking av fil"));
        return false;
    }
    lastIoError_ = 0;
    return true;
}

bool TextFile::AtEnd() const { return mode_ != Mode::Reading || next_ >= lines_.size(); }

QString TextFile::ReadLine() {
    if (mode_ != Mode::Reading || next_ >= lines_.size()) {
        Fail(mode_ == Mode::Reading ? EIO : EBADF, QStringLiteral("Lesefeil i tekstfil "));
        if (AppContext::HasCurrent()) Ctx().log().WriteLog(QStringLiteral("Lesefeil i tekstfil."));
        return QString();
    }
    lastIoError_ = 0;
    return TrimBlanks(lines_.at(next_++));
}

bool TextFile::WriteLine(const QString& line) {
    QFileDevice* device = mode_ == Mode::Appending  ? static_cast<QFileDevice*>(append_.get())
                          : mode_ == Mode::Creating ? static_cast<QFileDevice*>(create_.get())
                                                    : nullptr;
    const QByteArray bytes = Encode(line) + '\n';
    errno = 0;
    if (!device || device->write(bytes) != bytes.size()) {
        writeFailed_ = device != nullptr;
        Fail(device ? ErrorCode(*device) : EBADF, QString());
        return false;
    }
    lastIoError_ = 0;
    return true;
}

bool AppendLineToFile(const QString& path, const QString& line, TextFile::Encoding encoding) {
    TextFile file;
    file.SetEncoding(encoding);
    if (!file.OpenForAppending(path)) return false;
    const bool written = file.WriteLine(line);
    return file.Close() && written;
}

#include "data/tools/SqlScript.h"

#include <QFile>

#include "db/Connection.h"
#include "platform/TextEncoding.h"

namespace sqltools {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
}  // namespace

void StatementSplitter::MarkContent() {
    if (hasContent_) return;
    hasContent_ = true;
    startLine_ = line_;
}

void StatementSplitter::Add(char c, bool content) {
    if (content) MarkContent();
    statement_ += c;
}

bool StatementSplitter::Emit() {
    bool go = true;
    if (hasContent_) go = sink_(statement_, startLine_);
    statement_.clear();
    hasContent_ = false;
    return go;
}

bool StatementSplitter::Feed(const QByteArray& bytes) {
    for (const char c : bytes) {
        if (!Step(c)) return false;
        if (c == '\n') ++line_;
    }
    return true;
}

bool StatementSplitter::Finish() {
    // A lone "-" or "/" at the very end is text.
    if (state_ == State::Dash || state_ == State::DashDash || state_ == State::Slash) MarkContent();
    state_ = State::Normal;
    return Emit();
}

bool StatementSplitter::Step(char c) {
    switch (state_) {
        case State::Normal:
            break;
        case State::Dash:
            if (c == '-') {
                statement_ += c;
                state_ = State::DashDash;
                return true;
            }
            MarkContent();
            state_ = State::Normal;
            break;
        case State::DashDash:
            if (IsBlank(c)) {
                statement_ += c;
                state_ = c == '\n' ? State::Normal : State::LineComment;
                return true;
            }
            MarkContent();  // "--x" is two minus signs
            state_ = State::Normal;
            break;
        case State::Slash:
            if (c == '*') {
                statement_ += c;
                state_ = State::BlockStart;
                return true;
            }
            MarkContent();
            state_ = State::Normal;
            break;
        case State::LineComment:
            statement_ += c;
            if (c == '\n') state_ = State::Normal;
            return true;
        case State::BlockStart:
        case State::BlockStartM:
            // "/*!" and "/*M!" hold SQL that the server runs.
            if (c == '!') MarkContent();
            if (state_ == State::BlockStart && c == 'M') {
                statement_ += c;
                state_ = State::BlockStartM;
                return true;
            }
            state_ = State::BlockComment;
            [[fallthrough]];
        case State::BlockComment:
            statement_ += c;
            if (c == '*') state_ = State::BlockStar;
            return true;
        case State::BlockStar:
            statement_ += c;
            state_ = c == '/' ? State::Normal : c == '*' ? State::BlockStar : State::BlockComment;
            return true;
        case State::Quoted:
            statement_ += c;
            if (c == '\\' && quote_ != '`')
                state_ = State::QuotedEscape;
            else if (c == quote_)
                state_ = State::QuotedEnd;
            return true;
        case State::QuotedEscape:
            statement_ += c;
            state_ = State::Quoted;
            return true;
        case State::QuotedEnd:
            if (c == quote_) {  // a doubled quote stays inside
                statement_ += c;
                state_ = State::Quoted;
                return true;
            }
            state_ = State::Normal;
            break;
    }
    // Normal text.
    switch (c) {
        case ';':
            return Emit();
        case '\'':
        case '"':
        case '`':
            Add(c, true);
            quote_ = c;
            state_ = State::Quoted;
            return true;
        case '-':
            statement_ += c;
            state_ = State::Dash;
            return true;
        case '/':
            statement_ += c;
            state_ = State::Slash;
            return true;
        case '#':
            statement_ += c;
            state_ = State::LineComment;
            return true;
        default:
            Add(c, !IsBlank(c));
            return true;
    }
}

ScriptReport RunScriptFile(Connection& db, const QString& path) {
    ScriptReport report;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        report.error =
            QStringLiteral("kan ikke lese ") + path + QStringLiteral(": ") + file.errorString();
        return report;
    }
    bool failed = false;
    StatementSplitter splitter([&](const QByteArray& statement, qint64 line) {
        const bool ok = platform::IsValidUtf8(statement)
                            ? db.ExecUtf8(statement)
                            : db.Exec(platform::DecodeWindows1252(statement));
        if (!ok) {
            report.error = QStringLiteral("linje %1: %2").arg(line).arg(db.LastError());
            failed = true;
            return false;
        }
        ++report.statements;
        return true;
    });
    constexpr qint64 kChunk = 256 * 1024;
    bool go = true;
    while (go && !file.atEnd()) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError) {
            report.error =
                QStringLiteral("kan ikke lese ") + path + QStringLiteral(": ") + file.errorString();
            failed = true;
            break;
        }
        go = splitter.Feed(chunk);
    }
    if (go && !failed) splitter.Finish();
    if (failed) {
        // A backup script stopped half-way leaves its own session settings behind.
        db.Exec(QStringLiteral(
            "SET SESSION sql_mode = IFNULL(@varlokken_sql_mode, @@SESSION.sql_mode),"
            " SESSION time_zone = IFNULL(@varlokken_time_zone, @@SESSION.time_zone),"
            " SESSION foreign_key_checks = IFNULL(@varlokken_foreign_key_checks, "
            "@@SESSION.foreign_key_checks),"
            " SESSION unique_checks = IFNULL(@varlokken_unique_checks, @@SESSION.unique_checks)"));
        return report;
    }
    report.ok = true;
    return report;
}

}  // namespace sqltools

#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>

class Connection;

namespace sqltools {

// Cuts an SQL script into its statements while it is read in pieces. A ";" ends a
// statement only outside quoted texts ('...', "...", with backslash escapes and doubled
// quotes), quoted names (`...`) and comments ("-- ", "#" to the end of the line, /* ... */).
// Comments stay in the statement text (the server reads /*! ... */ as SQL); a piece that
// holds nothing but blanks and comments is no statement.
class StatementSplitter {
  public:
    // Receives each statement (without its ";") and the line it starts on; false stops.
    using Sink = std::function<bool(const QByteArray& statement, qint64 line)>;

    explicit StatementSplitter(Sink sink) : sink_(std::move(sink)) {}

    // False when the sink stopped.
    bool Feed(const QByteArray& bytes);
    // The last statement when the script does not end with ";".
    bool Finish();

  private:
    enum class State {
        Normal,
        Dash,      // "-" seen
        DashDash,  // "--" seen: a comment when a blank follows
        Slash,     // "/" seen
        LineComment,
        BlockStart,   // "/*" seen
        BlockStartM,  // "/*M" seen
        BlockComment,
        BlockStar,  // "*" inside a block comment
        Quoted,
        QuotedEscape,  // after a backslash inside quotes
        QuotedEnd,     // the quote seen: doubled, or the end
    };
    bool Step(char c);
    bool Emit();
    void Add(char c, bool content);
    void MarkContent();

    Sink sink_;
    State state_ = State::Normal;
    char quote_ = 0;
    QByteArray statement_;
    bool hasContent_ = false;
    qint64 line_ = 1;
    qint64 startLine_ = 1;
};

// What running a script did.
struct ScriptReport {
    bool ok = false;
    QString error;          // "linje <n>: <server's text>", or why the file could not be read
    qint64 statements = 0;  // statements that ran
};

// Runs the statements of an SQL file one after the other on the connection, reading the
// file in pieces (a backup of any size). Stops at the first failing statement: the ones
// before it stay done. Statements in Windows-1252 (older workstations) are read as such.
// After a failure the session settings a backup script changes are put back.
ScriptReport RunScriptFile(Connection& db, const QString& path);

}  // namespace sqltools

#pragma once

#include <QString>

// The SQL text as it may be logged: the literal after each "PASSWORD(" and after each
// "IDENTIFIED BY" (with or without a following PASSWORD keyword) reads '***'. Keywords
// match without regard to case and with any blanks between them; a literal without its
// closing quote is hidden to the end of the text.
QString RedactPasswords(const QString& sql);

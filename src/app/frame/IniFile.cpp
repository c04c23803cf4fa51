#include "app/frame/IniFile.h"

#include <QFile>
#include <iterator>

#include "platform/AtomicFile.h"
#include "platform/TextEncoding.h"

namespace {
bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }
}  // namespace

void IniFile::Clear() {
    sections_.clear();
    crlf_ = false;
    bom_ = false;
    modified_ = false;
}

bool IniFile::Load(const QString& path) {
    Clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    Parse(file.readAll());
    return true;
}

void IniFile::Parse(const QByteArray& bytes) {
    Clear();
    const QString text = platform::DecodeText(bytes, &bom_);
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    crlf_ = firstBreak > 0 && text.at(firstBreak - 1) == QLatin1Char('\r');

    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();  // the final line break

    Section* section = nullptr;
    for (QString raw : lines) {
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        const QString trimmed = raw.trimmed();
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (trimmed.startsWith(QLatin1Char('[')) && close > 0) {
            const QString name = trimmed.mid(1, close - 1).trimmed();
            section = FindSection(name);
            if (!section) {
                sections_.push_back(Section{name, true, raw, {}});
                section = &sections_.back();
            }
            continue;  // a repeated header is merged into the first section of that name
        }
        if (!section) {
            sections_.push_back(Section{QString(), false, QString(), {}});
            section = &sections_.back();
        }
        Line line;
        line.raw = raw;
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        if (eq > 0 && !trimmed.startsWith(QLatin1Char(';'))) {
            line.key = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
        }
        section->lines.push_back(line);
    }
}

QByteArray IniFile::ToBytes() const {
    const QString eol = crlf_ ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const Section& section : sections_) {
        if (section.hasHeader) text += section.headerRaw + eol;
        for (const Line& line : section.lines) text += line.raw + eol;
    }
    QByteArray bytes = text.toUtf8();
    if (bom_) bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

bool IniFile::Save(const QString& path, QString* error) const {
    return platform::WriteFileAtomic(path, ToBytes(), error);
}

IniFile::Section* IniFile::FindSection(const QString& name) {
    for (Section& section : sections_) {
        if (section.hasHeader && SameName(section.name, name)) return &section;
    }
    return nullptr;
}

const IniFile::Section* IniFile::FindSection(const QString& name) const {
    return const_cast<IniFile*>(this)->FindSection(name);
}

const IniFile::Line* IniFile::FindLine(const Section& section, const QString& key) {
    for (const Line& line : section.lines) {
        if (!line.key.isEmpty() && SameName(line.key, key)) return &line;
    }
    return nullptr;
}

bool IniFile::HasKey(const QString& section, const QString& key) const {
    const Section* s = FindSection(section);
    return s && FindLine(*s, key);
}

QString IniFile::Value(const QString& section, const QString& key) const {
    const Section* s = FindSection(section);
    if (!s) return QString();
    const Line* line = FindLine(*s, key);
    return line ? line->value : QString();
}

void IniFile::SetValue(const QString& section, const QString& key, const QString& value) {
    // Keys and values are one line each: a line break would split the key.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString cleanKey = key.trimmed();
    if (cleanKey.isEmpty()) return;

    Section* s = FindSection(section);
    if (!s) {
        // A new section after a blank line, like the ones written before it.
        if (!sections_.empty() && !sections_.back().lines.empty() &&
            !sections_.back().lines.back().raw.trimmed().isEmpty()) {
            sections_.back().lines.push_back(Line{});
        }
        sections_.push_back(
            Section{section, true, QLatin1Char('[') + section + QLatin1Char(']'), {}});
        s = &sections_.back();
    }
    if (Line* line = const_cast<Line*>(FindLine(*s, cleanKey))) {
        if (line->value == clean) return;
        modified_ = true;
        line->value = clean;
        line->raw = line->key + QLatin1Char('=') + clean;
        return;
    }
    modified_ = true;
    // New keys go after the last key line, before trailing blank lines.
    auto at = s->lines.end();
    while (at != s->lines.begin() && std::prev(at)->raw.trimmed().isEmpty()) --at;
    s->lines.insert(at, Line{cleanKey, clean, cleanKey + QLatin1Char('=') + clean});
}

bool IniFile::RemoveKey(const QString& section, const QString& key) {
    Section* s = FindSection(section);
    if (!s) return false;
    bool removed = false;
    for (auto it = s->lines.begin(); it != s->lines.end();) {
        if (!it->key.isEmpty() && SameName(it->key, key)) {
            it = s->lines.erase(it);
            removed = modified_ = true;
        } else {
            ++it;
        }
    }
    return removed;
}

bool IniFile::HasSection(const QString& section) const { return FindSection(section) != nullptr; }

QStringList IniFile::SectionNames() const {
    QStringList names;
    for (const Section& section : sections_) {
        if (section.hasHeader) names << section.name;
    }
    return names;
}

QStringList IniFile::Keys(const QString& section) const {
    QStringList keys;
    const Section* s = FindSection(section);
    if (!s) return keys;
    for (const Line& line : s->lines) {
        if (line.key.isEmpty()) continue;
        bool seen = false;
        for (const QString& k : keys) seen = seen || SameName(k, line.key);
        if (!seen) keys << line.key;
    }
    return keys;
}

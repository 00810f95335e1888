#include "core/common/itemref.h"

#include <QStringList>

#include <array>

namespace {

const QString kCDPrefix = QStringLiteral("[CDID=");

struct ValueSpan {
    qsizetype keyPos = -1;  // 0-based position of the key
    qsizetype start = -1;   // 0-based position of the raw value
    qsizetype end = -1;     // 0-based position of the delimiter after it (may be the text's size)
};

qsizetype countQuotes(QStringView text) {
    return text.count(u'"');
}

// Whether "=" comes next, after any blanks: "L1" or "LENGTH=" is no "L" key.
bool isFollowedByEquals(const QString& ref, qsizetype at) {
    while (at < ref.size() && ref.at(at) == u' ') {
        ++at;
    }
    return at < ref.size() && ref.at(at) == u'=';
}

// An occurrence of the key counts only when it starts a pair (after "[", a blank or ",") and stands
// outside every quoted value. An occurrence that does not count reads as blanks from then on, so an
// occurrence right behind it counts as starting a pair.
qsizetype findKey(const QString& ref, const QString& key) {
    if (key.isEmpty()) {
        return -1;
    }
    qsizetype quotes = 0;
    qsizetype counted = 0;  // quotes counted up to here
    qsizetype rejectedEnd = -1;
    for (qsizetype p = ref.indexOf(key); p >= 0; p = ref.indexOf(key, p + key.size())) {
        const QChar before = p > 0 ? ref.at(p - 1) : QChar();
        const bool startsPair =
            before == u'[' || before == u' ' || before == u',' || (p > 0 && p == rejectedEnd);
        quotes += countQuotes(QStringView(ref).mid(counted, p - counted));
        counted = p;
        if (startsPair && quotes % 2 == 0 && isFollowedByEquals(ref, p + key.size())) {
            return p;
        }
        rejectedEnd = p + key.size();
    }
    return -1;
}

// The first "]" at or after from that is not inside a quoted value: the end of the reference, as
// paths may contain brackets.
qsizetype closingBracket(const QString& ref, qsizetype from = 0) {
    qsizetype quotes = countQuotes(QStringView(ref).left(from));
    for (qsizetype bracket = ref.indexOf(u']', from); bracket >= 0; bracket = ref.indexOf(u']', from)) {
        quotes += countQuotes(QStringView(ref).mid(from, bracket - from));
        if (quotes % 2 == 0) {
            return bracket;
        }
        from = bracket + 1;
    }
    return -1;
}

ValueSpan findValue(const QString& ref, const QString& key) {
    ValueSpan span;
    const qsizetype p = findKey(ref, key);
    if (p < 0) {
        return span;
    }
    const qsizetype eq = ref.indexOf(u'=', p);
    if (eq < 0) {
        return span;
    }
    const qsizetype start = eq + 1;
    qsizetype scanFrom = p;
    if (start < ref.size() && ref.at(start) == u'"') {
        const qsizetype close = ref.indexOf(u'"', start + 1);
        if (close >= 0) {
            scanFrom = close - 1;
        }
    }
    qsizetype delimiter = ref.indexOf(u',', scanFrom);
    // A comma in text after the reference does not end a value inside it: writing a length into
    // such a line would otherwise eat the text up to that comma.
    const qsizetype anyBracket = ref.indexOf(u']', scanFrom);
    if (delimiter >= 0 && anyBracket >= 0 && anyBracket < delimiter) {
        const qsizetype end = closingBracket(ref, scanFrom);
        if (end >= 0 && end < delimiter) {
            delimiter = end;
        }
    }
    if (delimiter < 0) {
        delimiter = ref.indexOf(u']', scanFrom);
    }
    if (delimiter < 0) {
        delimiter = ref.size();
    }
    span.keyPos = p;
    span.start = start;
    span.end = std::max(delimiter, start);
    return span;
}

bool matchesAt(const QString& text, qsizetype at, const char16_t* pattern, qsizetype length) {
    if (at < 0 || at + length > text.size()) {
        return false;
    }
    for (qsizetype i = 0; i < length; ++i) {
        if (text.at(at + i).unicode() != pattern[i]) {
            return false;
        }
    }
    return true;
}

// Tidies the separator left where a pair was cut out, looking only at the cut so that the same
// characters inside a path are never touched.
QString tidySeparators(QString text, qsizetype cut) {
    struct Rule {
        const char16_t* from;
        qsizetype length;
        QChar to;
    };
    static constexpr Rule rules[] = {{u", ]", 3, u']'}, {u",]", 2, u']'}, {u"[, ", 3, u'['}, {u", ,", 3, u','}};
    // The cut leaves one separator behind; only that one goes, so that a separator the line had
    // before ("[FILE="x",]") is still there when the pair is written and removed again.
    for (const Rule& rule : rules) {
        // An occurrence that touches the cut starts at most its length before it.
        for (qsizetype at = std::max<qsizetype>(0, cut - rule.length); at <= cut; ++at) {
            if (matchesAt(text, at, rule.from, rule.length)) {
                return text.replace(at, rule.length, &rule.to, 1);
            }
        }
    }
    return text;
}

bool isWindowsAbsolutePath(const QString& text) {
    return text.size() >= 3 && text.at(1) == u':' && text.at(2) == u'\\';
}

}  // namespace

bool IsCDItem(const QString& ref) {
    return ref.startsWith(kCDPrefix, Qt::CaseSensitive);
}

int FindText(const QString& text, const QString& sought) {
    if (text.isEmpty() || sought.isEmpty()) {
        return -1;
    }
    const qsizetype i = text.indexOf(sought, 0, Qt::CaseSensitive);
    return i < 0 ? -1 : static_cast<int>(i + 1);
}

QString NormalizeItem(const QString& text) {
    QString result = text;
    const bool barePath = isWindowsAbsolutePath(text) || text.startsWith(u'/');
    if (barePath && IsStorablePath(text)) {
        result = MakeFileItem(text);
    }
    // The old track key "T#" becomes "T"; the "#" that goes is the key's own, not the first one of
    // the line, and none is left behind, so that normalising again changes nothing.
    if (result.startsWith(kCDPrefix)) {
        for (qsizetype at = result.indexOf(QStringLiteral("T#")); at >= 0; at = result.indexOf(QStringLiteral("T#"), at)) {
            result.remove(at + 1, 1);
        }
    }
    return result;
}

int FindItemValue(const QString& ref, const QString& key, int which) {
    const ValueSpan span = findValue(ref, key);
    if (span.keyPos < 0) {
        return -1;
    }
    return static_cast<int>(which == 1 ? span.start + 1 : span.end + 2);
}

QString GetItemValue(const QString& ref, const QString& key) {
    const QString item = NormalizeItem(ref);
    const ValueSpan span = findValue(item, key);
    if (span.keyPos < 0) {
        return item;
    }
    QString raw = item.mid(span.start, span.end - span.start);
    if (!raw.contains(u' ')) {
        if (raw.startsWith(u'"')) {
            raw.remove(0, 1);
        }
        if (raw.endsWith(u'"')) {
            raw.chop(1);
        }
        return raw;
    }
    if (raw.size() >= 2 && raw.startsWith(u'"') && raw.endsWith(u'"')) {
        return raw.mid(1, raw.size() - 2);
    }
    return {};
}

QString SetItemValue(const QString& ref, const QString& key, const QString& value) {
    const QString item = NormalizeItem(ref);
    QString result = item;
    if (findValue(result, key).keyPos < 0) {
        const qsizetype bracket = closingBracket(result);
        if (bracket < 0) {
            return item;  // not a reference that can hold pairs: leave the line as it is
        }
        if (result.contains(u'=') && result.indexOf(u',', bracket) < 0) {
            // The usual case, a well-formed reference: the new pair goes last, built in one piece.
            QString stored;
            stored.reserve(item.size() + key.size() + value.size() + 3);
            stored.append(QStringView(item).left(bracket)).append(QStringLiteral(", ")).append(key);
            stored.append(u'=').append(value).append(QStringView(item).mid(bracket));
            return stored;
        }
        const QString pair = result.contains(u'=') ? QStringLiteral(", ") + key + u'=' : key + u'=';
        result.insert(bracket, pair);
    }
    const ValueSpan span = findValue(result, key);
    if (span.keyPos < 0) {
        return item;
    }
    result.replace(span.start, span.end - span.start, value);
    return result;
}

QString RemoveItemValue(const QString& ref, const QString& key) {
    QString item = NormalizeItem(ref);
    const ValueSpan span = findValue(item, key);
    if (span.keyPos < 0) {
        return item;
    }
    item.remove(span.keyPos, span.end - span.keyPos);
    return tidySeparators(item, span.keyPos);
}

ItemKindValue ItemKind(const QString& ref) {
    if (IsCDItem(ref)) {
        return ItemKindValue::CDTrack;
    }
    const QString file = GetItemValue(ref, QStringLiteral("FILE"));
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot < 0) {
        return ItemKindValue::Unknown;
    }
    const QString ext = file.mid(dot).toLower();
    static const QStringList sequencer = {
        QStringLiteral(".mid"), QStringLiteral(".rmi"), QStringLiteral(".mod"), QStringLiteral(".nst"),
        QStringLiteral(".wow"), QStringLiteral(".okt"), QStringLiteral(".stm"), QStringLiteral(".s3m"),
        QStringLiteral(".669"), QStringLiteral(".far"), QStringLiteral(".mtm"), QStringLiteral(".xm"),
        QStringLiteral(".mp1"), QStringLiteral(".mp2"), QStringLiteral(".mp3")};
    static const QStringList movie = {QStringLiteral(".avi"), QStringLiteral(".mov"), QStringLiteral(".qt"),
                                      QStringLiteral(".fli"), QStringLiteral(".flc"), QStringLiteral(".mpg"),
                                      QStringLiteral(".dat")};
    static const QStringList wave = {QStringLiteral(".wav"), QStringLiteral(".au"),   QStringLiteral(".snd"),
                                     QStringLiteral(".aif"), QStringLiteral(".aiff"), QStringLiteral(".aifc")};
    if (sequencer.contains(ext)) {
        return ItemKindValue::Sequencer;
    }
    if (movie.contains(ext)) {
        return ItemKindValue::Movie;
    }
    if (wave.contains(ext)) {
        return ItemKindValue::Wave;
    }
    return ItemKindValue::Unknown;
}

QString MakeFileItem(const QString& path) {
    return QStringLiteral("[FILE=\"") + path + QStringLiteral("\"]");
}

QString MakeCDItem(qint32 cdid, int track) {
    return kCDPrefix + QString::number(cdid) + QStringLiteral(", T=") + QString::number(track) + u']';
}

QString ItemIdentity(const QString& ref) {
    if (IsCDItem(ref)) {
        bool discRead = false;
        bool trackRead = false;
        const qint32 disc = GetItemValue(ref, QStringLiteral("CDID")).toInt(&discRead);
        const int track = GetItemValue(ref, QStringLiteral("T")).toInt(&trackRead);
        if (discRead && trackRead) {
            return MakeCDItem(disc, track);
        }
    }
    return ref;
}

bool SameItem(const QString& a, const QString& b) {
    return a == b || (IsCDItem(a) && IsCDItem(b) && ItemIdentity(a) == ItemIdentity(b));
}

bool IsItemReference(const QString& text) {
    const QString item = NormalizeItem(text);
    if (!item.startsWith(u'[') || closingBracket(item) < 0) {
        return false;
    }
    return IsCDItem(item) || findKey(item, QStringLiteral("FILE")) >= 0;
}

bool IsStorablePath(const QString& path) {
    return !path.contains(u'"') && !path.contains(u'\r') && !path.contains(u'\n');
}

QString WithoutLength(const QString& storedRef) {
    const QString key = QStringLiteral("L");
    QString ref = RemoveItemValue(storedRef, key);
    // Each removal shortens the text, so this ends.
    while (findKey(ref, key) >= 0) {
        ref = RemoveItemValue(ref, key);
    }
    // A bare path whose quotation mark went with the pair is now a path a reference can hold.
    return NormalizeItem(ref);
}

std::optional<qint64> StoredLength(const QString& storedRef) {
    const QString key = QStringLiteral("L");
    QString item = NormalizeItem(storedRef);
    // Without an L pair the line holds no length, however much of it looks like a number.
    std::optional<qint64> firstNumber;
    // Each pair read is cut out, so this ends.
    while (findValue(item, key).keyPos >= 0) {
        bool ok = false;
        const qint64 length = GetItemValue(item, key).toLongLong(&ok);
        if (ok && length > 0) {
            return length;
        }
        if (ok && !firstNumber) {
            firstNumber = length;
        }
        item = RemoveItemValue(item, key);
    }
    return firstNumber;
}

qint64 ItemLengthValue(const QString& storedRef) {
    return StoredLength(storedRef).value_or(0);
}

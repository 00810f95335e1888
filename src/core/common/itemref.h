#pragma once

#include <QString>

#include <optional>

// Item references: the one-line text that names a Play List entry, e.g. [FILE="/music/a.mid"] or
// [CDID=1234567, T=3]. Stored forms append ", L=<ms>". Positions returned here are 1-based, as the
// reference format has always been described with them; -1 means "not found".

enum class ItemKindValue { Unknown = 0, Sequencer = 1, Movie = 2, Wave = 3, CDTrack = 4 };

bool IsCDItem(const QString& ref);
int FindText(const QString& text, const QString& sought);
QString NormalizeItem(const QString& text);

// which = 1: position of the value's first character; which = 2: one past the delimiter ending it.
int FindItemValue(const QString& ref, const QString& key, int which);
QString GetItemValue(const QString& ref, const QString& key);
QString SetItemValue(const QString& ref, const QString& key, const QString& value);
QString RemoveItemValue(const QString& ref, const QString& key);

ItemKindValue ItemKind(const QString& ref);

QString MakeFileItem(const QString& path);
QString MakeCDItem(qint32 cdid, int track);

// The key two references are the same item by, to compare or hash: the reference as it is written
// (two paths that differ in letter case are two files), and for a CD track its disc and track number.
QString ItemIdentity(const QString& ref);
bool SameItem(const QString& a, const QString& b);

// Whether a line of a Play List reads as an item reference, a file item or a CD-track item that can
// hold pairs; any other line is kept as it stands and holds no length.
bool IsItemReference(const QString& text);

// A path can be stored in [FILE="..."] only when it holds no quotation mark and no line break;
// anything else would read back as a different reference.
bool IsStorablePath(const QString& path);

// The reference without its L pairs: a line stored by hand may hold more than one, and none of them
// belongs to the item.
QString WithoutLength(const QString& storedRef);
// The stored length of a reference: the value of its L pair when that is a number, else nothing. Of
// several L pairs the first known length (above 0) counts, else the first number.
std::optional<qint64> StoredLength(const QString& storedRef);
// The same with 0 for nothing.
qint64 ItemLengthValue(const QString& storedRef);

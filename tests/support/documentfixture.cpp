#include "support/documentfixture.h"

#include "core/common/textfile.h"

QByteArray playListBytes(const QStringList& lines) {
    return TextFile::encode(TextFile::joinLines(lines));
}

#include "core/files/filetypes.h"

namespace {

const FilterGroup& mediaGroupFilter(int group) {
    return kFilterGroups.at(static_cast<size_t>(kFirstMediaGroupFilter + group));
}

}  // namespace

QString MediaGroupName(int group) {
    return QString::fromLatin1(mediaGroupFilter(group).name);
}

QStringList MediaGroupExtensions(int group) {
    QStringList extensions;
    for (const QString& pattern :
         QString::fromLatin1(mediaGroupFilter(group).mask).split(u';', Qt::SkipEmptyParts)) {
        extensions.append(pattern.mid(2));  // after "*."
    }
    return extensions;
}

int MediaGroupOfExtension(const QString& extension) {
    const QString wanted = extension.toLower();
    for (int group = 0; group < kMediaGroupCount; ++group) {
        if (MediaGroupExtensions(group).contains(wanted)) {
            return group;
        }
    }
    return -1;
}

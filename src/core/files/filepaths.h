#pragma once

#include <QString>

// Path pieces of the file dialogs. Paths are absolute with "/"; the extension belongs to the name after
// the last "/" only, and a leading dot (a hidden file) is none.
namespace FilePaths {

// folder + "/" + name with exactly one separator between them, also at the root.
QString Join(const QString& folder, const QString& name);
QString FileName(const QString& path);
// The folder part of a path, without a trailing "/" except for the root.
QString Folder(const QString& path);
// ".mid" of "/a/b.mid"; empty for "/a.b/c" and "/a/.hidden".
QString Extension(const QString& path);
// The path without the extension of its name.
QString WithoutExtension(const QString& path);
// The same path with another extension, or with one added when it had none.
QString ChangeExtension(const QString& path, const QString& extension);
// A folder as the dialogs keep it: cleaned, no trailing "/" except the root.
QString CleanFolder(const QString& folder);

}  // namespace FilePaths

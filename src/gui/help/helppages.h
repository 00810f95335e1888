#pragma once

#include "core/help/helpindex.h"

// Reads the help pages into the keyword index. A topic starts at a heading that holds an
// <a name="...">; its text runs to the next such heading. Text before a page's first topic belongs to
// none, and a heading without an anchor is text of the topic above it.
namespace HelpPages {

// Every ".html" page of a folder, as UTF-8: "index.html" first, the others by file name.
HelpIndex read(const QString& folder);
void add(HelpIndex& index, const QString& page, const QString& html);

}  // namespace HelpPages

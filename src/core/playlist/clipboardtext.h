#pragma once

#include "core/playlist/playlist.h"

#include <QString>

#include <functional>
#include <vector>

// The Play List's lines on the clipboard: one reference per line, with ", L=<ms>" when the length is
// known. Pasted text comes from any program, so each line is checked before it becomes an item.
namespace ClipboardText {

// The text Copy puts on the clipboard.
QString compose(const std::vector<PlayListEntry>& entries);

// The items Paste takes from clipboard text: CD items, and references whose file exists; the others
// are skipped. A line without a numeric L value gets length -1 (not known).
std::vector<PlayListEntry> parse(const QString& text, const std::function<bool(const QString&)>& fileExists);

}  // namespace ClipboardText

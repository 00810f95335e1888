#pragma once

#include <QStringList>

// A list items come from into the Play List (the File List or the CD Audio List): the item references
// of its selected lines, or of all its lines, in list order.
class ItemSource {
public:
    virtual ~ItemSource() = default;
    virtual bool isVisible() const = 0;
    virtual QStringList selectedItems() const = 0;
    virtual QStringList allItems() const = 0;
};

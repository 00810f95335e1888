#pragma once

#include "core/common/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

// The desktop's clipboard.
class QtClipboard : public Clipboard {
public:
    QString text() const override { return QGuiApplication::clipboard()->text(); }
    void setText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
};

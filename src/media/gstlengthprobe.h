#pragma once

#include "core/ports/lengthprobe.h"

#include <gst/pbutils/gstdiscoverer.h>

// Lengths of files without playing them: one GStreamer discoverer, kept for the whole run, reads each
// file's headers (and as little of its stream as it needs) and reports the duration.
class GstLengthProbe : public LengthProbe {
public:
    // A file that takes longer than this to identify counts as one that cannot be opened.
    static constexpr int kTimeoutSeconds = 10;

    GstLengthProbe();
    ~GstLengthProbe() override;
    GstLengthProbe(const GstLengthProbe&) = delete;
    GstLengthProbe& operator=(const GstLengthProbe&) = delete;

    qint64 measure(const QString& path, QString* error) override;

private:
    bool ensureDiscoverer();
    qint64 measureHere(const QString& path, QString* error);

    GstDiscoverer* m_discoverer = nullptr;
    QString m_setupError;
};

#include "media/gstlengthprobe.h"

#include "media/gstmediadevice.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString takeMessage(GError* error) {
    const QString text = error && error->message ? QString::fromUtf8(error->message) : QString();
    if (error) {
        g_error_free(error);
    }
    return text;
}

QString failureOf(GstDiscovererInfo* info, const QString& message) {
    switch (gst_discoverer_info_get_result(info)) {
        case GST_DISCOVERER_TIMEOUT:
            return QStringLiteral("The file could not be opened within %1 seconds.").arg(GstLengthProbe::kTimeoutSeconds);
        case GST_DISCOVERER_MISSING_PLUGINS:
            return QStringLiteral("No GStreamer plugin installed here can read this file.");
        default:
            return message.isEmpty() ? QStringLiteral("The file could not be read.") : message;
    }
}

}  // namespace

GstLengthProbe::GstLengthProbe() {
    GstMediaDevice::initialise();
    GError* error = nullptr;
    m_discoverer = gst_discoverer_new(static_cast<GstClockTime>(kTimeoutSeconds) * GST_SECOND, &error);
    if (!m_discoverer) {
        m_setupError = QStringLiteral("GStreamer's discoverer could not be created: %1").arg(takeMessage(error));
    }
}

GstLengthProbe::~GstLengthProbe() {
    if (m_discoverer) {
        g_object_unref(m_discoverer);
    }
}

qint64 GstLengthProbe::measure(const QString& path, QString* error) {
    if (!m_discoverer) {
        *error = m_setupError;
        return -1;
    }
    const QFileInfo file(path);
    if (!file.isFile()) {
        *error = QStringLiteral("The file \"%1\" was not found.").arg(path);
        return -1;
    }
    GError* uriError = nullptr;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(file.absoluteFilePath()).constData(), &uriError);
    if (!uri) {
        *error = takeMessage(uriError);
        return -1;
    }
    GError* discoverError = nullptr;
    GstDiscovererInfo* info = gst_discoverer_discover_uri(m_discoverer, uri, &discoverError);
    g_free(uri);
    const QString message = takeMessage(discoverError);
    if (!info) {
        *error = message.isEmpty() ? QStringLiteral("The file could not be read.") : message;
        return -1;
    }
    qint64 length = -1;
    if (gst_discoverer_info_get_result(info) == GST_DISCOVERER_OK) {
        const GstClockTime duration = gst_discoverer_info_get_duration(info);
        // A stream that does not say how long it is counts as length 0: known to be unknown.
        length = GST_CLOCK_TIME_IS_VALID(duration) ? static_cast<qint64>(duration / GST_MSECOND) : 0;
    } else {
        *error = failureOf(info, message);
    }
    gst_discoverer_info_unref(info);
    return length;
}

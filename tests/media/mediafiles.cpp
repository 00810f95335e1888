#include "mediafiles.h"

#include "core/ports/mediadevice.h"

#include <QByteArray>
#include <QFile>
#include <QEventLoop>
#include <QTimer>
#include <QtEndian>

#include <gst/gst.h>

#include <cmath>

namespace MediaFiles {
namespace {

constexpr int kRate = 22050;

QByteArray tone(double seconds, bool bigEndian) {
    const int samples = static_cast<int>(seconds * kRate);
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i) {
        const auto value = static_cast<qint16>(8000 * std::sin(2 * M_PI * 440 * i / kRate));
        if (bigEndian) {
            qToBigEndian(value, pcm.data() + i * 2);
        } else {
            qToLittleEndian(value, pcm.data() + i * 2);
        }
    }
    return pcm;
}

void appendLE(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void appendBE(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

QString save(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
    return path;
}

}  // namespace

QString wav(const QString& path, double seconds) {
    const QByteArray pcm = tone(seconds, false);
    QByteArray out("RIFF");
    appendLE(out, 36 + pcm.size(), 4);
    out.append("WAVEfmt ");
    appendLE(out, 16, 4);
    appendLE(out, 1, 2);  // PCM
    appendLE(out, 1, 2);  // mono
    appendLE(out, kRate, 4);
    appendLE(out, kRate * 2, 4);
    appendLE(out, 2, 2);
    appendLE(out, 16, 2);
    out.append("data");
    appendLE(out, pcm.size(), 4);
    return save(path, out + pcm);
}

QString au(const QString& path, double seconds) {
    const QByteArray pcm = tone(seconds, true);
    QByteArray out(".snd");
    appendBE(out, 24, 4);
    appendBE(out, pcm.size(), 4);
    appendBE(out, 3, 4);  // 16-bit linear PCM
    appendBE(out, kRate, 4);
    appendBE(out, 1, 4);
    return save(path, out + pcm);
}

QString midi(const QString& path) {
    // One track: tempo 120, a piano arpeggio of quarter notes, End of Track.
    QByteArray track;
    track.append("\x00\xFF\x51\x03\x07\xA1\x20", 7);
    track.append("\x00\xC0\x00", 3);
    const char notes[] = {60, 64, 67};
    for (char note : notes) {
        track.append('\x00').append('\x90').append(note).append('\x60');
        track.append("\x83\x60", 2).append('\x80').append(note).append('\x40');  // 480 ticks later
    }
    track.append("\x00\xFF\x2F\x00", 4);
    QByteArray out("MThd");
    appendBE(out, 6, 4);
    appendBE(out, 0, 2);
    appendBE(out, 1, 2);
    appendBE(out, 480, 2);
    out.append("MTrk");
    appendBE(out, track.size(), 4);
    return save(path, out + track);
}

QString manyTracksMidi(const QString& path, int tracks) {
    QByteArray out("MThd");
    appendBE(out, 6, 4);
    appendBE(out, 1, 2);
    appendBE(out, tracks, 2);
    appendBE(out, 480, 2);
    out.reserve(out.size() + tracks * 12);
    for (int track = 0; track < tracks; ++track) {
        out.append("MTrk\x00\x00\x00\x04\x00\xFF\x2F\x00", 12);  // End of Track alone
    }
    return save(path, out);
}

QString mod(const QString& path) {
    // A four-channel module: one sample of a square wave, one pattern that breaks after 16 rows.
    QByteArray out(20, '\0');
    out.replace(0, 4, "test");
    const int sampleWords = 64;
    for (int s = 0; s < 31; ++s) {
        QByteArray header(30, '\0');
        if (s == 0) {
            header.replace(0, 6, "square");
            header[22] = static_cast<char>(sampleWords >> 8);
            header[23] = static_cast<char>(sampleWords & 0xFF);
            header[25] = 64;  // volume
            header[29] = static_cast<char>(sampleWords);  // loop the whole sample
            header[28] = static_cast<char>(sampleWords >> 8);
        }
        out.append(header);
    }
    out.append('\x01').append('\x7F');
    QByteArray orders(128, '\0');
    out.append(orders).append("M.K.");
    QByteArray pattern(64 * 4 * 4, '\0');
    const int period = 428;  // C-2
    for (int row = 0; row < 16; row += 4) {
        char* cell = pattern.data() + row * 16;
        cell[0] = static_cast<char>(0x00 | ((period >> 8) & 0x0F));
        cell[1] = static_cast<char>(period & 0xFF);
        cell[2] = 0x10;  // sample 1
    }
    char* last = pattern.data() + 15 * 16 + 4;  // row 15, channel 2: pattern break
    last[2] = 0x0D;
    out.append(pattern);
    QByteArray sample(sampleWords * 2, '\0');
    for (int i = 0; i < sample.size(); ++i) {
        sample[i] = static_cast<char>(i % 16 < 8 ? 60 : -60);
    }
    return save(path, out + sample);
}

namespace {

QString runToFile(const QString& description, const QString& path) {
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
    if (!pipeline) {
        g_clear_error(&error);
        return {};
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool finished = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return finished ? path : QString();
}

}  // namespace

QString encodedWith(const QString& path, const QString& encoder, double seconds) {
    const int audioBuffers = static_cast<int>(seconds * 44100 / 1024);
    return runToFile(
        QStringLiteral("audiotestsrc num-buffers=%1 ! audioconvert ! %2 ! filesink location=\"%3\"")
            .arg(audioBuffers)
            .arg(encoder, path),
        path);
}

QString encoded(const QString& path, const QString& kind, double seconds) {
    const int audioBuffers = static_cast<int>(seconds * 44100 / 1024);  // audiotestsrc: 1024 samples at 44.1 kHz
    QString description;
    if (kind == QStringLiteral("aiff")) {
        description = QStringLiteral("audiotestsrc num-buffers=%1 ! audioconvert ! aiffmux ! filesink location=\"%2\"");
    } else if (kind == QStringLiteral("mp3")) {
        description = QStringLiteral("audiotestsrc num-buffers=%1 ! audioconvert ! lamemp3enc ! filesink location=\"%2\"");
    } else {
        description = QStringLiteral(
            "avimux name=mux ! filesink location=\"%2\" "
            "videotestsrc num-buffers=%3 ! video/x-raw,width=160,height=120,framerate=10/1 ! jpegenc ! mux. "
            "audiotestsrc num-buffers=%1 ! audioconvert ! audio/x-raw,format=S16LE ! mux.");
    }
    description = description.arg(audioBuffers).arg(path);
    if (kind == QStringLiteral("avi")) {
        description = description.arg(static_cast<int>(seconds * 10));
    }
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.toUtf8().constData(), &error);
    if (!pipeline) {
        g_clear_error(&error);
        return {};
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    if (message) {
        gst_message_unref(message);
    }
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return path;
}

namespace {

constexpr int kFrameBytes = 2352;  // 1/75 s of 16-bit stereo at 44.1 kHz
// Three audio tracks of 1 s, 1.5067 s and 2 s: starts 0, 1000 and 2506 ms, disc 4506 ms.
constexpr int kTrackFrames[] = {75, 113, 150};

QString msf(int frames) {
    return QStringLiteral("%1:%2:%3")
        .arg(frames / 4500, 2, 10, QLatin1Char('0'))
        .arg(frames / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(frames % 75, 2, 10, QLatin1Char('0'));
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

}  // namespace

QString makeImage(const QString& folder, DataTrack data, const QList<QByteArray>& titles) {
    QByteArray bin;
    const auto titleLine = [&](int index, const char* indent) {
        return index < titles.size() && !titles[index].isEmpty() ? indent + ("TITLE \"" + titles[index] + "\"\r\n")
                                                                  : QByteArray();
    };
    QByteArray cue = titleLine(0, "") + "FILE \"disc.bin\" BINARY\r\n";
    int frame = 0;
    int track = 1;
    const auto addTrack = [&](const char* kind, const QByteArray& sectors) {
        cue += QStringLiteral("  TRACK %1 %2\r\n").arg(track, 2, 10, QLatin1Char('0')).arg(QLatin1String(kind)).toLatin1();
        cue += titleLine(track++, "    ") + "    INDEX 01 " + msf(frame).toLatin1() + "\r\n";
        bin += sectors;
        frame += static_cast<int>(sectors.size() / kFrameBytes);
    };
    const QByteArray dataSectors(150 * kFrameBytes, '\x5a');
    if (data == DataTrack::First) {
        addTrack("MODE1/2352", dataSectors);
    }
    for (const int frames : kTrackFrames) {
        QByteArray pcm(frames * kFrameBytes, '\0');
        for (int i = 0; i < pcm.size(); i += 2) {
            pcm[i + 1] = static_cast<char>((i / 200) % 16);  // a quiet saw tooth
        }
        addTrack("AUDIO", pcm);
    }
    if (data == DataTrack::Last) {
        addTrack("MODE1/2352", dataSectors);
    }
    writeFile(folder + QStringLiteral("/disc.bin"), bin);
    return writeFile(folder + QStringLiteral("/disc.cue"), cue);
}


}  // namespace MediaFiles

bool OpenAndWait(MediaDevice& device, int limitMs) {
    // A real event loop, as the program's: it sleeps until the device's answer wakes it.
    QEventLoop loop;
    QObject::connect(&device, &MediaDevice::opened, &loop, &QEventLoop::quit);
    QObject::connect(&device, &MediaDevice::openFailed, &loop, &QEventLoop::quit);
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    device.beginOpen();
    if (device.isOpening()) {
        loop.exec();
    }
    return device.isOpen();
}

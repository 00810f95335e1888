// The sample MIDI files shipped in data/Samples: each must be a well-formed
// Standard MIDI File that any synthesizer plays from start to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#ifndef VELMARO_DATA_DIR
#error "VELMARO_DATA_DIR must name the data folder"
#endif

namespace {

// ---------------------------------------------------------------- SMF reader

struct SmfError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Event {
    std::uint32_t tick = 0;
    std::uint8_t status = 0;  // 0xFF meta, 0xF0/0xF7 sysex, otherwise a channel status
    std::uint8_t metaType = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;
    std::vector<std::uint8_t> payload;  // meta and sysex bytes

    bool isMeta(std::uint8_t type) const { return status == 0xFF && metaType == type; }
    int kind() const { return status & 0xF0; }
    int channel() const { return status & 0x0F; }
    bool isNoteOn() const { return kind() == 0x90 && data2 > 0; }
    bool isNoteOff() const { return kind() == 0x80 || (kind() == 0x90 && data2 == 0); }
};

struct Track {
    std::vector<Event> events;
};

struct Smf {
    int format = 0;
    int division = 0;  // ticks per quarter note
    std::vector<Track> tracks;
};

class Cursor {
public:
    Cursor(std::span<const std::uint8_t> bytes, std::size_t pos, std::size_t end)
        : bytes_(bytes), pos_(pos), end_(end) {}

    bool done() const { return pos_ >= end_; }
    std::size_t pos() const { return pos_; }

    std::uint8_t peek() const {
        need(1);
        return bytes_[pos_];
    }
    std::uint8_t byte() {
        need(1);
        return bytes_[pos_++];
    }
    std::uint32_t bigEndian(int n) {
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) {
            v = (v << 8) | byte();
        }
        return v;
    }
    std::uint32_t vlq() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80)) {
                return v;
            }
        }
        throw SmfError("variable-length quantity longer than four bytes");
    }
    std::uint8_t dataByte() {
        const std::uint8_t b = byte();
        if (b & 0x80) {
            throw SmfError("status byte where a data byte belongs");
        }
        return b;
    }
    std::vector<std::uint8_t> take(std::size_t n) {
        need(n);
        std::vector<std::uint8_t> out(bytes_.begin() + pos_, bytes_.begin() + pos_ + n);
        pos_ += n;
        return out;
    }
    std::string tag() {
        const auto b = take(4);
        return {b.begin(), b.end()};
    }

private:
    void need(std::size_t n) const {
        if (n > end_ - pos_) {
            throw SmfError("unexpected end of data");
        }
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t pos_;
    std::size_t end_;
};

Track parseTrack(Cursor c) {
    Track track;
    std::uint32_t tick = 0;
    std::uint8_t running = 0;
    while (!c.done()) {
        Event e;
        tick += c.vlq();
        e.tick = tick;
        std::uint8_t status = c.peek();
        if (status & 0x80) {
            c.byte();
        } else if (running) {
            status = running;
        } else {
            throw SmfError("data byte with no running status");
        }
        e.status = status;
        if (status == 0xFF) {
            e.metaType = c.dataByte();
            e.payload = c.take(c.vlq());
            running = 0;  // meta and sysex events cancel running status
        } else if (status == 0xF0 || status == 0xF7) {
            e.payload = c.take(c.vlq());
            running = 0;
        } else if (status >= 0xF0) {
            throw SmfError("system message inside a track");
        } else {
            e.data1 = c.dataByte();
            if (e.kind() != 0xC0 && e.kind() != 0xD0) {
                e.data2 = c.dataByte();
            }
            running = status;
        }
        track.events.push_back(std::move(e));
    }
    return track;
}

Smf parseSmf(std::span<const std::uint8_t> bytes) {
    Cursor c(bytes, 0, bytes.size());
    if (c.tag() != "MThd") {
        throw SmfError("not a MIDI file (no MThd)");
    }
    const std::uint32_t headerLength = c.bigEndian(4);
    if (headerLength < 6) {
        throw SmfError("header chunk too short");
    }
    Smf smf;
    smf.format = static_cast<int>(c.bigEndian(2));
    const std::uint32_t trackCount = c.bigEndian(2);
    smf.division = static_cast<int>(c.bigEndian(2));
    c.take(headerLength - 6);
    if (smf.format > 2) {
        throw SmfError("unknown format");
    }
    if (smf.division & 0x8000) {
        throw SmfError("SMPTE time division is not supported");
    }
    if (smf.division == 0) {
        throw SmfError("zero ticks per quarter note");
    }

    while (!c.done()) {
        const std::string id = c.tag();
        const std::uint32_t length = c.bigEndian(4);
        const std::size_t start = c.pos();
        c.take(length);  // bounds check; unknown chunk kinds are skipped
        if (id == "MTrk") {
            smf.tracks.push_back(parseTrack(Cursor(bytes, start, start + length)));
        }
    }
    if (smf.tracks.size() != trackCount) {
        throw SmfError("track count differs from the header");
    }
    if (smf.format == 0 && trackCount != 1) {
        throw SmfError("format 0 with more than one track");
    }
    return smf;
}

// ------------------------------------------------------------------ analysis

std::uint32_t lastTick(const Smf& smf) {
    std::uint32_t last = 0;
    for (const auto& t : smf.tracks) {
        if (!t.events.empty()) {
            last = std::max(last, t.events.back().tick);
        }
    }
    return last;
}

double secondsAt(const Smf& smf, std::uint32_t tick) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tempi;  // tick, microseconds per quarter
    for (const auto& t : smf.tracks) {
        for (const auto& e : t.events) {
            if (e.isMeta(0x51) && e.payload.size() == 3) {
                tempi.emplace_back(e.tick, (e.payload[0] << 16) | (e.payload[1] << 8) | e.payload[2]);
            }
        }
    }
    std::stable_sort(tempi.begin(), tempi.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    double micros = 0;
    std::uint32_t from = 0;
    std::uint32_t tempo = 500000;  // 120 beats per minute until told otherwise
    for (const auto& [at, value] : tempi) {
        if (at >= tick) {
            break;
        }
        micros += double(at - from) * tempo / smf.division;
        from = at;
        tempo = value;
    }
    micros += double(tick - from) * tempo / smf.division;
    return micros / 1e6;
}

double durationSeconds(const Smf& smf) {
    return secondsAt(smf, lastTick(smf));
}

struct NoteBalance {
    int unreleased = 0;  // note-ons never switched off
    int stray = 0;       // note-offs with no note sounding
};

NoteBalance balance(const Track& track) {
    NoteBalance result;
    std::map<int, int> sounding;  // channel * 128 + key -> notes on
    for (const auto& e : track.events) {
        const int key = e.channel() * 128 + e.data1;
        if (e.isNoteOn()) {
            ++sounding[key];
        } else if (e.isNoteOff()) {
            if (sounding[key] > 0) {
                --sounding[key];
            } else {
                ++result.stray;
            }
        }
    }
    for (const auto& [key, count] : sounding) {
        result.unreleased += count;
    }
    return result;
}

bool endsWithEndOfTrack(const Track& track) {
    const auto ends = std::count_if(track.events.begin(), track.events.end(),
                                    [](const Event& e) { return e.isMeta(0x2F); });
    return ends == 1 && track.events.back().isMeta(0x2F);
}

bool hasNotes(const Track& track) {
    return std::any_of(track.events.begin(), track.events.end(), [](const Event& e) { return e.isNoteOn(); });
}

// -------------------------------------------------- in-memory files for tests

using Bytes = std::vector<std::uint8_t>;

Bytes be32(std::uint32_t v) {
    return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

Bytes makeSmf(int format, const std::vector<Bytes>& tracks) {
    Bytes out{'M',  'T', 'h', 'd', 0, 0, 0, 6, 0, std::uint8_t(format), 0, std::uint8_t(tracks.size()),
              0x01, 0xE0};
    for (const auto& t : tracks) {
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        const Bytes length = be32(static_cast<std::uint32_t>(t.size()));
        out.insert(out.end(), length.begin(), length.end());
        out.insert(out.end(), t.begin(), t.end());
    }
    return out;
}

const Bytes kEndOfTrack{0x00, 0xFF, 0x2F, 0x00};

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// Tempo track: 120 bpm, then 60 bpm from tick 480, ending at tick 960.
const Bytes kTempoTrack = concat({
    {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
    {0x83, 0x60, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40},
    {0x83, 0x60, 0xFF, 0x2F, 0x00},
});

// Two notes struck together and released, the second of each pair by running
// status; a sysex in between; the last release is a real note-off.
const Bytes kNoteTrack = concat({
    {0x00, 0xFF, 0x03, 0x05, 'P', 'i', 'a', 'n', 'o'},
    {0x00, 0xC0, 0x00},
    {0x00, 0x90, 0x3C, 0x50},
    {0x00, 0x40, 0x50},
    {0x83, 0x60, 0x3C, 0x00},
    {0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7},
    {0x00, 0x80, 0x40, 0x40},
    kEndOfTrack,
});

Smf parseBytes(const Bytes& b) {
    return parseSmf(std::span<const std::uint8_t>(b));
}

TEST(SmfReader, ReadsRunningStatusSysexAndNoteOffs) {
    const Smf smf = parseBytes(makeSmf(1, {kTempoTrack, kNoteTrack}));
    ASSERT_EQ(smf.tracks.size(), 2u);
    const auto& events = smf.tracks[1].events;
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[3].status, 0x90);  // from running status
    EXPECT_EQ(events[3].data1, 0x40);
    EXPECT_EQ(events[4].tick, 480u);
    EXPECT_TRUE(events[4].isNoteOff());
    EXPECT_EQ(events[5].payload, (Bytes{0x7E, 0x7F, 0xF7}));
    EXPECT_TRUE(events[6].isNoteOff());
    const NoteBalance b = balance(smf.tracks[1]);
    EXPECT_EQ(b.unreleased, 0);
    EXPECT_EQ(b.stray, 0);
    EXPECT_TRUE(endsWithEndOfTrack(smf.tracks[1]));
}

TEST(SmfReader, ReadsMetaLengthsOfMoreThanOneByte) {
    Bytes text{0x00, 0xFF, 0x01, 0x81, 0x48};  // text event of 200 bytes
    text.insert(text.end(), 200, 'x');
    const Smf smf =
        parseBytes(makeSmf(0, {concat({text, {0x00, 0x90, 0x3C, 0x40, 0x10, 0x3C, 0x00}, kEndOfTrack})}));
    const auto& events = smf.tracks[0].events;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].payload.size(), 200u);
    EXPECT_TRUE(events[1].isNoteOn());
    EXPECT_EQ(events[2].tick, 16u);
}

TEST(SmfReader, DurationFollowsTempoChangesInAnyTrack) {
    // 480 ticks at 120 bpm and 480 at 60 bpm
    EXPECT_DOUBLE_EQ(durationSeconds(parseBytes(makeSmf(1, {kTempoTrack, kNoteTrack}))), 1.5);
    // without a tempo event the default of 120 bpm applies
    EXPECT_DOUBLE_EQ(durationSeconds(parseBytes(makeSmf(1, {kNoteTrack}))), 0.5);
}

TEST(SmfReader, RejectsEveryTruncation) {
    const Bytes whole = makeSmf(1, {kTempoTrack, kNoteTrack});
    ASSERT_NO_THROW(parseBytes(whole));
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const Bytes cut(whole.begin(), whole.begin() + n);
        EXPECT_THROW(parseBytes(cut), SmfError) << "cut to " << n << " bytes";
    }
}

TEST(SmfReader, RejectsMalformedData) {
    // data byte first in a track: nothing to run on
    EXPECT_THROW(parseBytes(makeSmf(0, {concat({{0x00, 0x3C, 0x40}, kEndOfTrack})})), SmfError);
    // running status does not survive a meta event
    EXPECT_THROW(
        parseBytes(makeSmf(
            0, {concat({{0x00, 0x90, 0x3C, 0x40, 0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x00}, kEndOfTrack})})),
        SmfError);
    // delta time with five bytes
    EXPECT_THROW(
        parseBytes(makeSmf(0, {concat({{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 0x3C, 0x40}, kEndOfTrack})})),
        SmfError);
    // a meta length running past the end of its chunk
    EXPECT_THROW(parseBytes(makeSmf(0, {{0x00, 0xFF, 0x01, 0x10, 'a', 'b'}})), SmfError);
    // the header announces more tracks than there are
    Bytes missingTrack = makeSmf(1, {kTempoTrack});
    missingTrack[11] = 2;
    EXPECT_THROW(parseBytes(missingTrack), SmfError);
    // not a MIDI file at all
    EXPECT_THROW(parseBytes(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0}), SmfError);
}

TEST(SmfReader, FindsUnreleasedNotesStrayOffsAndMissingEnds) {
    const Smf smf = parseBytes(
        makeSmf(1, {
                       {0x00, 0x91, 0x3C, 0x40, 0x10, 0x81, 0x3C, 0x00},  // released on channel 2
                       {0x00, 0x91, 0x3C, 0x40, 0x10, 0x80, 0x3C, 0x00},  // released on the wrong channel
                       concat({{0x00, 0x90, 0x3C, 0x40}, kEndOfTrack, {0x00, 0x80, 0x3C, 0x00}}),
                   }));
    EXPECT_EQ(balance(smf.tracks[0]).unreleased, 0);
    EXPECT_EQ(balance(smf.tracks[1]).unreleased, 1);
    EXPECT_EQ(balance(smf.tracks[1]).stray, 1);
    EXPECT_FALSE(endsWithEndOfTrack(smf.tracks[0]));  // no End of Track at all
    EXPECT_FALSE(endsWithEndOfTrack(smf.tracks[2]));  // events after it
}

// -------------------------------------------------------------- the samples

struct Sample {
    const char8_t* file;
    const char* id;
};

const Sample kSamples[] = {
    {u8"Moonlight Sonata.mid", "MoonlightSonata"},
    {u8"Für Elise.mid", "FurElise"},
    {u8"Symphony 5.mid", "Symphony5"},
    {u8"March.mid", "March"},
    {u8"Dance of the Sugar-plum Fairy.mid", "SugarPlumFairy"},
    {u8"Waltz of the Flowers.mid", "WaltzOfTheFlowers"},
};

void PrintTo(const Sample& sample, std::ostream* out) {
    *out << sample.id;
}

class SampleFile : public ::testing::TestWithParam<Sample> {
protected:
    void SetUp() override {
        path_ = std::filesystem::path(VELMARO_DATA_DIR) / "Samples" / std::filesystem::path(GetParam().file);
        ASSERT_TRUE(std::filesystem::is_regular_file(path_)) << "missing " << path_;
        std::ifstream in(path_, std::ios::binary);
        const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        try {
            smf_ = parseBytes(bytes);
        } catch (const SmfError& e) {
            FAIL() << path_ << ": " << e.what();
        }
    }

    std::filesystem::path path_;
    Smf smf_;
};

TEST_P(SampleFile, IsFormatOneWithAConductorAndParts) {
    EXPECT_EQ(smf_.format, 1);
    EXPECT_GT(smf_.division, 0);
    EXPECT_GE(smf_.tracks.size(), 3u);
}

TEST_P(SampleFile, LastsBetweenThirtyAndNinetySeconds) {
    const double seconds = durationSeconds(smf_);
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
}

TEST_P(SampleFile, HasMelodyAndAccompaniment) {
    EXPECT_GE(std::count_if(smf_.tracks.begin(), smf_.tracks.end(), hasNotes), 2);
}

TEST_P(SampleFile, ReleasesEveryNoteAndEndsEveryTrack) {
    for (std::size_t i = 0; i < smf_.tracks.size(); ++i) {
        const NoteBalance b = balance(smf_.tracks[i]);
        EXPECT_EQ(b.unreleased, 0) << "track " << i;
        EXPECT_EQ(b.stray, 0) << "track " << i;
        EXPECT_TRUE(endsWithEndOfTrack(smf_.tracks[i])) << "track " << i;
    }
}

TEST_P(SampleFile, NamesTracksAndSetsTempoMeterAndInstruments) {
    const auto& conductor = smf_.tracks.front().events;
    auto has = [&](std::uint8_t type) {
        return std::any_of(conductor.begin(), conductor.end(),
                           [&](const Event& e) { return e.isMeta(type); });
    };
    EXPECT_TRUE(has(0x51)) << "tempo";
    EXPECT_TRUE(has(0x58)) << "time signature";

    std::set<int> velocities;
    for (std::size_t i = 0; i < smf_.tracks.size(); ++i) {
        const auto& events = smf_.tracks[i].events;
        EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const Event& e) { return e.isMeta(0x03); }))
            << "track " << i << " has no name";
        bool programmed = false;
        int unprogrammedNotes = 0;
        int drumNotes = 0;
        for (const auto& e : events) {
            if (e.kind() == 0xC0) {
                programmed = true;
            }
            if (e.isNoteOn()) {
                unprogrammedNotes += !programmed;
                drumNotes += e.channel() == 9;
                velocities.insert(e.data2);
            }
        }
        EXPECT_EQ(unprogrammedNotes, 0) << "track " << i << " plays before choosing an instrument";
        EXPECT_EQ(drumNotes, 0) << "track " << i << " plays on the drum channel";
    }
    EXPECT_GE(velocities.size(), 3u) << "no dynamics";
}

INSTANTIATE_TEST_SUITE_P(Shipped, SampleFile, ::testing::ValuesIn(kSamples),
                         [](const ::testing::TestParamInfo<Sample>& info) {
                             return std::string(info.param.id);
                         });

}  // namespace

#include "synthetic_project.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace sondrel::bench {

namespace {

// Buffers the text and hands it to the file in large pieces, so that the
// generator's memory stays small however large the project.
class ProjectWriter {
public:
    explicit ProjectWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb"))
    {
        if (!file_)
            throw std::runtime_error("cannot write " + path);
    }
    ~ProjectWriter()
    {
        Flush();
        std::fclose(file_);
    }
    ProjectWriter(const ProjectWriter&) = delete;
    ProjectWriter& operator=(const ProjectWriter&) = delete;

    void Line(int indent, const std::string& text)
    {
        buffer_.append(static_cast<std::size_t>(indent) * 2, ' ');
        buffer_ += text;
        buffer_ += "\r\n";
        if (buffer_.size() > (1u << 20))
            Flush();
    }

private:
    void Flush()
    {
        std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
        buffer_.clear();
    }

    std::FILE* file_;
    std::string buffer_;
};

// A fixed pseudo-random sequence, so that every run writes the same file.
class Noise {
public:
    std::uint32_t Next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }

private:
    std::uint64_t state_ = 0x5eed;
};

std::string Guid(Noise& noise)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%08X%04X}", noise.Next(), noise.Next() & 0xffff,
                  noise.Next() & 0xffff, noise.Next() & 0xffff, noise.Next(), noise.Next() & 0xffff);
    return text;
}

void WriteHeader(ProjectWriter& out)
{
    out.Line(0, "<REAPER_PROJECT 0.1 \"7.27/linux-x86_64\" 1733000000 0");
    out.Line(1, "<NOTES 0 2");
    out.Line(2, "|Synthetic project for measuring the reader");
    out.Line(2, "|Second line of the notes");
    out.Line(1, ">");
    for (const char* line : {"RIPPLE 0 0", "GROUPOVERRIDE 0 0 0", "AUTOXFADE 129", "ENVATTACH 3", "MIXERUIFLAGS 11 48",
                             "PEAKGAIN 1", "FEEDBACK 0", "PANLAW 1", "PROJOFFS 0 0 0", "MAXPROJLEN 0 0",
                             "GRID 3199 8 1 8 1 0 0 0", "TIMEMODE 1 5 -1 30 0 0 -1", "PANMODE 3", "CURSOR 0",
                             "ZOOM 100 0 0", "RECORD_PATH \"Media\" \"\"", "SAMPLERATE 48000 0 0",
                             "TEMPO 124 7 8 0", "PLAYRATE 1 0 0.25 4", "MASTER_VOLUME 1 0 -1 -1 1"})
        out.Line(1, line);
    out.Line(1, "<METRONOME 6 2");
    out.Line(2, "VOL 0.25 0.125");
    out.Line(2, "BEATLEN 4");
    out.Line(1, ">");
    out.Line(1, "<TEMPOENVEX");
    out.Line(2, "EGUID " + std::string("{00000000-0000-0000-0000-000000000000}"));
    out.Line(2, "ACT 0 -1");
    out.Line(1, ">");
}

void WriteEnvelope(ProjectWriter& out, const SyntheticShape& shape, Noise& noise)
{
    out.Line(2, "<VOLENV2");
    out.Line(3, "EGUID " + Guid(noise));
    out.Line(3, "ACT 1 -1");
    out.Line(3, "VIS 1 1 1");
    out.Line(3, "DEFSHAPE 0 -1 -1");
    for (int p = 0; p < shape.envelopePointsPerTrack; ++p)
        out.Line(3, "PT " + std::to_string(p * 0.5) + " " + std::to_string((noise.Next() % 1000) / 1000.0) + " 0");
    out.Line(2, ">");
}

void WriteFx(ProjectWriter& out, const SyntheticShape& shape, Noise& noise, int track, int fx)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    out.Line(3, "BYPASS " + std::to_string((track + fx) % 5 == 0 ? 1 : 0) + " 0 0");
    out.Line(3, "<VST \"VST3: Synthetic Processor " + std::to_string(fx + 1) + " (Sondrel)\" Synthetic" +
                    std::to_string(fx + 1) + ".vst3 0 \"\" 1397641032{ABCDEF019182FAEB53796E74686574} \"\"");
    // REAPER wraps plug-in state at 128 base64 characters.
    std::string line;
    for (int written = 0; written < shape.stateBytesPerFx; written += 128) {
        const int length = std::min(128, shape.stateBytesPerFx - written);
        line.clear();
        for (int i = 0; i < length; ++i)
            line += alphabet[noise.Next() % 64];
        out.Line(4, line);
    }
    out.Line(4, "AAAQAAAA");
    out.Line(3, ">");
    out.Line(3, "PRESETNAME \"Default\"");
    out.Line(3, "FLOATPOS 0 0 0 0");
    out.Line(3, "FXID " + Guid(noise));
    out.Line(3, "WAK 0 0");
}

void WriteSource(ProjectWriter& out, const SyntheticShape& shape, Noise& noise, bool midi, int take)
{
    if (!midi) {
        out.Line(3, "<SOURCE WAVE");
        out.Line(4, "FILE \"Media/recording take " + std::to_string(take + 1) + ".wav\"");
        out.Line(3, ">");
        return;
    }
    out.Line(3, "<SOURCE MIDI");
    out.Line(4, "HASDATA 1 960 QN");
    out.Line(4, "CCINTERP 32");
    for (int e = 0; e < shape.midiEventsPerItem; ++e) {
        char event[48];
        const unsigned note = 36 + noise.Next() % 48;
        std::snprintf(event, sizeof event, "E %u %s %02x %02x", 240 + noise.Next() % 480, e % 2 ? "80" : "90", note,
                      e % 2 ? 0u : 64 + noise.Next() % 63);
        out.Line(4, event);
    }
    out.Line(4, "E 960 b0 7b 00");
    out.Line(4, "GUID " + Guid(noise));
    out.Line(3, ">");
}

void WriteItem(ProjectWriter& out, const SyntheticShape& shape, Noise& noise, int item)
{
    const bool midi = item % 2 == 1;
    out.Line(2, "<ITEM");
    out.Line(3, "POSITION " + std::to_string(item * 4.25));
    out.Line(3, "SNAPOFFS 0");
    out.Line(3, "LENGTH 4");
    out.Line(3, "LOOP 0");
    out.Line(3, "ALLTAKES 0");
    out.Line(3, "FADEIN 1 0.01 0 1 0 0 0");
    out.Line(3, "FADEOUT 1 0.01 0 1 0 0 0");
    out.Line(3, "MUTE " + std::to_string(item % 7 == 0 ? 1 : 0) + " 0");
    out.Line(3, "SEL 0");
    out.Line(3, "IGUID " + Guid(noise));
    out.Line(3, "IID " + std::to_string(item + 1));
    for (int take = 0; take < shape.takesPerItem; ++take) {
        if (take > 0)
            out.Line(3, take == shape.takesPerItem - 1 ? "TAKE SEL" : "TAKE");
        out.Line(3, "NAME \"Take " + std::to_string(take + 1) + " of item " + std::to_string(item + 1) + "\"");
        out.Line(3, take == 0 ? "VOLPAN 0.8 -0.1 1 -1" : "TAKEVOLPAN 0 1 -1");
        out.Line(3, "SOFFS 0");
        out.Line(3, "PLAYRATE 1 1 0 -1 0 0.0025");
        out.Line(3, "CHANMODE 0");
        out.Line(3, "GUID " + Guid(noise));
        WriteSource(out, shape, noise, midi, take);
    }
    out.Line(2, ">");
}

void WriteTrack(ProjectWriter& out, const SyntheticShape& shape, Noise& noise, int track)
{
    out.Line(1, "<TRACK " + Guid(noise));
    out.Line(2, "NAME \"Synthetic track " + std::to_string(track + 1) + "\"");
    out.Line(2, "PEAKCOL 16576");
    out.Line(2, "BEAT -1");
    out.Line(2, "AUTOMODE 0");
    out.Line(2, "VOLPAN 0.7 0.25 -1 -1 1");
    out.Line(2, "MUTESOLO 0 " + std::string(track % 10 == 0 ? "2" : "0") + " 0");
    out.Line(2, "IPHASE 0");
    out.Line(2, "ISBUS " + std::string(track % 20 == 0 ? "1 1" : track % 20 == 19 ? "2 -1" : "0 0"));
    out.Line(2, "FX 1");
    out.Line(2, "TRACKID " + Guid(noise));
    out.Line(2, "NCHAN 2");
    out.Line(2, "MAINSEND 1 0");
    if (track > 0)
        out.Line(2, "AUXRECV " + std::to_string(track - 1) + " 0 0.5 0 0 0 0 0 0 -1:U 0 -1 ''");
    WriteEnvelope(out, shape, noise);
    out.Line(2, "<FXCHAIN");
    out.Line(3, "WNDRECT 24 52 655 408");
    out.Line(3, "SHOW 0");
    out.Line(3, "LASTSEL 0");
    out.Line(3, "DOCKED 0");
    for (int fx = 0; fx < shape.fxPerTrack; ++fx)
        WriteFx(out, shape, noise, track, fx);
    out.Line(2, ">");
    for (int item = 0; item < shape.itemsPerTrack; ++item)
        WriteItem(out, shape, noise, item);
    out.Line(1, ">");
}

}  // namespace

SyntheticShape SyntheticShape::Scaled(double factor)
{
    SyntheticShape shape;
    shape.tracks = static_cast<int>(std::lround(shape.tracks * factor));
    return shape;
}

void WriteSyntheticProject(const std::string& path, const SyntheticShape& shape)
{
    ProjectWriter out(path);
    Noise noise;
    WriteHeader(out);
    for (int track = 0; track < shape.tracks; ++track)
        WriteTrack(out, shape, noise, track);
    out.Line(1, "<EXTENSIONS");
    out.Line(1, ">");
    out.Line(0, ">");
}

std::string SyntheticProjectFile(const SyntheticShape& shape)
{
    const std::string name = "sondrel-synthetic-" + std::to_string(shape.tracks) + "t-" +
                             std::to_string(shape.fxPerTrack) + "x" + std::to_string(shape.stateBytesPerFx) + "fx-" +
                             std::to_string(shape.itemsPerTrack) + "x" + std::to_string(shape.takesPerItem) + "i-" +
                             std::to_string(shape.midiEventsPerItem) + "m-" +
                             std::to_string(shape.envelopePointsPerTrack) + "e.rpp";
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
    if (!std::filesystem::exists(path)) {
        // Written beside it and renamed, so an interrupted run leaves no half file to reuse.
        const std::filesystem::path partial = path.string() + ".partial";
        WriteSyntheticProject(partial.string(), shape);
        std::filesystem::rename(partial, path);
    }
    return path.string();
}

}  // namespace sondrel::bench

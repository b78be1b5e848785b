#include "reader/project_parser.h"

#include "model/file_error.h"
#include "reader/line_fields.h"

namespace sondrel {

namespace {

std::string_view SkipLeadingSpaces(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    return line.substr(i);
}

bool IsCloser(std::string_view text)
{
    return text[0] == '>' && text.find_first_not_of(' ', 1) == std::string_view::npos;
}

}  // namespace

ProjectParser::ProjectParser(ProjectModel& model, const std::string& path) : model_(model), path_(path)
{
    model_.Info.SourcePath = path;
}

void ProjectParser::Fail(const std::string& reason) const
{
    throw FileError(path_, lineNumber_, reason);
}

void ProjectParser::FailTableFull(int track, const char* what) const
{
    Fail("track " + std::to_string(track) + " has more than " + std::to_string(MaxTableEntries) + " " + what +
         "; a track holds at most " + std::to_string(MaxTableEntries));
}

void ProjectParser::ReadLine(std::string_view line, long number)
{
    lineNumber_ = number;
    const std::string_view text = SkipLeadingSpaces(line);
    if (text.empty())
        return;
    if (text[0] == '<') {
        OpenBlock(TrimSpaces(text));
        ++depth_;
    } else if (IsCloser(text)) {
        if (depth_ == 0)
            return;
        CloseBlock(TrimSpaces(text));
        --depth_;
    } else {
        ReadContent(text);
    }
}

void ProjectParser::Finish() const
{
    if (!projectOrTrackSeen_)
        throw FileError(path_, 0, "the file is not a REAPER project: it has no <REAPER_PROJECT or <TRACK block");
}

// The block opened by line stands at depth_; the lines inside it will stand at depth_ + 1.
void ProjectParser::OpenBlock(std::string_view line)
{
    if (depth_ == 0) {
        const std::string_view kind = FirstField(line);
        if (kind == "<REAPER_PROJECT" || kind == "<TRACK")
            projectOrTrackSeen_ = true;
    }
    if (notesLevel_ != 0 || itemNotesLevel_ != 0) {
        AppendNote(line);
        return;
    }
    if (freezeLevel_ != 0 || nameBlockLevel_ != 0)
        return;
    const std::string_view kind = FirstField(line);
    if (itemLevel_ != 0) {
        OpenItemBlock(kind, line);
    } else if (trackLevel_ != 0) {
        OpenTrackBlock(kind, line);
    } else if (masterFxLevel_ != 0) {
        OpenChainBlock(FxOwner::Master, kind, line);
    } else if (kind == "<TRACK" && (depth_ == 0 || (depth_ == 1 && projectOpen_))) {
        BeginTrack();
    } else if (kind == "<REAPER_PROJECT" && depth_ == 0) {
        projectOpen_ = true;
        headerOpen_ = true;
        ReadProjectLine(line);
    } else if (headerOpen_ && depth_ == 1) {
        OpenHeaderBlock(kind, line);
    }
}

// Closes the block whose lines stand at depth_.
void ProjectParser::CloseBlock(std::string_view line)
{
    if (notesLevel_ != 0 || itemNotesLevel_ != 0) {
        long& level = notesLevel_ != 0 ? notesLevel_ : itemNotesLevel_;
        if (depth_ == level)
            level = 0;
        else
            AppendNote(line);
        return;
    }
    if (depth_ == nameBlockLevel_) {
        nameBlockLevel_ = 0;
        nameOwner_ = NameOwner::None;
    }
    CloseContainers();
    for (long* level : {&freezeLevel_, &sourceLevel_, &takeFxLevel_, &itemLevel_, &chainLevel_, &inputChainLevel_, &trackLevel_,
                        &masterFxLevel_, &tempoLevel_})
        if (depth_ == *level)
            *level = 0;
    if (depth_ == 1 && projectOpen_)
        projectOpen_ = headerOpen_ = false;
}

void ProjectParser::ReadContent(std::string_view line)
{
    if (notesLevel_ != 0 || itemNotesLevel_ != 0) {
        AppendNote(TrimSpaces(line));
    } else if (freezeLevel_ != 0) {
        return;
    } else if (nameBlockLevel_ != 0) {
        if (depth_ == nameBlockLevel_)
            ReadNameBlockLine(TrimSpaces(line));
    } else if (itemLevel_ != 0) {
        ReadItemContent(line);
    } else if (trackLevel_ != 0) {
        ReadTrackContent(line);
    } else if (masterFxLevel_ != 0) {
        ReadChainLine(FxOwner::Master, TrimSpaces(line));
    } else if (tempoLevel_ != 0) {
        if (depth_ == tempoLevel_)
            ReadTempoPoint(TrimSpaces(line));
    } else if (headerOpen_ && depth_ == 1) {
        ReadHeaderLine(TrimSpaces(line));
    }
}

void ProjectParser::ReadVolumePan(std::string_view line, float& volume, float& pan) const
{
    // Both fields are converted before either is stored, so a bad pan leaves
    // the volume as it was too.
    const LineParts fields = SplitFields(line);
    const float newVolume = fields.Has(2) ? ToSingle(fields[2], Place()) : 0.0f;
    const float newPan = fields.Has(3) ? ToSingle(fields[3], Place()) : 0.0f;
    volume = newVolume;
    pan = newPan;
}

void ProjectParser::AppendNote(std::string_view line)
{
    std::string& notes = itemNotesLevel_ != 0 ? CurrentItem().Notes : model_.Info.Notes;
    if (!notes.empty())
        notes += "<br>";
    notes += line;
}

// A "<NAME" block holds the exact name on its first line, after a "|".
void ProjectParser::BeginNameBlock(NameOwner owner)
{
    nameBlockLevel_ = depth_ + 1;
    nameOwner_ = owner;
    nameBlockTaken_ = false;
}

void ProjectParser::ReadNameBlockLine(std::string_view line)
{
    if (nameBlockTaken_)
        return;
    nameBlockTaken_ = true;
    if (!line.empty() && line[0] == '|')
        line.remove_prefix(1);
    if (nameOwner_ == NameOwner::Item)
        CurrentTake().Name.assign(line);
    std::string& name = nameOwner_ == NameOwner::Item ? CurrentItem().Name : CurrentTrack().Name;
    name.assign(line);
}

}  // namespace sondrel

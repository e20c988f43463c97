#include "model/model_file.h"

#include <vector>

#include "geometry/geometry_commands.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "model/text_reader.h"
#include "model/text_writer.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr std::size_t kMaxCommentLine = 8192;

// Lines that end an item section, whichever section is being read: a
// missing end keyword is tolerated when another keyword line follows.
bool IsSectionStopLine(const std::string& line) {
    static const char* const kStops[] = {
        "<BoundaryConditions>", "<EndBoundaryConditions>", "<MaterialProperties>", "<EndMaterialProperties>",
        "<Sources>",            "<EndSources>",            "<Receivers>",          "<EndReceivers>",
        "<JobParameters>",      "<EndJobParameters>",      "<<EndElastrixModel>>", "<<EndElastrumModel>>",
        "<<EndTesmoraModel>>",
    };
    for (const char* stop : kStops)
        if (line == stop) return true;
    return false;
}

bool IsModelEndMarker(const std::string& token) {
    return token == "<<EndElastrixModel>>" || token == "<<EndElastrumModel>>" || token == "<<EndTesmoraModel>>";
}

// The first white-space separated word of text.
std::string FirstWord(const std::string& text) {
    const auto isSpace = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    std::size_t start = 0;
    while (start < text.size() && isSpace(text[start])) ++start;
    std::size_t end = start;
    while (end < text.size() && !isSpace(text[end])) ++end;
    return text.substr(start, end - start);
}

void TrimTrailingWhiteSpace(std::string& text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' ||
                             text.back() == '\n' || text.back() == '\v' || text.back() == '\f'))
        text.pop_back();
}

// What one item section read found beyond its items.
struct SectionResult {
    bool complete = false;   // false: end of file inside the section
    bool overflow = false;   // more items than the list holds
};

template <class T>
SectionResult ReadItemSection(CTextReader& in, CItemList<T>& list, float version) {
    SectionResult result;
    list.CreateSlots();
    std::int16_t count = 0;
    std::string line, name;
    for (;;) {
        if (!in.ReadRestOfLine(line)) {
            list.SetCount(count);
            return result;
        }
        if (IsSectionStopLine(line)) break;
        if (!IsItemStart(line, version, name)) continue;
        if (count < list.Capacity()) {
            T& slot = list.Slot(count);
            slot = T{};
            slot.ReadItem(in, name, version);
            ++count;
        } else {
            // Past the capacity: the item is read (so the file stays in
            // step) and dropped.
            T extra;
            extra.ReadItem(in, name, version);
            result.overflow = true;
        }
    }
    list.SetCount(count);
    result.complete = true;
    return result;
}

template <class T>
std::vector<T> ListCopy(const CItemList<T>& list) {
    std::vector<T> copy;
    for (int k = 0; k < list.Count(); ++k) copy.push_back(list[k]);
    return copy;
}

template <class T>
void WriteItemSection(CTextWriter& out, std::vector<T>& items, const char* open, const char* close, float version) {
    out.Line(open);
    for (T& item : items) {
        out.Print("~");
        item.WriteItem(out, version);
    }
    out.Line(close);
}

}  // namespace

bool IsItemStart(const std::string& line, float version, std::string& name) {
    if (line.empty()) return false;
    const auto first = static_cast<unsigned char>(line[0]);
    if (version < 1.1f) {
        name = line;
        return true;
    }
    if (version < 1.2f) {
        if (first != 0xFD) return false;
    } else if (version >= 2.3f) {
        if (first != '~') return false;
    }
    name = line.substr(1);
    return true;
}

std::string ProposeSaveAsName(const CElixDoc& doc) {
    std::string name = doc.PathName().empty() ? doc.Title() : FileNameOf(doc.PathName());
    const auto cut = name.find_first_of(" #%;/\\");
    if (cut != std::string::npos) name.resize(cut);
    return name;
}

bool CElixDoc::ReadModel(const std::string& path) {
    CTextReader in;
    if (!in.Open(path)) {
        m_messageText = Format("Unable to open file '%s'.", path);
        return false;
    }
    DeleteContents();
    SetPathName(path);
    SetModifiedFlag(false);

    std::string word;
    in.ReadWord(word);
    if (word == "<<ElastrixPlusModel>>") {
        m_messageText = Format("'%s' is a Elastrix Plus model and can't be opened by Elastrix.", path);
        return false;
    }
    if (word != "<<ElastrixModel>>" && word != "<<TesmoraModel>>") {
        m_messageText = Format(
            "File '%s' is not a Elastrix/Elastrix Plus model. To load a geometry file, please use 'Load Geometry' "
            "command under Elix -> Geometry menu.",
            path);
        return false;
    }
    job = CJobParameters{};

    // Sections that held more items than their list; reported after reading.
    std::vector<std::pair<int, const char*>> overflows;
    auto missing = [&](const char* keyword) {
        m_messageText = Format("No keyword %s in '%s'.", keyword, path);
        return false;
    };
    auto section = [&](auto& list, const char* keyword, const char* endKeyword) {
        const SectionResult result = ReadItemSection(in, list, fileFormatVersion);
        if (result.overflow) overflows.emplace_back(list.Capacity(), keyword);
        if (!result.complete) return missing(endKeyword);
        return true;
    };

    bool complete = false;
    std::string token;
    while (!complete && in.Token(token)) {
        if (IsModelEndMarker(token)) {
            complete = true;
        } else if (token == "<Version>") {
            float version = fileFormatVersion;
            in.ReadFloat(version);
            if (version > programFormatVersion) {
                const MessageAnswer answer = ReportMessage(
                    "The file was created by a newer version of this program. It may not be loaded correctly. "
                    "Do you want to load the file anyway?",
                    MessageStyle::Question);
                if (answer != MessageAnswer::Yes) {
                    m_messageText.clear();
                    return false;
                }
            }
            fileFormatVersion = version;
        } else if (token == "<Header>") {
            if (!in.SkipTokensThrough("<EndHeader>")) return missing("<EndHeader>");
        } else if (token == "<Comment>") {
            in.SkipRestOfLine();
            std::string line;
            bool truncated = false;
            for (;;) {
                if (!in.ReadLine(line, kMaxCommentLine, truncated)) return missing("<EndComment>");
                if (truncated) ReportMessage("Memory error: comment is truncated.", MessageStyle::Plain);
                if (!truncated && line == "<EndComment>") break;
                comment += line;
                comment += "\r\n";
            }
            TrimTrailingWhiteSpace(comment);
        } else if (token == "<Geometry>") {
            std::string key;
            for (;;) {
                if (!in.Token(key)) return missing("<EndGeometry>");
                if (key == "<EndGeometry>") break;
                if (key == "Format") in.ReadInteger(geometryFormat);
                else if (key == "ImageFileName") in.ReadRestOfLine(ImageFileName);
            }
        } else if (token == "<MaterialProperties>") {
            if (!section(m_materials, "<MaterialProperties>", "<EndMaterialProperties>")) return false;
            m_materials.SetCurrent(0);
        } else if (token == "<BoundaryConditions>") {
            if (!section(m_boundaryConditions, "<BoundaryConditions>", "<EndBoundaryConditions>")) return false;
        } else if (token == "<Sources>") {
            if (!section(m_sources, "<Sources>", "<EndSources>")) return false;
        } else if (token == "<Receivers>") {
            if (!section(m_receivers, "<Receivers>", "<EndReceivers>")) return false;
        } else if (token == "<JobParameters>") {
            std::string key;
            for (;;) {
                if (!in.Token(key)) return missing("<EndJobParameters>");
                if (key == "<EndJobParameters>") break;
                if (key == "TimeStepScale") in.ReadFloat(job.TimeStepScale);
                else if (key == "MaxFreq") in.ReadFloat(job.MaxFreq);
                else if (key == "MinWaveLength") in.ReadFloat(job.MinWaveLength);
                else if (key == "Duration") in.ReadFloat(job.Duration);
                else if (key == "DispFreq") in.ReadInteger(job.DispFreq);
                else if (key == "SaveDisp") in.ReadInteger(job.SaveDisp);
                else if (key == "HighOrderScheme") in.ReadInteger(job.HighOrderScheme);
                else if (key == "DtScaleThresh") in.ReadFloat(job.DtScaleThresh);
                else if (key == "InterfaceBright") in.ReadInteger(job.InterfaceBright);
                else if (key == "DispType") in.ReadRestOfLine(job.DispType);
                else if (key == "DispScale") in.ReadFloat(job.DispScale);
                else if (key == "PointPerCycle") in.ReadInteger(job.PointPerCycle);
                else if (key == "InfiniteBCIndex") in.ReadInteger(job.InfiniteBCIndex);
                else if (key == "InfiniteFactor") in.ReadFloat(job.InfiniteFactor);
                else if (key == "ThreadTotal") in.ReadInteger(job.ThreadTotal);
                else if (key == "CMax") in.ReadInteger(job.CMax);
                else if (key == "UserFile1") in.ReadRestOfLine(job.UserFile1);
                else if (key == "UserFile2") in.ReadRestOfLine(job.UserFile2);
            }
        }
    }
    if (!complete) return missing("<<EndElastrixModel>>");

    m_boundaryConditions.SetCurrent(0);
    m_sources.SetCurrent(0);
    m_receivers.SetCurrent(0);
    ImageFileName = FeToBlank(ImageFileName);
    job.DispType = FeToBlank(job.DispType);
    job.UserFile1 = FeToBlank(job.UserFile1);
    job.UserFile2 = FeToBlank(job.UserFile2);
    for (const auto& [capacity, keyword] : overflows)
        ReportMessage(Format("Only %d items of '%s' could be loaded.", capacity, keyword), MessageStyle::Exclamation);

    // The geometry: a name without a folder lies beside the model file. A
    // geometry that cannot be loaded is no failure: the model opens without
    // it, after a warning, and still names it, so that saving the model
    // keeps the reference. A model that names none opens silently.
    if (ImageFileName == "None" || ImageFileName.empty()) {
        ImageFileName = "None";
        return true;
    }
    const std::string geometryPath = ResolveModelRelativePath(path, ImageFileName);
    if (!LoadGeometryImage(*this, geometryPath, true, nullptr)) {
        ReportMessage(m_messageText, MessageStyle::Exclamation);
        WorkingFileName = "None";
        return true;
    }
    std::string working;
    if (!CreateWorkingCopy(geometryPath, working)) {
        m_messageText = Format("Unable to create a working file '%s'.", working);
        return false;
    }
    WorkingFileName = working;
    UpdateSizeText();
    UpdateAllViews('a');

    if (!m_batchLog && m_ui && FirstWord(comment) == "<AutoDisplay>") {
        std::string edited = comment;
        if (m_ui->EditComment(edited) && edited != comment) {
            comment = edited;
            SetModifiedFlag();
        }
    }
    return true;
}

bool CElixDoc::WriteModel(const std::string& path) {
    RunGeometrySavePrompts(*this);

    // Items are written at the model's true position: minus the offset that
    // geometry operations applied since the last save. The document takes
    // the written records only once the file is safely stored.
    std::vector<CBoundaryCondition> boundaryConditions = ListCopy(m_boundaryConditions);
    std::vector<CSource> sources = ListCopy(m_sources);
    std::vector<CReceiver> receivers = ListCopy(m_receivers);
    std::vector<CMaterialProperty> materials = ListCopy(m_materials);
    for (auto& item : boundaryConditions) item.Translate(-originOffsetX, -originOffsetY);
    for (auto& item : sources) item.Translate(-originOffsetX, -originOffsetY);
    for (auto& item : receivers) item.Translate(-originOffsetX, -originOffsetY);

    const float version = programFormatVersion;
    CTextWriter out;
    out.Line("<<ElastrixModel>>");
    out.Print("<Version> %.2f\n", version);
    out.Line("<Header>");
    out.Print("Format %d\n", 1);
    out.Line("Note: This is a Elastrix generated file.  Please do not edit.");
    out.Line("<EndHeader>");
    out.Line("<Comment>");
    std::string commentLines;
    for (char c : comment)
        if (c != '\r') commentLines += c;
    out.Line(commentLines);
    out.Line("<EndComment>");
    out.Line("<Geometry>");
    out.Print("Format %d\n", geometryFormat);
    out.Print("ImageFileName %s\n", ImageFileName.empty() ? std::string("None") : ImageFileName);
    out.Line("<EndGeometry>");
    WriteItemSection(out, materials, "<MaterialProperties>", "<EndMaterialProperties>", version);
    WriteItemSection(out, boundaryConditions, "<BoundaryConditions>", "<EndBoundaryConditions>", version);
    WriteItemSection(out, sources, "<Sources>", "<EndSources>", version);
    WriteItemSection(out, receivers, "<Receivers>", "<EndReceivers>", version);
    out.Line("<JobParameters>");
    out.Print("TimeStepScale %e\n", job.TimeStepScale);
    out.Print("MaxFreq %e\n", job.MaxFreq);
    out.Print("MinWaveLength %e\n", job.MinWaveLength);
    out.Print("Duration %e\n", job.Duration);
    out.Print("DispFreq %d\n", job.DispFreq);
    out.Print("SaveDisp %d\n", job.SaveDisp);
    out.Print("HighOrderScheme %d\n", job.HighOrderScheme);
    out.Print("DtScaleThresh %f\n", job.DtScaleThresh);
    out.Print("InterfaceBright %d\n", job.InterfaceBright);
    out.Print("DispType %s\n", job.DispType);
    out.Print("DispScale %e\n", job.DispScale);
    out.Print("PointPerCycle %d\n", job.PointPerCycle);
    out.Print("InfiniteBCIndex %d\n", job.InfiniteBCIndex);
    out.Print("InfiniteFactor %f\n", job.InfiniteFactor);
    out.Print("ThreadTotal %d\n", job.ThreadTotal);
    out.Print("CMax %d\n", job.CMax);
    if (job.DumpDisplacement[2] > 0)
        out.Print("DumpDisplacement %d %d %d\n", job.DumpDisplacement[0], job.DumpDisplacement[1],
                  job.DumpDisplacement[2]);
    // An empty user file name counts as the default: written as an empty
    // value it could not be read back.
    if (!job.UserFile1.empty() && job.UserFile1 != CJobParameters::kDefaultUserFile1)
        out.Print("UserFile1 %s\n", job.UserFile1);
    if (!job.UserFile2.empty() && job.UserFile2 != CJobParameters::kDefaultUserFile2)
        out.Print("UserFile2 %s\n", job.UserFile2);
    out.Line("<EndJobParameters>");
    out.Line("<<EndElastrixModel>>");

    if (!WriteFileAtomically(path, out.Text())) {
        ReportMessage(Format("Unable to save file '%s'.", path), MessageStyle::Information);
        m_messageText = Format("Unable to save file '%s'.", path);
        return false;
    }
    auto takeBack = [](auto& list, auto& items) {
        for (std::size_t k = 0; k < items.size(); ++k) list[static_cast<int>(k)] = items[k];
    };
    takeBack(m_boundaryConditions, boundaryConditions);
    takeBack(m_sources, sources);
    takeBack(m_receivers, receivers);
    takeBack(m_materials, materials);
    originOffsetX = 0.0f;
    originOffsetY = 0.0f;
    fileFormatVersion = programFormatVersion;
    SetModifiedFlag(false);
    return true;
}

}  // namespace elix

#include "model/material_library.h"

#include <utility>

#include "model/elix_doc.h"
#include "model/model_file.h"
#include "model/text_reader.h"
#include "model/text_writer.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string WithoutTrailingWhiteSpace(std::string text) {
    while (!text.empty() && IsWhiteSpace(text.back())) text.pop_back();
    return text;
}

// The first white-space separated word of a text.
std::string FirstWord(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsWhiteSpace(text[begin])) ++begin;
    std::size_t end = begin;
    while (end < text.size() && !IsWhiteSpace(text[end])) ++end;
    return text.substr(begin, end - begin);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return (last == '/' || last == '\\') ? folder + name : folder + "/" + name;
}

}  // namespace

const ItemKindTexts& MaterialLibraryTexts() {
    static const ItemKindTexts texts = [] {
        ItemKindTexts t = kMaterialTexts;
        t.capacity = CMaterialLibrary::kCapacity;
        return t;
    }();
    return texts;
}

CMaterialLibrary::CMaterialLibrary() : m_items(MaterialLibraryTexts()) { m_items.CreateSlots(); }

MessageAnswer CMaterialLibrary::Report(const std::string& text, MessageStyle style, const std::string& title) {
    if (m_reporter) return m_reporter(text, style, title);
    if (m_ui) return m_ui->ShowMessage(text, style, title);
    return style == MessageStyle::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
}

// A read error: kept as the error text, shown in a box titled "Info".
bool CMaterialLibrary::Fail(const std::string& text) {
    m_errorText = text;
    Report(text, MessageStyle::Information, "Info");
    return false;
}

// ------------------------------------------------------------------ files

std::string CMaterialLibrary::Text() const {
    CTextWriter out;
    out.Line("<<MaterialPropertyLibrary>>");
    out.Print("<Version> %.2f\n", kFormatVersion);
    out.Line("<Header>");
    out.Print("Format %d\n", 1);
    out.Line("Put header here");
    out.Line("<EndHeader>");
    out.Line("<Comment>");
    out.Line(m_comment);
    out.Line("<EndComment>");
    out.Line("<MaterialProperties>");
    for (int k = 0; k < m_items.Count(); ++k) {
        // The reader takes the name as one token: blanks travel as 0xFE.
        CMaterialProperty item = m_items[k];
        item.name = BlankToFe(item.name);
        out.Print("~");
        item.WriteItem(out, kFormatVersion);
    }
    out.Line("<EndMaterialProperties>");
    out.Line("<<EndMaterialPropertyLibrary>>");
    return out.Text();
}

bool CMaterialLibrary::Save(const std::string& path) {
    if (!WriteFileAtomically(path, Text())) {
        m_errorText = Format("Unable to save file '%s'.", path);
        Report(m_errorText, MessageStyle::Information);
        return false;
    }
    m_fileFormatVersion = kFormatVersion;
    m_currentFile = path;
    return true;
}

bool CMaterialLibrary::Load(const std::string& path) {
    m_currentFile = path;
    CTextReader in;
    if (!in.Open(path)) {
        // Nothing was read, so the materials held stay.
        m_errorText = Format("Unable to open file '%s'.", path);
        Report(m_errorText, MessageStyle::Exclamation);
        return false;
    }
    return Read(in, path);
}

bool CMaterialLibrary::LoadText(const std::string& text, const std::string& path) {
    CTextReader in(text);
    return Read(in, path);
}

bool CMaterialLibrary::Read(CTextReader& in, const std::string& path) {
    m_items.Reset();
    m_errorText.clear();
    m_firstShown = 0;

    std::string token;
    if (!in.Token(token) || (token != "<<MaterialPropertyLibrary>>" && token != "<<TesmoraMaterialProperty>>"))
        return Fail(Format("No keyword <<MaterialPropertyLibrary>> in '%s'", path));

    for (;;) {
        if (!in.Token(token)) return Fail(Format("No keyword <<EndMaterialPropertyLibrary>> in '%s'", path));
        if (token == "<<EndMaterialPropertyLibrary>>" || token == "<<EndTesmoraMaterialProperty>>") break;
        if (token == "<Version>") {
            float version = m_fileFormatVersion;
            if (!in.ReadFloat(version)) continue;  // no number: the next token is read as a keyword
            if (version > 2.3f) {
                const std::string question = std::string("The file was created by a newer version of this program. ") +
                                             "It may not be loaded correctly. " +
                                             "Do you want to load the file anyway?";
                if (Report(question, MessageStyle::Question, std::string()) != MessageAnswer::Yes) return false;
            }
            m_fileFormatVersion = version;
        } else if (token == "<Header>") {
            if (!in.SkipTokensThrough("<EndHeader>")) return Fail(Format("No keyword <EndHeader> in '%s'", path));
        } else if (token == "<Comment>") {
            // The rest of the keyword's line is not part of the comment.
            in.SkipRestOfLine();
            std::string comment;
            if (!in.ReadUpTo("<EndComment>", comment)) return Fail(Format("No keyword <EndComment> in '%s'", path));
            m_comment = WithoutTrailingWhiteSpace(std::move(comment));
        } else if (token == "<MaterialProperties>") {
            if (!ReadItems(in)) return Fail(Format("No keyword <EndMaterialProperties> in '%s'", path));
        }
        // Any other token is not recognised and skipped.
    }

    if (FirstWord(m_comment) == "<AutoDisplay>") {
        if (m_commentEditor) {
            if (std::optional<std::string> edited = m_commentEditor(m_comment); edited && *edited != m_comment)
                m_comment = std::move(*edited);
        } else if (m_ui) {
            std::string edited = m_comment;
            if (m_ui->EditComment(edited)) m_comment = std::move(edited);
        }
    }
    return true;
}

// Reads item blocks up to "<EndMaterialProperties>". Names are one token;
// a token that passes the item start test of the library's file format
// version starts an item. Past the capacity the rest of the section is
// skipped token by token. False at end of file.
bool CMaterialLibrary::ReadItems(CTextReader& in) {
    std::string token;
    std::string name;
    bool full = false;
    for (;;) {
        if (!in.Token(token)) return false;
        if (token == "<EndMaterialProperties>") break;
        if (full || !IsItemStart(token, m_fileFormatVersion, name)) continue;
        const int count = m_items.Count();
        if (count >= kCapacity) {
            full = true;
            Report(Format("Only %d items can be loaded", kCapacity), MessageStyle::Information, "Info");
            continue;
        }
        CMaterialProperty& slot = m_items.Slot(count);
        slot = CMaterialProperty{};
        slot.ReadItem(in, name, m_fileFormatVersion);
        m_items.SetCount(static_cast<std::int16_t>(count + 1));
    }
    m_items.SetCurrent(0);
    return true;
}

FileChooserRequest CMaterialLibrary::FileRequest(const std::string& libraryDirectory) const {
    FileChooserRequest request;
    request.filter = kFileFilter;
    request.defaultExtension = kFileExtension;
    request.startFolder = libraryDirectory;
    return request;
}

bool CMaterialLibrary::LoadChosenFile(const std::string& libraryDirectory) {
    if (!m_ui) return false;
    FileChooserRequest request = FileRequest(libraryDirectory);
    request.fileMustExist = true;
    const std::optional<std::string> path = m_ui->ChooseFileToOpen(request);
    return path && Load(*path);
}

bool CMaterialLibrary::SaveChosenFile(const std::string& libraryDirectory) {
    if (!m_ui) return false;
    FileChooserRequest request = FileRequest(libraryDirectory);
    request.confirmOverwrite = true;
    const std::optional<std::string> path = m_ui->ChooseFileToSave(request);
    return path && Save(*path);
}

void CMaterialLibrary::OpenDialog(const std::string& libraryDirectory) {
    if (m_items.Count() > 0) return;
    // Load shows "Unable to open file '%s'." as a warning when the file is
    // missing and a read error in an "Info" box; the path becomes the
    // current file either way.
    Load(JoinPath(libraryDirectory, kStandardFileName));
}

// ------------------------------------------------------------------- rows

std::string CMaterialLibrary::FromNumberText() const {
    return Format("Material From No.: %d", m_firstShown + 1 > 1 ? m_firstShown + 1 : 1);
}

bool CMaterialLibrary::PageDown() {
    if (m_firstShown >= m_items.Count() - kRowsShown) return false;
    m_firstShown += kRowsShown;
    return true;
}

bool CMaterialLibrary::PageUp() {
    if (m_firstShown <= 0) return false;
    m_firstShown = m_firstShown > kRowsShown ? m_firstShown - kRowsShown : 0;
    return true;
}

// After materials went away the rows start at the last page that still
// shows a material.
void CMaterialLibrary::ClampFirstShown() {
    while (m_firstShown > 0 && m_firstShown >= m_items.Count()) m_firstShown -= kRowsShown;
    if (m_firstShown < 0) m_firstShown = 0;
}

void CMaterialLibrary::SetMark(int index, bool marked) {
    if (index >= 0 && index < m_items.Count()) m_items[index].libraryMark = marked ? 1 : 0;
}

bool CMaterialLibrary::Rename(int index, const std::string& name) {
    if (index < 0 || index >= m_items.Count()) return false;
    m_items[index].name = name;
    return true;
}

// ---------------------------------------------------------------- actions

int CMaterialLibrary::AddMarkedToModel(CElixDoc& doc) {
    int added = 0;
    for (int k = 0; k < m_items.Count(); ++k) {
        CMaterialProperty& item = m_items[k];
        if (item.libraryMark == 0) continue;
        item.libraryMark = 0;
        if (doc.AddItem(item)) {
            ++added;
        } else {
            Report(Format("Item '%s' can not be added", item.name), MessageStyle::Information, "Info");
        }
    }
    if (added > 0) RefreshDocumentDisplay(doc);
    return added;
}

bool CMaterialLibrary::AddMaterial(const CMaterialProperty& material) {
    const int count = m_items.Count();
    if (count >= kCapacity) {
        Report(Format("Only %d items can be hold", kCapacity), MessageStyle::Information, "Info");
        return false;
    }
    // Appended as it is: the library keeps what the model had, without the
    // name rules of a model's list.
    CMaterialProperty& slot = m_items.Slot(count);
    slot = material;
    slot.libraryMark = 0;
    m_items.SetCount(static_cast<std::int16_t>(count + 1));
    m_items.SetCurrent(static_cast<std::int16_t>(count));
    return true;
}

int CMaterialLibrary::EraseMarked() {
    // The marked materials themselves go; the others close up in order.
    const int count = m_items.Count();
    int kept = 0;
    for (int k = 0; k < count; ++k) {
        if (m_items[k].libraryMark != 0) continue;
        if (kept != k) m_items[kept] = std::move(m_items[k]);
        ++kept;
    }
    for (int k = kept; k < count; ++k) m_items[k] = CMaterialProperty{};
    m_items.SetCount(static_cast<std::int16_t>(kept));
    if (m_items.Current() >= kept) m_items.SetCurrent(static_cast<std::int16_t>(kept - 1));
    ClampFirstShown();
    return count - kept;
}

CMaterialEditor CMaterialLibrary::Modify() {
    if (m_firstShown < m_items.Count()) m_items.SetCurrent(static_cast<std::int16_t>(m_firstShown));
    ItemEditorHost host;
    host.report = [this](const std::string& text, MessageStyle style) { return Report(text, style, std::string()); };
    // Rows may have gone: keep the first row on a material.
    host.changed = [this] { ClampFirstShown(); };
    return CMaterialEditor(m_items, std::move(host));
}

}  // namespace elix

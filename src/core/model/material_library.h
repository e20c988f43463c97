// The material library ("Material Library") without its window: up to 500
// materials kept for the whole program run, read from and written to
// library files (extension mpd), from which materials are copied into
// models. The dialog shows ten rows at a time; this class holds the rows'
// paging state and performs every button's action.
//
// Library file:
//   <<MaterialPropertyLibrary>>
//   <Version> 2.30
//   <Header> / Format 1 / Put header here / <EndHeader>
//   <Comment> / the comment as held / <EndComment>
//   <MaterialProperties> / "~" name + item block body per material / <EndMaterialProperties>
//   <<EndMaterialPropertyLibrary>>
// Names are read as one token, so a blank inside a name is written as the
// byte 0xFE and read back as a blank.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model/item_editor.h"
#include "model/material_editor.h"
#include "model/item_kinds.h"
#include "model/item_list.h"
#include "model/material_property.h"
#include "model/text_reader.h"
#include "model/user_interface.h"

namespace elix {

class CElixDoc;

class CMaterialLibrary {
public:
    static constexpr int kCapacity = 500;
    static constexpr float kFormatVersion = 2.30f;
    static constexpr int kRowsShown = 10;
    static constexpr const char* kStandardFileName = "Standard.mpd";
    static constexpr const char* kFileFilter = "Material Lib Files (*.mpd)|*.mpd|All Files (*.*)|*.*||";
    static constexpr const char* kFileExtension = "mpd";

    // Shows a message in a box with a title and returns the answer.
    using Reporter = std::function<MessageAnswer(const std::string& text, MessageStyle style, const std::string& title)>;
    // Opens the comment editor on a text; the edited text on OK, nothing on
    // Cancel.
    using CommentEditor = std::function<std::optional<std::string>(const std::string& comment)>;

    CMaterialLibrary();

    // Messages go to the reporter; without one, to the user interface;
    // without both, nowhere (questions are answered Yes).
    void SetReporter(Reporter reporter) { m_reporter = std::move(reporter); }
    void SetUserInterface(IUserInterface* ui) { m_ui = ui; }
    // Called after a load whose comment starts with the word "<AutoDisplay>";
    // without one, the user interface's comment editor opens.
    void SetCommentEditor(CommentEditor editor) { m_commentEditor = std::move(editor); }

    CItemList<CMaterialProperty>& Items() { return m_items; }
    const CItemList<CMaterialProperty>& Items() const { return m_items; }
    int Count() const { return m_items.Count(); }

    const std::string& Comment() const { return m_comment; }
    void SetComment(std::string comment) { m_comment = std::move(comment); }
    float FileFormatVersion() const { return m_fileFormatVersion; }
    const std::string& CurrentFile() const { return m_currentFile; }
    const std::string& ErrorText() const { return m_errorText; }

    // --- files ----------------------------------------------------------
    // The file text Save writes.
    std::string Text() const;
    // Writes the library to path, replacing any file there only once the
    // new one is complete. The file format version becomes 2.30.
    bool Save(const std::string& path);
    // Reads a library file in place of every material held. A read error is
    // shown in a box titled "Info" and leaves the materials read so far.
    bool Load(const std::string& path);
    // Reads a library from text (path only names the file in messages).
    bool LoadText(const std::string& text, const std::string& path);
    // Load and Save buttons: the user interface's file chooser (filter
    // kFileFilter, extension "mpd", starting in the library folder; Load
    // takes an existing file only), then Load or Save. False on Cancel.
    bool LoadChosenFile(const std::string& libraryDirectory);
    bool SaveChosenFile(const std::string& libraryDirectory);
    // The dialog opens: a library without materials reads "Standard.mpd" from
    // the material library folder, which becomes the current file.
    void OpenDialog(const std::string& libraryDirectory);

    // --- rows -----------------------------------------------------------
    int FirstShown() const { return m_firstShown; }
    // "Material From No.: %d" (first shown + 1).
    std::string FromNumberText() const;
    // Up and Down move the rows by ten; false when they cannot move.
    bool PageUp();
    bool PageDown();
    // The check box and the name of a material (index into the library).
    void SetMark(int index, bool marked);
    bool Rename(int index, const std::string& name);

    // --- actions ----------------------------------------------------------
    // Add to Model: adds each marked material to the document's materials;
    // one that cannot be added shows "Item '%s' can not be added". Every
    // mark is cleared. Returns how many were added.
    int AddMarkedToModel(CElixDoc& doc);
    // Add Material: appends a copy of the material editor's current
    // material; a full library shows "Only %d items can be hold".
    bool AddMaterial(const CMaterialProperty& material);
    // Erase: deletes every marked material. Returns how many.
    int EraseMarked();
    // Modify: a material editor on the library's own list, starting at the
    // first row shown. Its messages go to the library's reporter; it has no
    // overlay to show. The library must outlive it.
    CMaterialEditor Modify();

private:
    MessageAnswer Report(const std::string& text, MessageStyle style, const std::string& title = "Info");
    bool Fail(const std::string& text);
    bool Read(CTextReader& in, const std::string& path);
    bool ReadItems(CTextReader& in);
    void ClampFirstShown();
    FileChooserRequest FileRequest(const std::string& libraryDirectory) const;

    CItemList<CMaterialProperty> m_items;
    std::string m_comment;
    float m_fileFormatVersion = kFormatVersion;
    std::string m_currentFile;
    std::string m_errorText;
    int m_firstShown = 0;

    Reporter m_reporter;
    IUserInterface* m_ui = nullptr;
    CommentEditor m_commentEditor;
};

// The texts and capacity of the library's list: those of the model's
// materials with room for 500.
const ItemKindTexts& MaterialLibraryTexts();

}  // namespace elix

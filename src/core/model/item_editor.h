// The actions every item editor offers (Add, Copy, Delete, Previous, Next,
// Apply, OK, Show), generic over the item kind. A dialog only moves values
// between its fields and the record buffer and calls these; every rule and
// message lives here.
#pragma once

#include <functional>
#include <string>
#include <type_traits>

#include "model/elix_doc.h"
#include "model/item_list.h"
#include "model/user_interface.h"
#include "platform/text_format.h"

namespace elix {

// What an editor needs from the owner of its list (a model document or the
// material library).
struct ItemEditorHost {
    // Shows a message and returns the answer.
    std::function<MessageAnswer(const std::string& text, MessageStyle style)> report;
    // Called after every successful add, copy, delete or apply: the owner is
    // marked modified, rebuilds its display and notifies its views.
    std::function<void()> changed;
    // The owner's overlay kind, toggled by Show (none for the library).
    std::string* displayCategory = nullptr;
    std::function<void()> redraw;
};

// After an editor changed a list or the overlay kind: the document rebuilds
// its display image (the material colours follow the list order and the
// overlay kind) and its views redraw.
inline void RefreshDocumentDisplay(CElixDoc& doc) {
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('m');
}

template <class T>
class CItemEditor {
public:
    CItemEditor(CItemList<T>& list, ItemEditorHost host) : m_list(list), m_host(std::move(host)) {}

    // An editor over one of the document's lists. Opening it shows the
    // document's items of its kind.
    static CItemEditor ForDocument(CElixDoc& doc) {
        ItemEditorHost host;
        host.report = [&doc](const std::string& text, MessageStyle style) { return doc.ReportMessage(text, style); };
        host.changed = [&doc] {
            doc.SetModifiedFlag();
            RefreshDocumentDisplay(doc);
        };
        host.displayCategory = &doc.DisplayCategory;
        host.redraw = [&doc] { RefreshDocumentDisplay(doc); };
        CItemEditor editor(doc.Items<T>(), std::move(host));
        editor.Open();
        return editor;
    }

    // The record on display. A dialog writes its fields here before calling
    // an action and shows it afterwards.
    T buffer{};

    // Opening: the overlay shows this kind and the buffer the current item.
    void Open() {
        if (m_host.displayCategory) {
            *m_host.displayCategory = m_list.Texts().overlayKind;
            if (m_host.redraw) m_host.redraw();
        }
        Load();
    }

    // Copies the current item into the buffer.
    void Load() {
        m_list.GetCurrentItem(buffer);
        m_fieldChanged = false;
    }

    // The material editor applies on OK only after a change; its dialog
    // calls this when a field is edited.
    void FieldChanged() { m_fieldChanged = true; }
    bool HasUnappliedChange() const { return m_fieldChanged; }

    // Add: a default record named "New" (materials keep the values on
    // display and only take the name; receivers get no output file).
    bool Add() {
        if constexpr (kIsMaterial) {
            buffer.name = "New";
        } else {
            buffer = T{};
            buffer.name = "New";
            if constexpr (requires { buffer.outputFile; }) buffer.outputFile.clear();
        }
        return AddBuffer();
    }

    // Copy: the buffer under the name "copy of " + the name on display.
    bool Copy() {
        if (m_list.Count() == 0) {
            Report("Unable to copy an empty item.", MessageStyle::Information);
            return false;
        }
        buffer.name = "copy of " + buffer.name;
        return AddBuffer();
    }

    // Delete: asks, then deletes the item with the name on display (not
    // necessarily the current item's stored name) and shows the new current
    // item. Returns true when an item was deleted.
    bool Delete() {
        const std::string question = Format(m_list.Texts().deleteQuestion, buffer.name);
        if (Report(question, MessageStyle::Question) != MessageAnswer::Yes) return false;
        std::string error;
        if (!m_list.DeleteItem(buffer.name, error)) {
            Report(error, MessageStyle::Information);
            return false;
        }
        Changed();
        Load();
        return true;
    }

    bool Previous() { return Navigate(&CItemList<T>::SelectPreviousItem); }
    bool Next() { return Navigate(&CItemList<T>::SelectNextItem); }

    // Apply: overwrites the current item with the buffer.
    bool Apply() {
        if (m_list.Count() == 0) {
            Report(m_list.Texts().emptyListOnApply, MessageStyle::Information);
            return false;
        }
        std::string error;
        if (!m_list.ModifyCurrentItem(buffer, error)) {
            if (!error.empty()) Report(error, MessageStyle::Exclamation);
            return false;
        }
        m_fieldChanged = false;
        Changed();
        return true;
    }

    // OK applies (the material editor only after a change) and the editor
    // closes whatever the outcome.
    void Ok() {
        if (!kIsMaterial || m_fieldChanged) Apply();
    }

    // Show: toggles the overlay between this kind and nothing.
    void Show() {
        if (!m_host.displayCategory) return;
        const std::string kind = m_list.Texts().overlayKind;
        *m_host.displayCategory = *m_host.displayCategory == kind ? std::string() : kind;
        if (m_host.redraw) m_host.redraw();
    }

    // Editor options that need an existing item refuse on an empty list.
    bool RequireItemForOption() {
        if (m_list.Count() > 0) return true;
        Report(m_list.Texts().addBeforeOption, MessageStyle::Information);
        return false;
    }

    CItemList<T>& List() { return m_list; }

private:
    static constexpr bool kIsMaterial = requires(T t) {
        t.grayLevel;
        t.density;
    };

    bool AddBuffer() {
        std::string error;
        if (!m_list.AddItem(buffer, error)) {
            Report(error, MessageStyle::Information);
            return false;
        }
        m_fieldChanged = false;
        Changed();
        return true;
    }

    bool Navigate(bool (CItemList<T>::*select)(std::string&)) {
        std::string error;
        if (!(m_list.*select)(error)) {
            Report(error, MessageStyle::Information);
            return false;
        }
        Load();
        return true;
    }

    MessageAnswer Report(const std::string& text, MessageStyle style) {
        if (m_host.report) return m_host.report(text, style);
        return style == MessageStyle::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
    }

    void Changed() {
        if (m_host.changed) m_host.changed();
    }

    CItemList<T>& m_list;
    ItemEditorHost m_host;
    bool m_fieldChanged = false;
};

}  // namespace elix

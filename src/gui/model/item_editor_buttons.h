// The button row every item editor shares (Previous, Next, Add, Copy,
// Delete, Show, Apply, OK, Cancel) and its wiring to a CItemEditor. A
// dialog supplies two functions: one that takes its fields into a record
// (false after a range message, focus on the bad field, record untouched)
// and one that shows a record in its fields. Every action first takes the
// fields into the editor's buffer and stops when that fails.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <QWidget>
#include <functional>

#include "model/item_editor.h"

namespace elix {

class CItemEditorButtons : public QWidget {
    Q_OBJECT
public:
    explicit CItemEditorButtons(QWidget* parent = nullptr);

    QPushButton* previous;
    QPushButton* next;
    QPushButton* add;
    QPushButton* copy;
    QPushButton* remove;  // "&Delete"
    QPushButton* show;
    QPushButton* apply;
    QPushButton* ok;
    QPushButton* cancel;
};

// Connects the buttons of row to editor inside dialog. take(record) moves
// the fields into the record; show(record) fills the fields from it.
// afterAction runs after every action (a dialog refreshes texts that
// depend on the list, such as its item count).
template <class T>
void ConnectItemEditor(QDialog& dialog, CItemEditorButtons& row, CItemEditor<T>& editor,
                       std::function<bool(T&)> take, std::function<void(const T&)> show,
                       std::function<void()> afterAction = {}) {
    // Takes the fields into a copy first, so a refused field leaves the
    // buffer as it was.
    auto takeFields = [&editor, take] {
        T record = editor.buffer;
        if (!take(record)) return false;
        editor.buffer = record;
        return true;
    };
    auto act = [&editor, takeFields, show, afterAction](auto action) {
        return [&editor, takeFields, show, afterAction, action] {
            if (!takeFields()) return;
            action(editor);
            show(editor.buffer);
            if (afterAction) afterAction();
        };
    };
    QObject::connect(row.previous, &QPushButton::clicked, &dialog, act([](CItemEditor<T>& e) { e.Previous(); }));
    QObject::connect(row.next, &QPushButton::clicked, &dialog, act([](CItemEditor<T>& e) { e.Next(); }));
    QObject::connect(row.add, &QPushButton::clicked, &dialog, act([](CItemEditor<T>& e) { e.Add(); }));
    QObject::connect(row.copy, &QPushButton::clicked, &dialog, act([](CItemEditor<T>& e) { e.Copy(); }));
    QObject::connect(row.remove, &QPushButton::clicked, &dialog, act([](CItemEditor<T>& e) { e.Delete(); }));
    QObject::connect(row.apply, &QPushButton::clicked, &dialog, act([](CItemEditor<T>& e) { e.Apply(); }));
    QObject::connect(row.show, &QPushButton::clicked, &dialog, [&editor] { editor.Show(); });
    QObject::connect(row.ok, &QPushButton::clicked, &dialog, [&dialog, &editor, takeFields] {
        if (!takeFields()) return;
        editor.Ok();
        dialog.accept();
    });
    QObject::connect(row.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

}  // namespace elix

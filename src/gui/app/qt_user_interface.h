// The user-interface door of the core, opened with Qt dialogs: message
// boxes, file choosers, the geometry format choice and the comment editor.
#pragma once

#include <QDialog>
#include <QString>

#include "model/user_interface.h"

class QPlainTextEdit;
class QWidget;

namespace elix {

// What the desktop program asks beyond the core's questions.
class IDesktopUserInterface : public IUserInterface {
public:
    // A Yes/No/Cancel question (the save-changes prompt).
    virtual MessageAnswer AskYesNoCancel(const std::string& text) = 0;
};

// "Text (*.ext)|*.ext|All Files (*.*)|*.*||" as a Qt name filter list
// "Text (*.ext);;All Files (*.*)".
QString QtFileFilter(const std::string& filter);

class CQtUserInterface : public IDesktopUserInterface {
public:
    explicit CQtUserInterface(QWidget* parent) : m_parent(parent) {}

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) override;
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) override;
    ImageFormatChoice ChooseImageFormat(const std::string& text) override;
    bool EditComment(std::string& comment) override;
    MessageAnswer AskYesNoCancel(const std::string& text) override;

private:
    QWidget* m_parent;
};

// The comment editor: one multi-line field, OK and Cancel. Lines are shown
// with '\n' and handed back with CR LF, as the document keeps them.
class CCommentDlg : public QDialog {
    Q_OBJECT
public:
    CCommentDlg(const std::string& comment, QWidget* parent);
    std::string Comment() const;
    QPlainTextEdit* Editor() const { return m_editor; }

private:
    QPlainTextEdit* m_editor;
};

}  // namespace elix

#include "app/qt_user_interface.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace elix {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString TitleOr(const std::string& title) { return title.empty() ? QStringLiteral("Elastrix") : Q(title); }

// A file named without extension gets the default one, as the classic file
// chooser does.
std::string WithDefaultExtension(const QString& path, const std::string& extension) {
    if (extension.empty() || !QFileInfo(path).suffix().isEmpty()) return path.toStdString();
    return (path + "." + Q(extension)).toStdString();
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QString name = parts[i];
        const qsizetype paren = name.indexOf(" (");
        if (paren >= 0) name.truncate(paren);
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << QStringLiteral("%1 (%2)").arg(name.trimmed(), patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

MessageAnswer CQtUserInterface::ShowMessage(const std::string& text, MessageStyle style, const std::string& title) {
    QMessageBox box(m_parent);
    box.setWindowTitle(TitleOr(title));
    box.setText(Q(text));
    switch (style) {
        case MessageStyle::Plain: box.setIcon(QMessageBox::NoIcon); break;
        case MessageStyle::Information: box.setIcon(QMessageBox::Information); break;
        case MessageStyle::Exclamation:
            box.setIcon(QMessageBox::Warning);
            box.setWindowFlag(Qt::WindowStaysOnTopHint);
            break;
        case MessageStyle::Question:
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
    }
    const int result = box.exec();
    if (style != MessageStyle::Question) return MessageAnswer::Ok;
    return result == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer CQtUserInterface::AskYesNoCancel(const std::string& text) {
    const auto result = QMessageBox::question(m_parent, QStringLiteral("Elastrix"), Q(text),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (result == QMessageBox::Yes) return MessageAnswer::Yes;
    if (result == QMessageBox::No) return MessageAnswer::No;
    return MessageAnswer::Cancel;
}

std::optional<std::string> CQtUserInterface::ChooseFileToOpen(const FileChooserRequest& request) {
    QFileDialog dialog(m_parent, Q(request.title), Q(request.startFolder), QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.proposedName.empty()) dialog.selectFile(Q(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> CQtUserInterface::ChooseFileToSave(const FileChooserRequest& request) {
    QFileDialog dialog(m_parent, Q(request.title), Q(request.startFolder), QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(Q(request.defaultExtension));
    if (!request.proposedName.empty()) dialog.selectFile(Q(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return WithDefaultExtension(dialog.selectedFiles().first(), request.defaultExtension);
}

ImageFormatChoice CQtUserInterface::ChooseImageFormat(const std::string& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), Q(text), QMessageBox::NoButton, m_parent);
    QPushButton* pcx = box.addButton(QStringLiteral("&PCX"), QMessageBox::AcceptRole);
    QPushButton* geo = box.addButton(QStringLiteral("&GEO"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("OK"), QMessageBox::RejectRole);
    box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole);
    box.exec();
    if (box.clickedButton() == pcx) return ImageFormatChoice::Pcx;
    if (box.clickedButton() == geo) return ImageFormatChoice::Geo;
    return ImageFormatChoice::Cancel;
}

bool CQtUserInterface::EditComment(std::string& comment) {
    CCommentDlg dialog(comment, m_parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const std::string edited = dialog.Comment();
    if (edited == comment) return false;
    comment = edited;
    return true;
}

CCommentDlg::CCommentDlg(const std::string& comment, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Comment"));
    m_editor = new QPlainTextEdit(this);
    QString text = Q(comment);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_editor->setPlainText(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_editor);
    layout->addWidget(buttons);
    resize(480, 320);
}

std::string CCommentDlg::Comment() const {
    QString text = m_editor->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text.toStdString();
}

}  // namespace elix

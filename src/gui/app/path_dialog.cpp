#include "app/path_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace elix {

CPathDlg::CPathDlg(const CDirectories& directories, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Elix Path"));
    auto* layout = new QFormLayout(this);
    for (std::size_t k = 0; k < m_fields.size(); ++k) {
        m_fields[k] = new QLineEdit(QString::fromStdString(directories.paths[k]), this);
        m_fields[k]->setMinimumWidth(360);
        layout->addRow(QString::fromUtf8(kDirectoryTable[k].label), m_fields[k]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

CDirectories CPathDlg::Values() const {
    CDirectories values;
    for (std::size_t k = 0; k < m_fields.size(); ++k) values.paths[k] = m_fields[k]->text().toStdString();
    return values;
}

}  // namespace elix

// "Elix Path": the seven default directories, one edit field each.
#pragma once

#include <QDialog>
#include <array>

#include "app/directories.h"

class QLineEdit;

namespace elix {

class CPathDlg : public QDialog {
    Q_OBJECT
public:
    CPathDlg(const CDirectories& directories, QWidget* parent = nullptr);
    // The fields' values.
    CDirectories Values() const;
    QLineEdit* Field(DirectoryKind kind) const { return m_fields[static_cast<std::size_t>(kind)]; }

private:
    std::array<QLineEdit*, kDirectoryCount> m_fields{};
};

}  // namespace elix

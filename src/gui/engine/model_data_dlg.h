// "Model Data": the grid figures of a model that passed the check, the
// memory result and the warnings.
#pragma once

#include <QDialog>

#include "engine/model_check.h"

class QLabel;
class QPlainTextEdit;

namespace elix {

class CModelDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit CModelDataDlg(const ModelData& model, QWidget* parent = nullptr);

    // The value shown beside a label ("Hx:", "Total Step:", "Image File", ...);
    // empty for an unknown label.
    QString Value(const QString& label) const;
    QPlainTextEdit* TextBox() const { return m_textBox; }

private:
    QList<QPair<QString, QLabel*>> m_values;
    QPlainTextEdit* m_textBox;
};

}  // namespace elix

#include "engine/model_data_dlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace elix {

CModelDataDlg::CModelDataDlg(const ModelData& model, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Model Data"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    const std::pair<const char*, const std::string*> rows[] = {
        {"Hx:", &model.hx},           {"Hy:", &model.hy},         {"dt:", &model.dt},
        {"Width:", &model.width},     {"Height:", &model.height}, {"Total Step:", &model.totalStep},
        {"Grid/Pixel:", &model.gridPerPixel}, {"Image File", &model.imageFile},
    };
    for (const auto& [label, value] : rows) {
        auto* field = new QLabel(QString::fromStdString(*value), this);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromLatin1(label), field);
        m_values.append({QString::fromLatin1(label), field});
    }
    layout->addLayout(form);
    m_textBox = new QPlainTextEdit(this);
    m_textBox->setReadOnly(true);
    m_textBox->setPlainText(QString::fromStdString(model.TextBox()));
    m_textBox->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    m_textBox->setMinimumSize(420, 110);
    layout->addWidget(m_textBox, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString CModelDataDlg::Value(const QString& label) const {
    for (const auto& [name, field] : m_values)
        if (name == label) return field->text();
    return {};
}

}  // namespace elix

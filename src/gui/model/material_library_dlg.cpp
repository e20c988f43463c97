#include "model/material_library_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/main_frame.h"
#include "model/elix_doc.h"
#include "model/material_property_dlg.h"

namespace elix {

CMaterialLibrary& ProgramMaterialLibrary() {
    static CMaterialLibrary library;
    return library;
}

CMaterialLibraryDlg::CMaterialLibraryDlg(CMaterialLibrary& library, CMainFrame& frame, CElixDoc& doc,
                                         CMaterialEditor& editor, QWidget* parent)
    : QDialog(parent), m_library(library), m_frame(frame), m_doc(doc), m_editor(editor) {
    setWindowTitle(QStringLiteral("Material Library"));
    m_library.SetUserInterface(&m_frame.UserInterface());

    fromLabel = new QLabel(this);
    auto* rows = new QGridLayout;
    for (int k = 0; k < CMaterialLibrary::kRowsShown; ++k) {
        QCheckBox*& mark = marks[static_cast<std::size_t>(k)];
        QLineEdit*& nameEdit = names[static_cast<std::size_t>(k)];
        mark = new QCheckBox(this);
        nameEdit = new QLineEdit(this);
        nameEdit->setMinimumWidth(nameEdit->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
        rows->addWidget(mark, k, 0);
        rows->addWidget(nameEdit, k, 1);
        connect(mark, &QCheckBox::toggled, this,
                [this, k](bool on) { m_library.SetMark(m_library.FirstShown() + k, on); });
    }

    auto button = [this](const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setAutoDefault(false);
        return b;
    };
    up = button("&Up");
    down = button("&Down");
    addToModel = button("Add to &Model");
    addMaterial = button("&Add Material");
    erase = button("&Erase");
    modify = button("M&odify...");
    load = button("&Load...");
    save = button("&Save...");
    comment = button("&Comment...");
    close = button("Close");
    close->setDefault(true);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {addToModel, addMaterial, erase, modify}) side->addWidget(b);
    side->addSpacing(12);
    for (QPushButton* b : {load, save, comment}) side->addWidget(b);
    side->addStretch(1);
    side->addWidget(close);
    auto* paging = new QHBoxLayout;
    paging->addWidget(up);
    paging->addWidget(down);
    paging->addStretch(1);
    auto* list = new QVBoxLayout;
    list->addWidget(fromLabel);
    list->addLayout(rows);
    list->addLayout(paging);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addSpacing(8);
    layout->addLayout(side);

    connect(up, &QPushButton::clicked, this, [this] {
        TakeRows();
        if (m_library.PageUp()) ShowRows();
    });
    connect(down, &QPushButton::clicked, this, [this] {
        TakeRows();
        if (m_library.PageDown()) ShowRows();
    });
    connect(addToModel, &QPushButton::clicked, this, &CMaterialLibraryDlg::AddToModel);
    connect(addMaterial, &QPushButton::clicked, this, &CMaterialLibraryDlg::AddMaterial);
    connect(erase, &QPushButton::clicked, this, [this] {
        TakeRows();
        m_library.EraseMarked();
        ShowRows();
    });
    connect(modify, &QPushButton::clicked, this, &CMaterialLibraryDlg::Modify);
    const std::string folder = m_frame.Directories()[DirectoryKind::Library];
    connect(load, &QPushButton::clicked, this, [this, folder] {
        TakeRows();
        m_library.LoadChosenFile(folder);
        ShowRows();
    });
    connect(save, &QPushButton::clicked, this, [this, folder] {
        TakeRows();
        m_library.SaveChosenFile(folder);
    });
    connect(comment, &QPushButton::clicked, this, [this] {
        std::string text = m_library.Comment();
        if (m_frame.UserInterface().EditComment(text)) m_library.SetComment(text);
    });
    connect(close, &QPushButton::clicked, this, [this] {
        TakeRows();
        accept();
    });

    m_library.OpenDialog(folder);
    ShowRows();
}

void CMaterialLibraryDlg::ShowRows() {
    fromLabel->setText(QString::fromStdString(m_library.FromNumberText()));
    const CItemList<CMaterialProperty>& items = m_library.Items();
    for (int k = 0; k < CMaterialLibrary::kRowsShown; ++k) {
        const int index = m_library.FirstShown() + k;
        const bool used = index < items.Count();
        QCheckBox* mark = marks[static_cast<std::size_t>(k)];
        QLineEdit* nameEdit = names[static_cast<std::size_t>(k)];
        const QSignalBlocker block(mark);
        mark->setChecked(used && items[index].libraryMark != 0);
        nameEdit->setText(used ? QString::fromStdString(items[index].name) : QString());
        nameEdit->setCursorPosition(0);
        mark->setEnabled(used);
        nameEdit->setEnabled(used);
    }
    up->setEnabled(m_library.FirstShown() > 0);
    down->setEnabled(m_library.FirstShown() < items.Count() - CMaterialLibrary::kRowsShown);
}

void CMaterialLibraryDlg::TakeRows() {
    const CItemList<CMaterialProperty>& items = m_library.Items();
    for (int k = 0; k < CMaterialLibrary::kRowsShown; ++k) {
        const int index = m_library.FirstShown() + k;
        if (index >= items.Count()) break;
        const std::string text = names[static_cast<std::size_t>(k)]->text().toStdString();
        if (text != items[index].name) m_library.Rename(index, text);
    }
}

void CMaterialLibraryDlg::AddToModel() {
    TakeRows();
    m_library.AddMarkedToModel(m_doc);
    // The editor shows the material added last.
    m_editor.Items().Load();
    ShowRows();
}

void CMaterialLibraryDlg::AddMaterial() {
    TakeRows();
    m_library.AddMaterial(m_editor.Buffer());
    ShowRows();
}

void CMaterialLibraryDlg::Modify() {
    TakeRows();
    CMaterialEditor editor = m_library.Modify();
    IDesktopUserInterface& ui = m_frame.UserInterface();
    CMaterialPropertyDlg dialog(
        editor, &m_frame, nullptr, [&ui](const std::string& text, MessageStyle style) {
            return ui.ShowMessage(text, style, std::string());
        },
        this);
    dialog.exec();
    ShowRows();
}

}  // namespace elix

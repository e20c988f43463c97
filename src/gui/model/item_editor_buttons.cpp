#include "model/item_editor_buttons.h"

#include <QGridLayout>

namespace elix {

CItemEditorButtons::CItemEditorButtons(QWidget* parent) : QWidget(parent) {
    auto button = [this](const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setAutoDefault(false);
        return b;
    };
    previous = button("<< P&revious");
    next = button("Ne&xt >>");
    add = button("&Add");
    copy = button("&Copy");
    remove = button("&Delete");
    show = button("&Show");
    apply = button("A&pply");
    ok = button("OK");
    cancel = button("Cancel");
    ok->setDefault(true);
    ok->setAutoDefault(true);
    // Two rows: list navigation and list changes on the left, the closing
    // buttons on the right.
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(previous, 0, 0);
    grid->addWidget(next, 0, 1);
    grid->addWidget(show, 0, 2);
    grid->addWidget(add, 1, 0);
    grid->addWidget(copy, 1, 1);
    grid->addWidget(remove, 1, 2);
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(3, 1);
    grid->addWidget(apply, 0, 4);
    grid->addWidget(ok, 0, 5);
    grid->addWidget(cancel, 1, 5);
}

}  // namespace elix

#pragma once

#include <QObject>

namespace elix::test {

class OverlayEditingTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void draggingAReceiverSavesItsNewSegment();
    void showAllPaintsItemsOverTheModel();
    void rightButtonOpensTheElixMenu();
};

}  // namespace elix::test

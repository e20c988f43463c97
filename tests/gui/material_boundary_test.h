#pragma once

#include <QObject>

namespace elix::test {

class MaterialBoundaryJobTest : public QObject {
    Q_OBJECT
private slots:
    void materialEditorAddsCopiesDeletesAndSaves();
    void materialEditorRefusesTextThatIsNoNumber();
    void libraryAddsAStandardMaterialToTheModel();
    void libraryTakesModelMaterialsAndSavesThem();
    void detailEditorsChangeTheExtendedConstants();
    void boundaryConditionCoversTheLeftSide();
    void advancedAndInfiniteBoundaryEditors();
    void jobParametersStoreTheirUnitsAndRules();
};

}  // namespace elix::test

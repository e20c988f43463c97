#pragma once

#include <QObject>

namespace elix::test {

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void menuBarsFollowTheActiveModel();
    void enableRulesFollowTheModel();
    void withdrawnItemsLeaveEveryMenu();
    void openAndSaveThroughTheFileChoosers();
    void zoomIsSharedByTheViewsOfAModel();
    void mouseMoveShowsPixelAndMaterial();
    void setDirectoriesWritesTheFileAndCreatesFolders();
    void startUpChecksFoldersAndRefusesASecondInstance();
    void exitAsksAndRefusesWhileRunning();
    void commentEditorMarksOnlyChanges();
    void batchRunWithoutDisplayWritesReceiverFiles();
};

}  // namespace elix::test

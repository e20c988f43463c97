#pragma once

#include <QObject>

namespace elix::test {

class GeometryDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void drawnModelMatchesTheCoreCommands();
    void cancelAndNoChangeNothing();
    void badFieldsAreRefusedAndKeepTheDialogOpen();
    void userObjectFilesAreCheckedAndPainted();
    void setResolutionKeepsThePixels();
    void wedgeDialogStaysOpenAfterAFailure();
    void choosersAndMadeFilesFollowTheDirectoriesFile();
    void commandsFollowTheirEnableRules();
    void screenshots();
};

}  // namespace elix::test

#pragma once

#include <QObject>

#include "view/zoom_dialog.h"

namespace elix::test {

// A dialog of its own class without a manual page: its help is that of
// the nearest base class that has one.
class CUndocumentedZoomDlg : public CZoomDlg {
    Q_OBJECT
public:
    using CZoomDlg::CZoomDlg;
};

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void pageNamesFollowTheClass();
    void helpTopicsShowsTheContentsPage();
    void f1InAModalDialogShowsItsPageBesideIt();
    void f1InTheMainWindowShowsItsPage();
    void helpButtonsOpenTheirDialogsPage();
    void aMissingManualIsReported();
    void screenshots();
};

}  // namespace elix::test

#pragma once

#include <QObject>

namespace elix::test {

class DesignerJobsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void designerBuildsAModelThatRuns();
    void designerRefusesBadFieldsAndFollowsTheActiveModel();
    void panelEditsPagesSavesAndLoadsTheList();
    void panelRunsTheJobsAndLogsTheFailure();
};

}  // namespace elix::test

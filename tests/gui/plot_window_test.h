#pragma once

#include <QObject>

namespace elix::test {

class PlotWindowTest : public QObject {
    Q_OBJECT
private slots:
    void runGrowsTheReceiverPlotAndItsSpectrumPeaksAtTheSource();
    void plotDialogSetsLimitsDeletesAndExports();
    void paintedPixelsAgreeWithTheSvgPicture();
    void mouseZoomsReadsOutAndExportsThePlot();
    void attenuationAgainstTheChosenReference();
    void timerShowsTheCoresDelaysAndVelocities();
    void noReceiverDataOpensNoWindow();
};

}  // namespace elix::test

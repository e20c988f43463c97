#pragma once

#include <QObject>

namespace elix::test {

class RunWindowTest : public QObject {
    Q_OBJECT
private slots:
    void runPausesRunsToAStepStopsAndRestarts();
    void liveFrameContrastDumpAndStopWithoutRestart();
    void checkModelShowsTheGridFigures();
    void playbackStepsThroughSavedFrames();
    void colourMapRepaintsTheFrameAndSavesItAsPng();
};

}  // namespace elix::test

#pragma once

#include <QObject>

namespace elix::test {

class SourceReceiverTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void typedFocusedArrayGivesTheExampleDelays();
    void pulseEchoOwnsItsEchoReceiver();
    void receiverEditorRefusesSharedFilesAndBadNumbers();
    void waveformFilesAreCheckedBeforeUse();
    void detailCyclesAreWrittenToTheModelFile();
    void wedgeIsPaintedWhenTheSourceIsApplied();
    void modelTypedInRunsLikeTheExample();
    void screenshots();
};

}  // namespace elix::test

// The small model and the monitor that the run-loop tests share.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "engine/run.h"
#include "engine_test_support.h"
#include "support/temp_dir.h"

namespace elix::test {

// Counts progress calls and frames; asks to stop after stopAfter.
class CountingMonitor : public IRunMonitor {
public:
    int progressCalls = 0;
    int frames = 0;
    int stopAfter = -1;
    std::string lastText;
    void Progress(int step, int, const std::string& text) override {
        ++progressCalls;
        lastText = text;
        lastStep = step;
    }
    bool StopRequested() override { return IRunMonitor::StopRequested() || (stopAfter >= 0 && lastStep >= stopAfter); }
    void Frame(int, const CNodeGrid&) override { ++frames; }
    int lastStep = -1;
};

// A 3 mm x 2 mm steel plate with a vacuum hole, a source on top, an echo
// receiver on the source and one on the bottom, absorbing sides.
inline void MakeModel(CElixDoc& doc, test::TempDir& dir) {
    SCOPED_TRACE("model");
    doc.SetPathName(dir.Path("plate.wmd"));
    doc.AddItem(Material("Steel", 0, 7850, 5900, 3230));
    SetImage(doc, 30, 20, 0, 10.0);
    doc.image.Rows[12][15] = doc.image.Rows[12][16] = 255;
    // A working copy, from which a run takes the geometry back after the
    // frames of an earlier run replaced it on display.
    doc.WorkingFileName = dir.Path("plate0000Tmp.geo");
    ASSERT_TRUE(doc.WriteImageFile(doc.WorkingFileName));
    CSource source;
    source.name = "Tx";
    source.x1 = 0.002f;
    source.y1 = 0.0f;
    source.x2 = 0.001f;
    source.y2 = 0.0f;
    source.longitudinalTimeFunction = "Sine Pulse,2,1,5e+06";
    source.longitudinalDuration = 2e-7f;
    doc.AddItem(source);
    CReceiver echo;
    echo.name = "Echo";
    echo.outputFile = "echo.txt";
    echo.x1 = 0.002f;
    echo.x2 = 0.001f;
    echo.y1 = echo.y2 = 0.0f;
    echo.averagedOnly = 0;
    doc.AddItem(echo);
    CReceiver bottom;
    bottom.name = "Bottom";
    bottom.outputFile = "bottom.txt";
    bottom.x1 = 0.001f;
    bottom.x2 = 0.002f;
    bottom.y1 = bottom.y2 = 0.002f;
    bottom.dataType = 1;
    doc.AddItem(bottom);
    doc.job.MinWaveLength = 0.001f;
    doc.job.Duration = 1e-6f;
    doc.job.InfiniteBCIndex = 4 | 8;
    doc.job.DispFreq = 5;
}

}  // namespace elix::test

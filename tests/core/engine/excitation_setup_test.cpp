#include "engine/excitation_setup.h"

#include <gtest/gtest.h>

#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

TEST(ExcitationSetupTest, UserWaveformsAreLoadedOnlyWhenUsed) {
    test::TempDir dir;
    CElixDoc doc;
    doc.SetPathName(dir.Path("model.wmd"));
    CSource source;
    source.name = "S";
    ASSERT_TRUE(doc.AddItem(source));
    std::string error;
    // No source uses User1: the missing default file does not matter.
    EXPECT_TRUE(LoadUserWaveforms(doc, error)) << error;
    doc.Sources()[0].shearTimeFunction = "User1,1,2";
    EXPECT_FALSE(LoadUserWaveforms(doc, error));
    EXPECT_EQ(error.rfind("Unable to open file '", 0), 0u) << error;
    EXPECT_NE(error.find("User1.wtf"), std::string::npos);
    // Relative to the model's folder.
    dir.Write("User1.wtf", "<<TimeFunction>>\n# half a sine\n3\n0 1 0\n");
    ASSERT_TRUE(LoadUserWaveforms(doc, error)) << error;
    ASSERT_EQ(doc.waveforms.user1.values.size(), 3u);
    EXPECT_EQ(doc.waveforms.user1.values[1], 1.0f);
    // A boundary condition using User2 asks for UserFile2.
    CBoundaryCondition bc;
    bc.name = "B";
    bc.longitudinalSignalName = "User2";
    ASSERT_TRUE(doc.AddItem(bc));
    doc.job.UserFile2 = "waves/u2.wtf";
    EXPECT_FALSE(LoadUserWaveforms(doc, error));
    EXPECT_NE(error.find("waves/u2.wtf"), std::string::npos);
}

TEST(ExcitationSetupTest, FileProblemsAreReportedThroughTheDocument) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    doc.SetPathName(dir.Path("model.wmd"));
    const TimeFunctionContext context = TimeFunctionContextOf(doc);
    const TimeFunctionSpec pulse = ParseTimeFunction("File<missing.wtf>,1,1");
    EXPECT_EQ(EvaluateTimeFunction(0, 1e-8f, 0.0f, 1e-6f, pulse, context), 0.0f);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.LastText(), "Unable to open source signal file '" + dir.Path("missing.wtf") + "'.");
    EXPECT_EQ(EvaluateTimeFunction(1, 1e-8f, 0.0f, 1e-6f, pulse, context), 0.0f);
    EXPECT_EQ(ui.shown.size(), 1u);  // once, at the first step
}

}  // namespace
}  // namespace elix

// A catalogue of malformed files for every reader of outside data: each is
// refused with its exact message (or, where the format allows, read
// leniently), nothing crashes, no file is written and what the reader
// fills is left as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/plot_data.h"
#include "app/job_list.h"
#include "engine/run.h"
#include "engine/waveform_file.h"
#include "model/elix_doc.h"
#include "model/material_library.h"
#include "platform/text_format.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;

// One malformed file and the message it must give; %s stands for its path.
struct BadFile {
    const char* what;
    std::string content;
    const char* message;
};

const std::string kGarbage("\x00\xff\x7f<<\x01\x02\xfe\r\n\x80\x00\x13", 13);

// The names of the files in a folder: a refused read writes none.
std::vector<std::string> FolderListing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(BadInputTest, ModelFileCatalogue) {
    const std::string head = "<<ElastrixModel>>\n<Version> 2.42\n";
    const std::vector<BadFile> files = {
        {"empty", "",
         "File '%s' is not a Elastrix/Elastrix Plus model. To load a geometry file, please use 'Load Geometry' "
         "command under Elix -> Geometry menu."},
        {"wrong magic", "<<ElastrixModelX>>\n<<EndElastrixModel>>\n",
         "File '%s' is not a Elastrix/Elastrix Plus model. To load a geometry file, please use 'Load Geometry' "
         "command under Elix -> Geometry menu."},
        {"binary garbage", kGarbage,
         "File '%s' is not a Elastrix/Elastrix Plus model. To load a geometry file, please use 'Load Geometry' "
         "command under Elix -> Geometry menu."},
        {"plus model", "<<ElastrixPlusModel>>\n", "'%s' is a Elastrix Plus model and can't be opened by Elastrix."},
        {"truncated header", head + "<Header>\nFormat 1\n", "No keyword <EndHeader> in '%s'."},
        {"truncated comment", head + "<Comment>\nline\n", "No keyword <EndComment> in '%s'."},
        {"truncated geometry", head + "<Geometry>\nFormat 1\n", "No keyword <EndGeometry> in '%s'."},
        {"truncated materials", head + "<MaterialProperties>\n~Steel\n1 7850 1e11\n",
         "No keyword <EndMaterialProperties> in '%s'."},
        {"truncated conditions", head + "<BoundaryConditions>\n", "No keyword <EndBoundaryConditions> in '%s'."},
        {"truncated sources", head + "<Sources>\n~Tx\n", "No keyword <EndSources> in '%s'."},
        {"truncated receivers", head + "<Receivers>\n", "No keyword <EndReceivers> in '%s'."},
        {"truncated job", head + "<JobParameters>\nDuration 1e-5\n", "No keyword <EndJobParameters> in '%s'."},
        {"no end marker", head + "<JobParameters>\n<EndJobParameters>\n", "No keyword <<EndElastrixModel>> in '%s'."},
        {"garbage after magic", head + kGarbage, "No keyword <<EndElastrixModel>> in '%s'."},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        test::TempDir dir;
        const std::string path = dir.Write("bad.wmd", file.content);
        test::ScriptedUserInterface ui;
        CElixDoc doc;
        doc.SetUserInterface(&ui);
        EXPECT_FALSE(doc.ReadModel(path));
        EXPECT_EQ(doc.MessageText(), Format(file.message, path));
        EXPECT_EQ(FolderListing(dir.Root()), std::vector<std::string>{"bad.wmd"});
        EXPECT_EQ(ReadFileText(path), file.content);
        EXPECT_EQ(doc.WorkingFileName, "None");
        // A file refused at its first word has nothing read into the
        // document; one refused later is abandoned by the open command
        // together with what had been read.
        if (std::string(file.message).rfind("No keyword", 0) != 0) {
            EXPECT_EQ(doc.Materials().Count() + doc.Sources().Count() + doc.Receivers().Count(), 0);
        }
    }
}

TEST(BadInputTest, ModelFileLenientValues) {
    // Values that are not numbers keep their defaults; a geometry that is
    // garbage opens the model without geometry after a warning; a missing
    // file gives its message.
    test::TempDir dir;
    dir.Write("plate.pcx", kGarbage);
    const std::string path = dir.Write(
        "odd.wmd",
        "<<ElastrixModel>>\n<Version> abc\n<Geometry>\nImageFileName plate.pcx\n<EndGeometry>\n<JobParameters>\n"
        "PointPerCycle -x\nDuration 1e400x\nThreadTotal 99999999999\n<EndJobParameters>\n<<EndElastrixModel>>\n");
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    ASSERT_TRUE(doc.ReadModel(path)) << doc.MessageText();
    EXPECT_EQ(doc.job.PointPerCycle, CJobParameters{}.PointPerCycle);
    EXPECT_EQ(doc.WorkingFileName, "None");
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(FolderListing(dir.Root()), (std::vector<std::string>{"odd.wmd", "plate.pcx"}));

    EXPECT_FALSE(doc.ReadModel(dir.Path("missing.wmd")));
    EXPECT_EQ(doc.MessageText(), Format("Unable to open file '%s'.", dir.Path("missing.wmd")));
}

TEST(BadInputTest, MaterialLibraryCatalogue) {
    const std::string head = "<<MaterialPropertyLibrary>>\n<Version> 2.30\n";
    const std::vector<BadFile> files = {
        {"empty", "", "No keyword <<MaterialPropertyLibrary>> in '%s'"},
        {"wrong magic", "<<MaterialLibrary>>\n", "No keyword <<MaterialPropertyLibrary>> in '%s'"},
        {"binary garbage", kGarbage, "No keyword <<MaterialPropertyLibrary>> in '%s'"},
        {"truncated header", head + "<Header>\n", "No keyword <EndHeader> in '%s'"},
        {"truncated comment", head + "<Comment>\nabc\n", "No keyword <EndComment> in '%s'"},
        {"truncated materials", head + "<MaterialProperties>\n~Steel\n2 7850\n",
         "No keyword <EndMaterialProperties> in '%s'"},
        {"no end marker", head + "<MaterialProperties>\n<EndMaterialProperties>\n",
         "No keyword <<EndMaterialPropertyLibrary>> in '%s'"},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        test::TempDir dir;
        const std::string path = dir.Write("bad.mpd", file.content);
        std::vector<std::string> boxes;
        CMaterialLibrary library;
        library.SetReporter([&](const std::string& text, MessageStyle, const std::string& title) {
            boxes.push_back(title + ": " + text);
            return MessageAnswer::Ok;
        });
        EXPECT_FALSE(library.Load(path));
        EXPECT_EQ(library.ErrorText(), Format(file.message, path));
        EXPECT_EQ(boxes, std::vector<std::string>{"Info: " + Format(file.message, path)});
        EXPECT_EQ(FolderListing(dir.Root()), std::vector<std::string>{"bad.mpd"});
    }
}

TEST(BadInputTest, MaterialLibraryOpenFailureAndHugeCount) {
    test::TempDir dir;
    CMaterialLibrary library;
    std::vector<std::string> texts;
    library.SetReporter([&](const std::string& text, MessageStyle, const std::string&) {
        texts.push_back(text);
        return MessageAnswer::Ok;
    });
    // A file that cannot be opened (a folder, a missing file) keeps what
    // the library held.
    std::string many = "<<MaterialPropertyLibrary>>\n<MaterialProperties>\n";
    for (int k = 0; k < 520; ++k) many += "~M" + std::to_string(k) + "\n1 1000 1e9 1e9 0 0 7 0\nItemEnd\n";
    many += "<EndMaterialProperties>\n<<EndMaterialPropertyLibrary>>\n";
    ASSERT_TRUE(library.LoadText(many, "many.mpd"));
    EXPECT_EQ(library.Count(), CMaterialLibrary::kCapacity);
    EXPECT_EQ(texts, std::vector<std::string>{"Only 500 items can be loaded"});
    EXPECT_FALSE(library.Load(dir.Root()));
    EXPECT_FALSE(library.Load(dir.Path("none.mpd")));
    EXPECT_EQ(library.ErrorText(), Format("Unable to open file '%s'.", dir.Path("none.mpd")));
    EXPECT_EQ(library.Count(), CMaterialLibrary::kCapacity);
}

TEST(BadInputTest, WaveformFileCatalogue) {
    const std::vector<BadFile> files = {
        {"empty", "", "'%s' has wrong format."},
        {"wrong magic", "<<Waveform>>\n2\n1 2\n", "'%s' has wrong format."},
        {"binary garbage", kGarbage, "'%s' has wrong format."},
        {"negative count", "<<TimeFunction>>\n-3\n1 2 3\n", "'%s' has wrong format."},
        {"count not a number", "<<TimeFunction>>\nten\n1 2 3\n", "'%s' has wrong format."},
        {"sample not finite", "<<TimeFunction>>\n2\n1 1e39\n", "'%s' has wrong format."},
        {"zero count", "<<TimeFunction>>\n0\n", "Not enough data points in file '%s'."},
        {"huge count", "<<TimeFunction>>\n2000000000\n1 2 3\n", "Not enough data points in file '%s'."},
        {"truncated samples", "<<TimeFunction>>\n4\n1 2 3", "Not enough data points in file '%s'."},
        {"sample not a number", "<<TimeFunction>>\n3\n1 x 3\n", "Not enough data points in file '%s'."},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        test::TempDir dir;
        const std::string path = dir.Write("User1.wtf", file.content);
        CWaveformStore store;
        store.user1.values = {0.5f};
        const CWaveformTable before = store.user1;
        std::string message;
        EXPECT_FALSE(store.LoadUserWaveform(1, "User1.wtf", dir.Path("model.wmd"), message));
        EXPECT_EQ(message, Format(file.message, path));
        EXPECT_EQ(store.user1, before);
        EXPECT_EQ(FolderListing(dir.Root()), std::vector<std::string>{"User1.wtf"});
    }
}

TEST(BadInputTest, BatchListCatalogue) {
    const std::vector<BadFile> files = {
        {"empty", "", "Wrong file."},
        {"wrong magic", "<<ElastrixJobList>>\n/a.wmd\n", "Wrong file."},
        {"binary garbage", kGarbage, "Wrong file."},
        {"marker glued to text", "<<ElastrixBatchJobList>>x\n/a.wmd\n", "Wrong file."},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        test::TempDir dir;
        const std::string path = dir.Write("bad.wbf", file.content);
        test::ScriptedUserInterface ui;
        CJobList list;
        list.AddFiles({"/m/one.wmd"}, ui);
        EXPECT_FALSE(list.LoadBatchFile(path, ui));
        EXPECT_EQ(ui.LastText(), file.message);
        EXPECT_EQ(list.Paths(), std::vector<std::string>{"/m/one.wmd"});
        EXPECT_TRUE(list.ListFileName().empty());
    }
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CJobList list;
    EXPECT_FALSE(list.LoadBatchFile(dir.Root(), ui));
    EXPECT_EQ(ui.LastText(), Format("Can't open the batch file '%s'.", dir.Root()));
    // Without its end marker the list runs to the end of the file; past 128
    // jobs lines are ignored.
    std::string many = "<<ElastrixBatchJobList>>\n";
    for (int k = 0; k < 200; ++k) many += "  /m/job" + std::to_string(k) + ".wmd \r\n\n";
    ASSERT_TRUE(list.LoadBatchFile(dir.Write("many.wbf", many), ui));
    ASSERT_EQ(list.Count(), CJobList::kMaxJobs);
    EXPECT_EQ(list.Paths().back(), "/m/job127.wmd");
}

TEST(BadInputTest, ReceiverOutputFileCatalogue) {
    // Nothing usable: the load is refused and the plot keeps its curves.
    const std::vector<BadFile> files = {
        {"empty", "", ""},
        {"binary garbage", kGarbage, ""},
        {"non-numbers", "a b c d\nstep 0.1 0.2 0.3\n", ""},
        {"negative step", "-1 0.0 0.5 0.5\n", ""},
        {"huge step", "100000001 1.0 0.5 0.5\n", ""},
        {"truncated line", "0 0.00000 0.5\n", ""},
    };
    for (const BadFile& file : files) {
        SCOPED_TRACE(file.what);
        test::TempDir dir;
        const std::string path = dir.Write("rx.txt", file.content);
        CPlotData plot;
        ASSERT_TRUE(plot.AllocateCurves(2, 3, 1e-7));
        plot.SetLegend(0, "L - kept");
        EXPECT_TRUE(ParseReceiverFileText(file.content).empty());
        EXPECT_FALSE(plot.LoadReceiverFile(0.0f, 0.0f, path, "rx"));
        ASSERT_EQ(plot.CurveCount(), 2);
        EXPECT_EQ(plot.Curves()[0].legend, "L - kept");
    }
}

}  // namespace
}  // namespace elix

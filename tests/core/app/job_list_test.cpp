#include "app/job_list.h"

#include <gtest/gtest.h>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;

std::vector<std::string> Numbered(const std::string& stem, int count) {
    std::vector<std::string> paths;
    for (int k = 1; k <= count; ++k) paths.push_back("/models/" + stem + std::to_string(k) + ".wmd");
    return paths;
}

class JobListTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CJobList list;
};

TEST_F(JobListTest, LoadingAppendsUpToTheCapacity) {
    const std::string path =
        dir.Write("two.wbf", "<<ElastrixBatchJobList>>\n/a/one.wmd\n/a/two.wmd\n<<EndElastrixBatchJobList>>\n");
    ASSERT_TRUE(list.LoadBatchFile(path, ui));
    ASSERT_TRUE(list.LoadBatchFile(path, ui));
    const std::vector<std::string> expected{"/a/one.wmd", "/a/two.wmd", "/a/one.wmd", "/a/two.wmd"};
    EXPECT_EQ(list.Paths(), expected);
    EXPECT_EQ(list.ListFileName(), path);
    EXPECT_EQ(list.StatusText(), path + "\nJob No.: 1-4, total: 4");
    // Up to the capacity; further paths are ignored without a message.
    const std::string big = dir.Write("big.wbf", CJobList::BatchFileText(Numbered("job", 100)));
    ASSERT_TRUE(list.LoadBatchFile(big, ui));
    ASSERT_TRUE(list.LoadBatchFile(big, ui));
    ASSERT_EQ(list.Count(), CJobList::kMaxJobs);
    EXPECT_EQ(list.Paths()[127], "/models/job24.wmd");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(JobListTest, LoadingToleratesBlanksCaseAndAMissingEndMarker) {
    // Leading blanks, blank lines, CR LF line ends and markers in any case;
    // the rest of the start marker's line and lines after the end marker
    // are not jobs.
    const std::string marked =
        dir.Write("marked.wbf",
                  "  <<elastrixbatchjoblist>>\r\n\r\n   /m/first.wmd\r\n\t/m/second.wmd  \r\n   \r\n"
                  "  <<ENDELASTRIXBATCHJOBLIST>>\r\n/m/after.wmd\r\n");
    ASSERT_TRUE(list.LoadBatchFile(marked, ui));
    EXPECT_EQ(list.Paths(), (std::vector<std::string>{"/m/first.wmd", "/m/second.wmd"}));
    // Without its end marker the jobs run up to the end of the file, the
    // last line without a line end included.
    const std::string open = dir.Write("open.wbf", "<<ElastrixBatchJobList>>\n/o/a.wmd\n/o/b.wmd");
    ASSERT_TRUE(list.LoadBatchFile(open, ui));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Paths()[3], "/o/b.wmd");
    EXPECT_EQ(list.ListFileName(), open);
}

TEST_F(JobListTest, LoadFailuresLeaveTheListUnchanged) {
    list.AddFiles({"/x/kept.wmd"}, ui);
    const std::string missing = dir.Path("missing.wbf");
    EXPECT_FALSE(list.LoadBatchFile(missing, ui));
    EXPECT_EQ(ui.LastText(), "Can't open the batch file '" + missing + "'.");
    const std::string model = dir.Write("model.wbf", "<<ElastrixModel>>\n/x/other.wmd\n");
    EXPECT_FALSE(list.LoadBatchFile(model, ui));
    EXPECT_EQ(ui.LastText(), "Wrong file.");
    EXPECT_FALSE(list.LoadBatchFile(dir.Write("empty.wbf", ""), ui));
    EXPECT_EQ(ui.LastText(), "Wrong file.");
    EXPECT_EQ(list.Paths(), std::vector<std::string>{"/x/kept.wmd"});
    EXPECT_EQ(list.ListFileName(), "");
}

TEST_F(JobListTest, SavingWritesTheExactFormatAndLoadsBack) {
    list.AddFiles({"/s/a b.wmd", "C:\\models\\c.wmd"}, ui);
    const std::string path = dir.Path("saved.wbf");
    ASSERT_TRUE(list.SaveBatchFile(path, ui));
    EXPECT_EQ(ReadFileText(path),
              "<<ElastrixBatchJobList>>\n/s/a b.wmd\nC:\\models\\c.wmd\n<<EndElastrixBatchJobList>>\n");
    EXPECT_EQ(list.ListFileName(), path);
    CJobList reread;
    ASSERT_TRUE(reread.LoadBatchFile(path, ui));
    EXPECT_EQ(reread.Paths(), list.Paths());

    const std::string unwritable = dir.Path("no-such-folder/list.wbf");
    EXPECT_FALSE(list.SaveBatchFile(unwritable, ui));
    EXPECT_EQ(ui.LastText(), "Batch job list file '" + unwritable + "' can't be saved.");
    EXPECT_EQ(list.ListFileName(), path);
}

TEST_F(JobListTest, SaveAsksForANameOnlyWhenThereIsNone) {
    list.AddFiles({"/s/a.wmd"}, ui);
    EXPECT_FALSE(list.Save(ui, "/models/"));  // chooser cancelled
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileChooserRequest& request = ui.fileRequests[0];
    EXPECT_EQ(request.title, "Save a batch job list file");
    EXPECT_EQ(request.filter, "Elastrix Batch Files (*.wbf)|*.wbf|All Files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, "wbf");
    EXPECT_EQ(request.startFolder, "/models/");
    EXPECT_TRUE(request.confirmOverwrite);
    const std::string path = dir.Path("chosen.wbf");
    ui.files = {path};
    ASSERT_TRUE(list.Save(ui, "/models/"));
    EXPECT_EQ(list.ListFileName(), path);
    // Now Save writes there without asking.
    ASSERT_TRUE(list.Save(ui, "/models/"));
    EXPECT_EQ(ui.fileRequests.size(), 2u);
}

TEST_F(JobListTest, AddFilesSkipsDuplicatesOfAnyCaseAndStopsAtTheMaximum) {
    EXPECT_EQ(list.AddFiles({"/M/Plate.wmd", "/m/plate.WMD", "/m/other.wmd"}, ui), 2);
    EXPECT_EQ(list.AddFiles({"/m/OTHER.wmd"}, ui), 0);
    EXPECT_TRUE(ui.shown.empty());

    EXPECT_EQ(list.AddFiles(Numbered("job", 126), ui), 126);
    EXPECT_TRUE(ui.shown.empty());
    // Full: the first further file is refused with one message; a
    // duplicate before it is still passed over silently.
    EXPECT_EQ(list.AddFiles({"/m/plate.wmd", "/m/new1.wmd", "/m/new2.wmd"}, ui), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Selected jobs reached the maximum (128), no more job can be added.");
    EXPECT_EQ(list.Count(), 128);
    EXPECT_EQ(AddJobsRequest("/d/").filter, "Elastrix Files (*.wmd)|*.wmd|All Files (*.*)|*.*||");
    EXPECT_EQ(AddJobsRequest("/d/").title, "Add jobs for this session");
}

TEST_F(JobListTest, PagingShowsTenRowsAndReportsThem) {
    EXPECT_EQ(list.StatusText(), "\nThere is no file in the list.");
    EXPECT_FALSE(list.Down());
    list.AddFiles(Numbered("job", 15), ui);
    EXPECT_EQ(list.StatusText(), "\nJob No.: 1-10, total: 15");
    EXPECT_FALSE(list.Up());
    ASSERT_TRUE(list.Down());
    EXPECT_EQ(list.FirstShown(), 10);
    EXPECT_EQ(list.StatusText(), "\nJob No.: 11-15, total: 15");
    const auto rows = list.ShownRows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].path, "/models/job11.wmd");
    EXPECT_FALSE(list.Down());
    EXPECT_EQ(list.FirstShown(), 10);
    ASSERT_TRUE(list.Up());
    EXPECT_EQ(list.StatusText(), "\nJob No.: 1-10, total: 15");
}

TEST_F(JobListTest, StoredRowsAndDeleting) {
    list.AddFiles(Numbered("job", 15), ui);
    ASSERT_TRUE(list.Down());
    // The panel's ten rows: five show jobs 11-15; the empty rows below them
    // are not stored.
    std::vector<CJobList::Row> rows(10);
    for (int k = 0; k < 5; ++k) rows[static_cast<std::size_t>(k)] = list.ShownRows()[static_cast<std::size_t>(k)];
    rows[0].path = "/edited/eleven.wmd";
    rows[1].marked = rows[4].marked = true;
    rows[7] = {"/ghost.wmd", true};
    list.StoreRows(rows);
    EXPECT_EQ(list.Count(), 15);
    EXPECT_EQ(list.Paths()[10], "/edited/eleven.wmd");
    EXPECT_TRUE(list.Marked(11));

    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(list.DeleteSelected(ui));
    EXPECT_EQ(ui.LastText(), "Do you want to delete all marked jobs in the session?");
    EXPECT_EQ(list.Count(), 15);

    ASSERT_TRUE(list.DeleteSelected(ui));
    ASSERT_EQ(list.Count(), 13);
    EXPECT_EQ(list.Paths()[10], "/edited/eleven.wmd");
    EXPECT_EQ(list.Paths()[11], "/models/job13.wmd");
    EXPECT_EQ(list.Paths()[12], "/models/job14.wmd");
    for (int k = 0; k < list.Count(); ++k) EXPECT_FALSE(list.Marked(k)) << k;
    EXPECT_EQ(list.StatusText(), "\nJob No.: 11-13, total: 13");

    ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    EXPECT_FALSE(list.DeleteAll(ui));
    ASSERT_TRUE(list.DeleteAll(ui));
    EXPECT_EQ(ui.LastText(), "Do you want to delete all jobs in the session?");
    EXPECT_EQ(list.StatusText(), "\nThere is no file in the list.");
    EXPECT_EQ(list.FirstShown(), 0);
}

}  // namespace
}  // namespace elix

#include "engine/waveform_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::TempDir;

const std::string kOpenAdvice =
    "Make sure the file exist or Choose 'Source Configuration' command under Elix menu to change user time "
    "function files by click 'Change User Files' button.";

WaveformStatus Parse(const std::string& text, CWaveformTable& table) {
    return ParseWaveformText(text, table);
}

// ---------------------------------------------------------------------------
// Reading

TEST(WaveformFileTest, ReadsHeaderCommentAndSamples) {
    struct Case {
        const char* text;
        const char* comment;
        std::vector<float> values;
    };
    const Case cases[] = {
        {"<<TimeFunction>>\n# Two-cycle burst\n#  by hand\n4\n0.5 -1\n2.25\n1e-3\n",
         "# Two-cycle burst\n#  by hand",
         {0.5f, -1.0f, 2.25f, 1e-3f}},
        // Anything after the N samples is ignored.
        {"<<TimeFunction>>\n2\n7 8 9 trailing words\n", "", {7.0f, 8.0f}},
        // The older header; samples on the header line, no line end at all.
        {"  <TimeFunction>\n1\n-2.5\n", "", {-2.5f}},
        {"<<TimeFunction>> 3 1 2 3", "", {1.0f, 2.0f, 3.0f}},
        // CR LF line ends, and stray CRs before a line end, are not kept.
        {"<<TimeFunction>>\r\n#first\r\n#second\r\n2\r\n1\r\n2\r\n", "#first\n#second", {1.0f, 2.0f}},
        {"<<TimeFunction>>\n#x\r\r\n#y\rz\n1 5\n", "#x\n#y\rz", {5.0f}},
        // Blank lines before the comment; a lone '#' is a comment line.
        {"<<TimeFunction>>\n\n\n#\n#b\n1 5\n", "#\n#b", {5.0f}},
    };
    for (const Case& c : cases) {
        CWaveformTable table;
        ASSERT_EQ(Parse(c.text, table), WaveformStatus::Ok) << c.text;
        EXPECT_EQ(table.comment, c.comment) << c.text;
        EXPECT_EQ(table.values, c.values) << c.text;
    }
}

TEST(WaveformFileTest, EachMalformedFileGivesItsStatusAndLeavesTheTableAlone) {
    struct Case {
        const char* text;
        WaveformStatus status;
    };
    const Case cases[] = {
        {"", WaveformStatus::WrongFormat},
        {"   \n\n", WaveformStatus::WrongFormat},
        {"<<TimeFunctions>>\n1\n1\n", WaveformStatus::WrongFormat},
        {"TimeFunction\n1\n1\n", WaveformStatus::WrongFormat},
        {"<<TimeFunction>> #x\n1 1\n", WaveformStatus::WrongFormat},           // '#' inside a line: not a comment
        {"<<TimeFunction>>", WaveformStatus::WrongFormat},                     // no count
        {"<<TimeFunction>>\n#only a comment\n", WaveformStatus::WrongFormat},  // no count
        {"<<TimeFunction>>\n#runs to the end", WaveformStatus::WrongFormat},
        {"<<TimeFunction>>\n#a\n#b without line end", WaveformStatus::WrongFormat},
        // The comment is looked for past the samples, and a last '#' line
        // without its line end fails the file.
        {"<<TimeFunction>>\n2\n1 2\n#note", WaveformStatus::WrongFormat},
        {"<<TimeFunction>>\nfour\n1 2 3 4\n", WaveformStatus::WrongFormat},
        {"<<TimeFunction>>\n-2\n1 2\n", WaveformStatus::WrongFormat},
        {"<<TimeFunction>>\n2\nnan 1\n", WaveformStatus::WrongFormat},
        {"<<TimeFunction>>\n2\n1 inf\n", WaveformStatus::WrongFormat},
        {"<<TimeFunction>>\n2\n1 1e39\n", WaveformStatus::WrongFormat},  // beyond float
        {"<<TimeFunction>>\n0\n", WaveformStatus::NotEnoughData},
        {"<<TimeFunction>>\n3\n1 2\n", WaveformStatus::NotEnoughData},
        {"<<TimeFunction>>\n3\n1 abc 2\n", WaveformStatus::NotEnoughData},
        {"<<TimeFunction>>\n3\n1 2 ,3\n", WaveformStatus::NotEnoughData},
        {"<<TimeFunction>>\n#c\n2000000000\n1 2\n", WaveformStatus::NotEnoughData},
        {"<<TimeFunction>>\n99999999999999999999999999\n1\n", WaveformStatus::NotEnoughData},
    };
    for (const Case& c : cases) {
        CWaveformTable table;
        table.values = {4.0f, 5.0f};
        table.comment = "#kept";
        const CWaveformTable before = table;
        EXPECT_EQ(Parse(c.text, table), c.status) << c.text;
        EXPECT_EQ(table, before) << c.text;
    }
}

TEST(WaveformFileTest, MessagesNameTheFile) {
    EXPECT_EQ(WaveformFileMessage(WaveformStatus::WrongFormat, "/d/u.wtf"), "'/d/u.wtf' has wrong format.");
    EXPECT_EQ(WaveformFileMessage(WaveformStatus::NotEnoughData, "/d/u.wtf"),
              "Not enough data points in file '/d/u.wtf'.");
    EXPECT_EQ(WaveformFileMessage(WaveformStatus::CannotOpen, "/d/u.wtf"),
              "Unable to open file '/d/u.wtf'.\n" + kOpenAdvice);
    EXPECT_EQ(WaveformFileMessage(WaveformStatus::Ok, "/d/u.wtf"), "");
    EXPECT_EQ(SourceSignalFileMessage(WaveformStatus::CannotOpen, "s.wtf"),
              "Unable to open source signal file 's.wtf'.");
    EXPECT_EQ(SourceSignalFileMessage(WaveformStatus::WrongFormat, "s.wtf"),
              "Source signal file 's.wtf' has wrong format.");
    EXPECT_EQ(SourceSignalFileMessage(WaveformStatus::NotEnoughData, "s.wtf"),
              "Not enough data points in source signal file 's.wtf'.");
    // A name with a percent sign is copied, not interpreted.
    EXPECT_EQ(WaveformFileMessage(WaveformStatus::WrongFormat, "100%s.wtf"), "'100%s.wtf' has wrong format.");
}

// ---------------------------------------------------------------------------
// Writing

TEST(WaveformFileTest, WriterTextIsHeaderCommentCountAndOneSamplePerLine) {
    CWaveformTable table;
    table.values = {0.5f, -1.0f, 1e-7f};
    table.comment = "# burst";
    EXPECT_EQ(WaveformFileText(table), "<<TimeFunction>>\n# burst\n3\n0.5\n-1\n1.00000001e-07\n");
    table.comment.clear();
    EXPECT_EQ(WaveformFileText(table), "<<TimeFunction>>\n3\n0.5\n-1\n1.00000001e-07\n");
}

TEST(WaveformFileTest, CommentLinesAreGivenTheirHashMarks) {
    EXPECT_EQ(NormalizeWaveformComment("plain\n# marked\n\nlast\n"), "#plain\n# marked\n#\n#last");
    EXPECT_EQ(NormalizeWaveformComment("dialog text\r\nline two"), "#dialog text\n#line two");
    EXPECT_EQ(NormalizeWaveformComment(""), "");
    EXPECT_EQ(NormalizeWaveformComment("\n"), "");
    EXPECT_EQ(NormalizeWaveformComment("#as read\n#from a file"), "#as read\n#from a file");
    // CRs end a line; inside one they are text.
    EXPECT_EQ(NormalizeWaveformComment("#a\rb\r\r\n#c\r"), "#a\rb\n#c");
}

TEST(WaveformFileTest, FileRoundTripKeepsCommentAndEverySampleExactly) {
    TempDir dir;
    CWaveformTable table;
    table.comment = "# Generated burst, 5 cycles\n#\n# second paragraph";
    table.values = {0.1f, -1.0f / 3.0f, 1e-30f, -3.4e38f, std::numeric_limits<float>::denorm_min(), 0.0f, 123456.789f};
    const std::string path = dir.Path("burst.wtf");
    ASSERT_TRUE(WriteWaveformFile(path, table));
    CWaveformTable read;
    ASSERT_EQ(ReadWaveformFile(path, read), WaveformStatus::Ok);
    EXPECT_EQ(read.comment, table.comment);
    ASSERT_EQ(read.values.size(), table.values.size());
    for (std::size_t k = 0; k < table.values.size(); ++k)
        EXPECT_EQ(std::memcmp(&read.values[k], &table.values[k], sizeof(float)), 0) << k;
    // A comment written without marks reads back with them.
    table.comment = "no marks here";
    ASSERT_TRUE(WriteWaveformFile(path, table));
    ASSERT_EQ(ReadWaveformFile(path, read), WaveformStatus::Ok);
    EXPECT_EQ(read.comment, "#no marks here");
}

TEST(WaveformFileTest, UpdateCommentKeepsTheSamples) {
    TempDir dir;
    const std::string path = dir.Write("u.wtf", "<TimeFunction>\n#old\n3 1.5 2.5 -0.125\n");
    std::string message;
    ASSERT_TRUE(UpdateWaveformComment(path, "#new text\n#two lines", message)) << message;
    EXPECT_EQ(ReadFileText(path), "<<TimeFunction>>\n#new text\n#two lines\n3\n1.5\n2.5\n-0.125\n");
    // A file that cannot be read is not rewritten.
    const std::string bad = dir.Write("bad.wtf", "<<TimeFunction>>\n5\n1\n");
    EXPECT_FALSE(UpdateWaveformComment(bad, "#x", message));
    EXPECT_EQ(message, "Not enough data points in file '" + bad + "'.");
    EXPECT_EQ(ReadFileText(bad), "<<TimeFunction>>\n5\n1\n");
    EXPECT_FALSE(UpdateWaveformComment(dir.Path("none.wtf"), "#x", message));
    EXPECT_EQ(message, "Unable to open file '" + dir.Path("none.wtf") + "'.\n" + kOpenAdvice);
}

// ---------------------------------------------------------------------------
// The document's waveform store

TEST(WaveformStoreTest, UserWaveformsLoadRelativeToTheModelFolder) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path("signals"));
    dir.Write("signals/one.wtf", "<<TimeFunction>>\n#first user signal\n2\n1 -1\n");
    dir.Write("two.wtf", "<<TimeFunction>>\n1\n0.5\n");
    CWaveformStore store;
    std::string message;
    const std::string model = dir.Path("plate.wmd");
    ASSERT_TRUE(store.LoadUserWaveform(1, "signals\\one.wtf", model, message)) << message;
    ASSERT_TRUE(store.LoadUserWaveform(2, "two.wtf", model, message)) << message;
    EXPECT_EQ(store.user1.values, (std::vector<float>{1.0f, -1.0f}));
    EXPECT_EQ(store.user1.comment, "#first user signal");
    EXPECT_EQ(store.user2.values, std::vector<float>{0.5f});
    EXPECT_EQ(store.UserTable(1), &store.user1);
    EXPECT_EQ(store.UserTable(2), &store.user2);
    EXPECT_EQ(store.UserTable(3), nullptr);
    // An absolute name is used as it is.
    ASSERT_TRUE(store.LoadUserWaveform(2, dir.Path("signals/one.wtf"), "/elsewhere/m.wmd", message)) << message;
    EXPECT_EQ(store.user2.values.size(), 2u);
}

TEST(WaveformStoreTest, AFailedLoadKeepsTheTableAndSaysWhy) {
    TempDir dir;
    CWaveformStore store;
    store.user1.values = {3.0f};
    store.user1.comment = "#previous";
    const CWaveformTable before = store.user1;
    const std::string model = dir.Path("m.wmd");
    std::string message;

    EXPECT_FALSE(store.LoadUserWaveform(1, "User1.wtf", model, message));
    EXPECT_EQ(message, "Unable to open file '" + dir.Path("User1.wtf") + "'.\n" + kOpenAdvice);
    EXPECT_EQ(store.user1, before);

    std::filesystem::create_directory(dir.Path("folder.wtf"));
    EXPECT_FALSE(store.LoadUserWaveform(1, "folder.wtf", model, message));
    EXPECT_EQ(message, "Unable to open file '" + dir.Path("folder.wtf") + "'.\n" + kOpenAdvice);

    dir.Write("wrong.wtf", "<<Function>>\n1\n1\n");
    EXPECT_FALSE(store.LoadUserWaveform(1, "wrong.wtf", model, message));
    EXPECT_EQ(message, "'" + dir.Path("wrong.wtf") + "' has wrong format.");
    EXPECT_EQ(store.user1, before);

    dir.Write("short.wtf", "<<TimeFunction>>\n#c\n4\n1 2 3\n");
    EXPECT_FALSE(store.LoadUserWaveform(1, "short.wtf", model, message));
    EXPECT_EQ(message, "Not enough data points in file '" + dir.Path("short.wtf") + "'.");
    EXPECT_EQ(store.user1, before);

    dir.Write("good.wtf", "<<TimeFunction>>\n1\n1\n");
    EXPECT_FALSE(store.LoadUserWaveform(3, "good.wtf", model, message));
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(store.user1, before);
    EXPECT_TRUE(store.user2.values.empty());
}

TEST(WaveformStoreTest, FileCacheReadsEachPathOnce) {
    TempDir dir;
    const std::string path = dir.Write("s.wtf", "<<TimeFunction>>\n2\n1 2\n");
    CWaveformStore store;
    const CWaveformFileEntry& first = store.FindOrLoadFile(path);
    EXPECT_EQ(first.status, WaveformStatus::Ok);
    dir.Write("s.wtf", "<<TimeFunction>>\n1\n9\n");  // changed on disk: the cached samples stay
    const CWaveformFileEntry& again = store.FindOrLoadFile(path);
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.table.values, (std::vector<float>{1.0f, 2.0f}));
    // Failures are cached too, each with its status; entries stay put while
    // the cache grows.
    EXPECT_EQ(store.FindOrLoadFile(dir.Path("none.wtf")).status, WaveformStatus::CannotOpen);
    for (int k = 0; k < 50; ++k) store.FindOrLoadFile(dir.Path("n" + std::to_string(k)));
    EXPECT_EQ(store.files.size(), 52u);
    EXPECT_EQ(first.table.values.size(), 2u);
    store.ForgetFailedFiles();
    ASSERT_EQ(store.files.size(), 1u);
    EXPECT_EQ(store.files[0].path, path);
}

}  // namespace
}  // namespace elix

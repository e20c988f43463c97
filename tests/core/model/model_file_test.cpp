#include "model/model_file.h"

#include <gtest/gtest.h>

#include <clocale>
#include <random>
#include <string>

#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::ScriptedUserInterface;
using test::TempDir;

// The envelope of a model file around the given sections.
std::string Envelope(const std::string& body, const std::string& version = "<Version> 2.42\n") {
    return "<<ElastrixModel>>\n" + version + body + "<<EndElastrixModel>>\n";
}

struct ModelFileTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    CElixDoc doc;
    void SetUp() override { doc.SetUserInterface(&ui); }

    bool Read(const std::string& content, const std::string& name = "m.wmd") {
        return doc.ReadModel(dir.Write(name, content));
    }

    // A model with every part filled in with values other than the
    // defaults.
    void FillModel(CElixDoc& model) {
        model.comment = "First line\r\nSecond line with  blanks\r\n\r\nafter an empty line";
        model.ImageFileName = "plate 1.pcx";
        model.geometryFormat = 3;
        CMaterialProperty steel;
        steel.name = "Steel block";
        steel.density = 7850.0f, steel.lambda = 1.1249e11f, steel.mu = 8.0384e10f, steel.grayLevel = 128;
        ASSERT_TRUE(model.AddItem(steel));
        CMaterialProperty water;
        water.name = "Water";
        water.density = 1000.0f, water.lambda = 2.25e9f, water.grayLevel = 0, water.damping = 1, water.eta = 1e-3f;
        ASSERT_TRUE(model.AddItem(water));
        CBoundaryCondition bc;
        bc.name = "Clamp";
        bc.x1 = 0.01f, bc.y2 = 0.04f;
        ASSERT_TRUE(model.AddItem(bc));
        CSource source;
        source.name = "Transducer";
        source.x1 = 0.02f, source.x2 = 0.03f, source.y1 = source.y2 = 0.0f;
        ASSERT_TRUE(model.AddItem(source));
        CReceiver receiver;
        receiver.name = "Echo";
        receiver.outputFile = "echo.txt";
        receiver.x1 = 0.02f;
        ASSERT_TRUE(model.AddItem(receiver));
        CReceiver through;
        through.name = "Through";
        ASSERT_TRUE(model.AddItem(through));
        CJobParameters& job = model.job;
        job.MaxFreq = 2.5e6f, job.Duration = 2e-5f, job.DispFreq = 5, job.HighOrderScheme = 1;
        job.DtScaleThresh = 1.5f, job.InterfaceBright = 200, job.DispType = "U only", job.InfiniteBCIndex = 15;
        job.InfiniteFactor = 0.25f, job.ThreadTotal = 3, job.CMax = 4096, job.DumpDisplacement = {10, 20, 5};
        job.UserFile1 = "waves/burst.wtf";
    }
};

TEST_F(ModelFileTest, WriteReadWriteGivesIdenticalBytes) {
    FillModel(doc);
    const std::string first = dir.Path("first.wmd");
    ASSERT_TRUE(doc.WriteModel(first));
    EXPECT_FALSE(doc.IsModified());

    CElixDoc reread;
    ASSERT_TRUE(reread.ReadModel(first)) << reread.MessageText();
    EXPECT_EQ(reread.comment, doc.comment);
    EXPECT_EQ(reread.ImageFileName, "plate 1.pcx");
    EXPECT_EQ(reread.geometryFormat, 3);
    EXPECT_EQ(reread.Materials().Count(), 2);
    EXPECT_EQ(reread.Materials()[0].name, "Steel block");
    EXPECT_EQ(reread.Materials()[0].density, 7850.0f);
    EXPECT_EQ(reread.Receivers()[0].outputFile, "echo.txt");
    EXPECT_EQ(reread.Receivers()[1].outputFile, "");
    EXPECT_EQ(reread.job.MaxFreq, 2.5e6f);
    EXPECT_EQ(reread.job.InterfaceBright, 200);
    EXPECT_EQ(reread.job.DispType, "U only");
    EXPECT_EQ(reread.job.CMax, 4096u);
    EXPECT_EQ(reread.job.UserFile1, "waves/burst.wtf");
    // DumpDisplacement is written but never read back.
    EXPECT_EQ(reread.job.DumpDisplacement[2], 0);

    reread.job.DumpDisplacement = doc.job.DumpDisplacement;
    const std::string second = dir.Path("second.wmd");
    ASSERT_TRUE(reread.WriteModel(second));
    EXPECT_EQ(ReadFileText(second), ReadFileText(first));
}

TEST_F(ModelFileTest, WrittenLayout) {
    doc.comment.clear();
    ASSERT_TRUE(doc.WriteModel(dir.Path("empty.wmd")));
    const std::string text = ReadFileText(dir.Path("empty.wmd"));
    EXPECT_EQ(
        text.rfind("<<ElastrixModel>>\n<Version> 2.42\n<Header>\nFormat 1\n"
                   "Note: This is a Elastrix generated file.  Please do not edit.\n<EndHeader>\n"
                   "<Comment>\n\n<EndComment>\n<Geometry>\nFormat 1\nImageFileName None\n<EndGeometry>\n"
                   "<MaterialProperties>\n<EndMaterialProperties>\n<BoundaryConditions>\n<EndBoundaryConditions>\n"
                   "<Sources>\n<EndSources>\n<Receivers>\n<EndReceivers>\n<JobParameters>\n"
                   "TimeStepScale 1.000000e+00\nMaxFreq 1.000000e+06\nMinWaveLength 1.000000e-03\n"
                   "Duration 1.000000e-05\nDispFreq 1\nSaveDisp 0\nHighOrderScheme 0\nDtScaleThresh 2.000000\n"
                   "InterfaceBright 63\nDispType U and V\nDispScale 1.000000e+00\nPointPerCycle 10\n"
                   "InfiniteBCIndex 0\nInfiniteFactor 1.000000\nThreadTotal 1\nCMax 1024\n<EndJobParameters>\n"
                   "<<EndElastrixModel>>\n",
                   0),
        0u)
        << text;
    EXPECT_EQ(text.find("UserFile"), std::string::npos);
    EXPECT_EQ(text.find("DumpDisplacement"), std::string::npos);
}

TEST_F(ModelFileTest, WritingMovesItemsBackByTheOriginOffset) {
    CSource source;
    source.name = "S";
    source.x1 = 0.010f;
    source.y1 = 0.020f;
    ASSERT_TRUE(doc.AddItem(source));
    doc.originOffsetX = 0.004f;
    doc.originOffsetY = -0.001f;
    ASSERT_TRUE(doc.WriteModel(dir.Path("o.wmd")));
    EXPECT_EQ(doc.originOffsetX, 0.0f);
    EXPECT_EQ(doc.originOffsetY, 0.0f);
    EXPECT_EQ(doc.Sources()[0].x1, 0.010f - 0.004f);
    EXPECT_EQ(doc.Sources()[0].y1, 0.020f + 0.001f);
    CElixDoc reread;
    ASSERT_TRUE(reread.ReadModel(dir.Path("o.wmd")));
    // "%e" keeps seven significant digits.
    EXPECT_FLOAT_EQ(reread.Sources()[0].x1, 0.006f);
    EXPECT_FLOAT_EQ(reread.Sources()[0].y1, 0.021f);
}

TEST_F(ModelFileTest, AFailedSaveReportsAndKeepsTheDocument) {
    FillModel(doc);
    doc.originOffsetX = 0.5f;
    const std::string path = dir.Path("no/such/folder/m.wmd");
    EXPECT_FALSE(doc.WriteModel(path));
    EXPECT_EQ(doc.MessageText(), "Unable to save file '" + path + "'.");
    EXPECT_EQ(ui.LastText(), doc.MessageText());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.originOffsetX, 0.5f);  // nothing was moved
}

TEST_F(ModelFileTest, SavingReplacesTheOldFileWhole) {
    const std::string path = dir.Write("m.wmd", std::string(100000, '@'));
    ASSERT_TRUE(doc.WriteModel(path));
    const std::string text = ReadFileText(path);
    EXPECT_EQ(text.find('@'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 21), "<<EndElastrixModel>>\n");
}

TEST_F(ModelFileTest, MagicWordsAndUnopenableFiles) {
    EXPECT_TRUE(Read("<<TesmoraModel>>\n<Version> 2.0\n<<EndTesmoraModel>>\n"));
    EXPECT_TRUE(Read("<<ElastrixModel>>\n<<EndElastrumModel>>\n"));
    EXPECT_FALSE(Read("<<ElastrixPlusModel>>\n<<EndElastrixModel>>\n", "plus.wmd"));
    EXPECT_EQ(doc.MessageText(),
              "'" + dir.Path("plus.wmd") + "' is a Elastrix Plus model and can't be opened by Elastrix.");
    EXPECT_FALSE(Read("PCX data", "image.wmd"));
    EXPECT_EQ(doc.MessageText(), "File '" + dir.Path("image.wmd") +
                                     "' is not a Elastrix/Elastrix Plus model. To load a geometry file, please use "
                                     "'Load Geometry' command under Elix -> Geometry menu.");
    EXPECT_FALSE(Read("", "empty.wmd"));
    EXPECT_NE(doc.MessageText().find("is not a Elastrix/Elastrix Plus model"), std::string::npos);
    EXPECT_FALSE(doc.ReadModel(dir.Path("missing.wmd")));
    EXPECT_EQ(doc.MessageText(), "Unable to open file '" + dir.Path("missing.wmd") + "'.");
    // A folder is no model file either, and reading it must not throw.
    EXPECT_FALSE(doc.ReadModel(dir.Root()));
    EXPECT_EQ(doc.MessageText(), "Unable to open file '" + dir.Root() + "'.");
}

TEST_F(ModelFileTest, EveryMissingEndKeywordHasItsMessage) {
    const std::pair<std::string, std::string> cases[] = {
        {"<<ElastrixModel>>\n<Header>\nFormat 1\n", "<EndHeader>"},
        {"<<ElastrixModel>>\n<Comment>\ntext\n", "<EndComment>"},
        {"<<ElastrixModel>>\n<Geometry>\nFormat 1\n", "<EndGeometry>"},
        {"<<ElastrixModel>>\n<MaterialProperties>\n", "<EndMaterialProperties>"},
        {"<<ElastrixModel>>\n<BoundaryConditions>\n", "<EndBoundaryConditions>"},
        {"<<ElastrixModel>>\n<Sources>\n", "<EndSources>"},
        {"<<ElastrixModel>>\n<Receivers>\n", "<EndReceivers>"},
        {"<<ElastrixModel>>\n<JobParameters>\nMaxFreq 1e6\n", "<EndJobParameters>"},
        {"<<ElastrixModel>>\n<Version> 2.42\n<Sources>\n<EndSources>\n", "<<EndElastrixModel>>"},
    };
    for (const auto& [content, keyword] : cases) {
        const std::string path = dir.Write("cut.wmd", content);
        EXPECT_FALSE(doc.ReadModel(path)) << keyword;
        EXPECT_EQ(doc.MessageText(), "No keyword " + keyword + " in '" + path + "'.");
    }
}

TEST_F(ModelFileTest, NewerVersionAsksAndNoAbandons) {
    ASSERT_TRUE(Read(Envelope("", "<Version> 2.42\n")));
    EXPECT_TRUE(ui.shown.empty());
    ASSERT_TRUE(Read(Envelope("", "<Version> 2.50\n")));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text,
              "The file was created by a newer version of this program. It may not be loaded correctly. "
              "Do you want to load the file anyway?");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_FLOAT_EQ(doc.fileFormatVersion, 2.5f);
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(Read(Envelope("", "<Version> 2.50\n")));
    EXPECT_EQ(doc.MessageText(), "");
}

TEST_F(ModelFileTest, FileWithoutVersionNeedsTheTildeMarker) {
    ASSERT_TRUE(Read(Envelope("<Sources>\nplain line\n~Real\n1\n0\n0\n0\n0\nItemEnd\n<EndSources>\n", "")));
    EXPECT_FLOAT_EQ(doc.fileFormatVersion, 2.42f);
    ASSERT_EQ(doc.Sources().Count(), 1);
    EXPECT_EQ(doc.Sources()[0].name, "Real");
}

TEST_F(ModelFileTest, ItemStartTestByVersion) {
    std::string name;
    EXPECT_TRUE(IsItemStart("Steel", 1.0f, name));
    EXPECT_EQ(name, "Steel");
    EXPECT_FALSE(IsItemStart("~Steel", 1.1f, name));
    EXPECT_TRUE(IsItemStart("\xFDSteel", 1.15f, name));
    EXPECT_EQ(name, "Steel");
    EXPECT_TRUE(IsItemStart("#Steel", 1.2f, name));
    EXPECT_EQ(name, "Steel");
    EXPECT_TRUE(IsItemStart("xSteel", 2.29f, name));
    EXPECT_EQ(name, "Steel");
    EXPECT_FALSE(IsItemStart("xSteel", 2.3f, name));
    EXPECT_TRUE(IsItemStart("~Steel", 2.3f, name));
    EXPECT_FALSE(IsItemStart("", 1.0f, name));
}

// One material in the form-1 layout under each historical start marker.
TEST_F(ModelFileTest, HistoricalItemFormsReadCorrectly) {
    const std::string body = "1\n7.85e3\n1.1e11\n8.0e10\n0\n0\n5\n0\n";
    const struct {
        const char* version;
        std::string nameLine;
        bool itemEnd;
    } forms[] = {
        {"1.00", "Steel", false}, {"1.10", "\xFDSteel", false}, {"1.20", "*Steel", false}, {"2.00", "*Steel", true},
        {"2.20", "~Steel", true}, {"2.30", "~Steel", true},     {"2.42", "~Steel", true},
    };
    for (const auto& form : forms) {
        const std::string section = "<MaterialProperties>\n" + form.nameLine + "\n" + body +
                                    (form.itemEnd ? "ItemEnd\n" : "") + "<EndMaterialProperties>\n";
        ASSERT_TRUE(Read(Envelope(section, std::string("<Version> ") + form.version + "\n"))) << form.version;
        ASSERT_EQ(doc.Materials().Count(), 1) << form.version;
        const CMaterialProperty& m = doc.Materials()[0];
        EXPECT_EQ(m.name, "Steel") << form.version;
        EXPECT_EQ(m.density, 7850.0f) << form.version;
        EXPECT_EQ(m.lambda, 1.1e11f) << form.version;
        EXPECT_EQ(m.mu, 8.0e10f) << form.version;
        EXPECT_EQ(m.grayLevel, 5) << form.version;
        EXPECT_EQ(m.formRead, 1) << form.version;
        EXPECT_EQ(doc.Materials().Current(), 0);
    }
}

TEST_F(ModelFileTest, MissingSectionEndIsToleratedButTheNextKeywordIsUsedUp) {
    ASSERT_TRUE(
        Read(Envelope("<BoundaryConditions>\n~B\n1\nItemEnd\n<Receivers>\n~R\n1\nNone\nItemEnd\n<EndReceivers>\n")));
    EXPECT_EQ(doc.BoundaryConditions().Count(), 1);
    EXPECT_EQ(doc.Receivers().Count(), 0);
}

TEST_F(ModelFileTest, ExtraItemsAreSkippedWithOneMessage) {
    std::string section = "<MaterialProperties>\n";
    for (int k = 0; k < 18; ++k)
        section += "~M" + std::to_string(k) + "\n1\n1\n1\n1\n0\n0\n" + std::to_string(k) + "\n0\nItemEnd\n";
    section += "<EndMaterialProperties>\n<Sources>\n~S\n1\nItemEnd\n<EndSources>\n";
    ASSERT_TRUE(Read(Envelope(section)));
    EXPECT_EQ(doc.Materials().Count(), 16);
    EXPECT_EQ(doc.Materials()[15].name, "M15");
    EXPECT_EQ(doc.Sources().Count(), 1);  // the file stayed in step
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.LastText(), "Only 16 items of '<MaterialProperties>' could be loaded.");
}

TEST_F(ModelFileTest, JobParametersReadTypesAndIgnoredKeys) {
    ASSERT_TRUE(
        Read(Envelope("<JobParameters>\nMaxFreq 2.5E+006\nDispFreq 70000\nInterfaceBright 300\nDumpDisplacement 1 2 3\n"
                      "HighOrderScheme 1\nUnknownKey 12\nDispType   Magnitude of U\nUserFile2 my file.wtf\n"
                      "CMax 2048\n<EndJobParameters>\n")));
    EXPECT_EQ(doc.job.MaxFreq, 2.5e6f);
    EXPECT_EQ(doc.job.DispFreq, static_cast<std::int16_t>(70000 - 65536));
    EXPECT_EQ(doc.job.InterfaceBright, 300 - 256);
    EXPECT_EQ(doc.job.DumpDisplacement[0], 0);
    EXPECT_EQ(doc.job.DumpDisplacement[2], 0);
    EXPECT_EQ(doc.job.HighOrderScheme, 1);
    EXPECT_EQ(doc.job.DispType, "Magnitude of U");
    EXPECT_EQ(doc.job.UserFile1, "User1.wtf");
    EXPECT_EQ(doc.job.UserFile2, "my file.wtf");
    EXPECT_EQ(doc.job.CMax, 2048u);
    // Saving again: no DumpDisplacement line, UserFile2 kept.
    ASSERT_TRUE(doc.WriteModel(dir.Path("again.wmd")));
    const std::string text = ReadFileText(dir.Path("again.wmd"));
    EXPECT_EQ(text.find("DumpDisplacement"), std::string::npos);
    EXPECT_NE(text.find("UserFile2 my file.wtf\n"), std::string::npos);
}

TEST_F(ModelFileTest, CommentRules) {
    // CR LF line ends, trailing white space removed, lines joined by CR LF.
    ASSERT_TRUE(
        Read("<<ElastrixModel>>\r\n<Comment> rest ignored\r\nline one\r\n  indented\r\n\r\n  \r\n"
             "<EndComment>\r\n<<EndElastrixModel>>\r\n"));
    EXPECT_EQ(doc.comment, "line one\r\n  indented");
    // A line of more than 8192 characters is cut, with one message, and
    // its rest becomes the next line.
    const std::string longLine(8192 + 10, 'c');
    ASSERT_TRUE(Read(Envelope("<Comment>\n" + longLine + "\n<EndComment>\n")));
    EXPECT_EQ(doc.comment, std::string(8192, 'c') + "\r\n" + std::string(10, 'c'));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.LastText(), "Memory error: comment is truncated.");
    // Written back: CRs removed, one comment line per file line.
    doc.comment = "a\r\nb";
    ASSERT_TRUE(doc.WriteModel(dir.Path("c.wmd")));
    EXPECT_NE(ReadFileText(dir.Path("c.wmd")).find("<Comment>\na\nb\n<EndComment>\n"), std::string::npos);
}

TEST_F(ModelFileTest, FeBytesBecomeBlanksInNamesAndKeyedStrings) {
    ASSERT_TRUE(
        Read(Envelope("<Geometry>\nImageFileName my\xFEplate.pcx\n<EndGeometry>\n"
                      "<BoundaryConditions>\n~Left\xFE"
                      "Side\n1\nItemEnd\n<EndBoundaryConditions>\n")));
    EXPECT_EQ(doc.ImageFileName, "my plate.pcx");
    ASSERT_EQ(doc.BoundaryConditions().Count(), 1);
    EXPECT_EQ(doc.BoundaryConditions()[0].name, "Left Side");
}

// Every carriage return before a line end goes, so a name never ends in
// one that writing and reading back would drop; others stay.
TEST_F(ModelFileTest, CarriageReturnsBeforeLineEndsAreNotPartOfNames) {
    ASSERT_TRUE(Read(Envelope("<BoundaryConditions>\r\n~Left\rSide\r\r\n1\r\nItemEnd\r\n<EndBoundaryConditions>\r\n")));
    ASSERT_EQ(doc.BoundaryConditions().Count(), 1);
    EXPECT_EQ(doc.BoundaryConditions()[0].name, "Left\rSide");
    const std::string copy = dir.Path("copy.wmd");
    ASSERT_TRUE(doc.WriteModel(copy));
    CElixDoc again;
    ASSERT_TRUE(again.ReadModel(copy));
    ASSERT_EQ(again.BoundaryConditions().Count(), 1);
    EXPECT_EQ(again.BoundaryConditions()[0].name, "Left\rSide");
}

TEST_F(ModelFileTest, ReadingEmptiesTheDocumentFirst) {
    FillModel(doc);
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(Read(Envelope("")));
    EXPECT_EQ(doc.Materials().Count(), 0);
    EXPECT_EQ(doc.Receivers().Count(), 0);
    EXPECT_EQ(doc.comment, "");
    EXPECT_EQ(doc.job.MaxFreq, 1e6f);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Title(), "m.wmd");
}

TEST_F(ModelFileTest, CommaDecimalLocaleDoesNotChangeTheFile) {
    FillModel(doc);
    ASSERT_TRUE(doc.WriteModel(dir.Path("c-locale.wmd")));
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_ALL, name)) {
            comma = name;
            break;
        }
    if (!comma) GTEST_SKIP() << "no comma-decimal locale installed (scripts/setup.sh generates de_DE.UTF-8)";
    char check[32];
    std::snprintf(check, sizeof check, "%.1f", 1.5);
    EXPECT_STREQ(check, "1,5");  // the locale really is comma-decimal
    const bool wrote = doc.WriteModel(dir.Path("comma.wmd"));
    CElixDoc reread;
    const bool read = reread.ReadModel(dir.Path("comma.wmd"));
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(wrote);
    ASSERT_TRUE(read);
    EXPECT_EQ(ReadFileText(dir.Path("comma.wmd")), ReadFileText(dir.Path("c-locale.wmd")));
    EXPECT_EQ(reread.job.MaxFreq, doc.job.MaxFreq);
    EXPECT_EQ(reread.Materials()[0].lambda, doc.Materials()[0].lambda);
}

// Malformed files never crash the reader (run under the sanitizers in CI):
// every prefix of a full model, and a model with random bytes replaced.
TEST_F(ModelFileTest, TruncatedAndCorruptedFilesNeverCrash) {
    FillModel(doc);
    ASSERT_TRUE(doc.WriteModel(dir.Path("full.wmd")));
    const std::string full = ReadFileText(dir.Path("full.wmd"));
    CElixDoc victim;
    for (std::size_t cut = 0; cut < full.size(); cut += 7) {
        const std::string path = dir.Write("cut.wmd", full.substr(0, cut));
        if (victim.ReadModel(path)) {
            EXPECT_LE(victim.Materials().Count(), victim.Materials().Capacity());
        } else {
            EXPECT_FALSE(victim.MessageText().empty()) << cut;
        }
    }
    std::mt19937 random(12345);
    const char alphabet[] = {'~', '\n', ' ', '<', '>', '0', '9', 'e', '-', '\xFE', '\xFD', '\r', 'I'};
    for (int round = 0; round < 300; ++round) {
        std::string corrupt = full;
        for (int k = 0; k < 8; ++k) corrupt[random() % corrupt.size()] = alphabet[random() % sizeof alphabet];
        victim.ReadModel(dir.Write("corrupt.wmd", corrupt));
    }
}

TEST(ModelFileNames, SaveAsProposalCutsAtSpecialCharacters) {
    CElixDoc doc;
    EXPECT_EQ(ProposeSaveAsName(doc), "Untitled");
    doc.SetTitle("new;model\\x");  // a new model: its title
    EXPECT_EQ(ProposeSaveAsName(doc), "new");
    doc.SetTitle("a\\b");
    EXPECT_EQ(ProposeSaveAsName(doc), "a");
    doc.SetPathName("/data/models/plate test.wmd");
    EXPECT_EQ(ProposeSaveAsName(doc), "plate");
    for (const char* name : {"a#b.wmd", "a%b.wmd", "a;b.wmd", "a b.wmd"}) {
        doc.SetPathName(std::string("/data/") + name);
        EXPECT_EQ(ProposeSaveAsName(doc), "a") << name;
    }
    doc.SetPathName("/data/plate.wmd");
    EXPECT_EQ(ProposeSaveAsName(doc), "plate.wmd");
}

}  // namespace
}  // namespace elix

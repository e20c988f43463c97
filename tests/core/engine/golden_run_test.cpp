// End-to-end runs of the shipped examples. Every receiver output file is
// compared number by number with a stored reference run
// (tests/data/golden/<example>/), the reference itself is checked against
// the physics the example is built to show, and a run on four threads must
// write the very same bytes as a run on one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/model_check.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = std::string(ELASTRIX_SOURCE_DIR) + "/examples/";
const std::string kGolden = std::string(ELASTRIX_SOURCE_DIR) + "/tests/data/golden/";

class QuietMonitor : public IRunMonitor {
public:
    void Progress(int, int, const std::string&) override {}
};

// A receiver output file as numbers: per line the step, the time (us) and
// the recorded values.
using Table = std::vector<std::vector<double>>;

Table ParseTable(const std::string& text) {
    Table table;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<double> row;
        std::string word;
        while (words >> word) {
            double value = 0.0;
            EXPECT_TRUE(ParseDouble(word, value)) << "'" << word << "' in: " << line;
            row.push_back(value);
        }
        table.push_back(std::move(row));
    }
    return table;
}

Table ReadTable(const std::string& path) {
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
    return ParseTable(test::ReadFileText(path));
}

// Opens the example <name> from a copy in dir, so that the run's files
// land there and not in the source tree.
void OpenExampleCopy(const std::string& name, const test::TempDir& dir, CElixDoc& doc) {
    for (const char* extension : {".wmd", ".pcx"})
        fs::copy_file(kExamples + name + "/" + name + extension, dir.Path(name + extension));
    ASSERT_TRUE(doc.ReadModel(dir.Path(name + ".wmd"))) << doc.MessageText();
}

// Runs the example on the given number of threads; files maps each
// receiver output file name to the text the run wrote.
void RunExample(const std::string& name, int threads, std::map<std::string, std::string>& files) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    ASSERT_NO_FATAL_FAILURE(OpenExampleCopy(name, dir, doc));
    doc.job.ThreadTotal = static_cast<std::int16_t>(threads);
    QuietMonitor monitor;
    ASSERT_EQ(Run(doc, monitor), RunOutcome::Finished) << doc.MessageText();
    EXPECT_TRUE(ui.shown.empty()) << ui.LastText();
    for (int k = 0; k < doc.Receivers().Count(); ++k) {
        const std::string& file = doc.Receivers()[k].outputFile;
        if (!file.empty()) files[file] = test::ReadFileText(dir.Path(file));
    }
}

// The tolerance of one column. The values are compared to 1e-5 of the
// column's largest magnitude, because another compiler or libm may change
// the last bits of the time functions' sines and of the square roots of the
// time step; but never to less than one unit of the last printed digit
// (values " %7.4f": 1e-4, times "%8.5f": 1e-5), because a change in the
// last bit can flip how a value rounds when printed. Steps are integers and
// must match exactly.
std::vector<double> ColumnTolerances(const Table& golden) {
    std::vector<double> largest;
    for (const auto& row : golden) {
        if (largest.size() < row.size()) largest.resize(row.size(), 0.0);
        for (std::size_t c = 0; c < row.size(); ++c) largest[c] = std::max(largest[c], std::fabs(row[c]));
    }
    std::vector<double> tolerance(largest.size(), 0.0);
    for (std::size_t c = 1; c < largest.size(); ++c) tolerance[c] = std::max(1e-5 * largest[c], c == 1 ? 1e-5 : 1e-4);
    return tolerance;
}

void ExpectMatchesGolden(const Table& golden, const Table& actual, const std::string& file) {
    ASSERT_FALSE(golden.empty()) << file;
    ASSERT_EQ(actual.size(), golden.size()) << file;
    const std::vector<double> tolerance = ColumnTolerances(golden);
    int mismatches = 0;
    for (std::size_t r = 0; r < golden.size() && mismatches < 10; ++r) {
        ASSERT_EQ(actual[r].size(), golden[r].size()) << file << " line " << r + 1;
        for (std::size_t c = 0; c < golden[r].size(); ++c) {
            if (std::fabs(actual[r][c] - golden[r][c]) <= tolerance[c]) continue;
            ADD_FAILURE() << file << " line " << r + 1 << " column " << c + 1 << ": " << actual[r][c] << " instead of "
                          << golden[r][c] << " (tolerance " << tolerance[c] << ")";
            ++mismatches;
        }
    }
}

class GoldenRunTest : public testing::TestWithParam<const char*> {};

TEST_P(GoldenRunTest, ReceiverFilesMatchTheReferenceOnOneAndFourThreads) {
    const std::string name = GetParam();
    std::map<std::string, std::string> one, four;
    ASSERT_NO_FATAL_FAILURE(RunExample(name, 1, one));
    // Exactly the receiver files of the reference, each within tolerance.
    std::vector<std::string> stored;
    for (const auto& entry : fs::directory_iterator(kGolden + name)) stored.push_back(entry.path().filename().string());
    std::sort(stored.begin(), stored.end());
    std::vector<std::string> written;
    for (const auto& [file, text] : one) written.push_back(file);
    EXPECT_EQ(written, stored);
    for (const auto& [file, text] : one)
        ExpectMatchesGolden(ReadTable(kGolden + name + "/" + file), ParseTable(text), name + "/" + file);
    // The rows are shared out among threads, but every node is computed by
    // the same operations in the same order: the bytes must not change.
    ASSERT_NO_FATAL_FAILURE(RunExample(name, 4, four));
    EXPECT_TRUE(four == one) << name << ": four threads wrote other files than one";
}

INSTANTIATE_TEST_SUITE_P(Examples, GoldenRunTest, testing::Values("immersion", "phased_array"));

// --- the reference runs checked against physics ---------------------------

// The averaged longitudinal value (third column) by step, over the steps
// whose time lies in [fromUs, toUs); every other step reads 0, as do the
// steps before a receiver's blanking time, which its file leaves out.
std::vector<double> Signal(const Table& table, double dtUs, double fromUs, double toUs) {
    std::vector<double> values(static_cast<std::size_t>(toUs / dtUs) + 1, 0.0);
    for (const auto& row : table) {
        const auto step = static_cast<std::size_t>(row[0]);
        if (row[1] >= fromUs && row[1] < toUs && step < values.size()) values[step] = row[2];
    }
    return values;
}

// The time step in us, from the last line (the printed times are rounded).
double StepUs(const Table& table) {
    return table.back()[1] / table.back()[0];
}

double Peak(const std::vector<double>& values) {
    double peak = 0.0;
    for (double v : values) peak = std::max(peak, std::fabs(v));
    return peak;
}

// Cross-correlation of an echo with the pulse that caused it, the echo
// record starting lag samples after the pulse record.
double Correlation(const std::vector<double>& pulse, const std::vector<double>& echo, std::size_t lag) {
    double sum = 0.0;
    for (std::size_t k = 0; k < pulse.size() && k + lag < echo.size(); ++k) sum += pulse[k] * echo[k + lag];
    return sum;
}

// The correlation at the expected delay, relative to the largest magnitude
// the correlation takes at any delay: near +1 when the echo arrives then
// with the pulse's sign, near -1 when it arrives then inverted.
double CorrelationAt(const std::vector<double>& pulse, const std::vector<double>& echo, double delayUs, double dtUs) {
    double largest = 0.0;
    for (std::size_t lag = 0; lag < echo.size(); ++lag)
        largest = std::max(largest, std::fabs(Correlation(pulse, echo, lag)));
    const auto expected = static_cast<std::size_t>(std::lround(delayUs / dtUs));
    return largest > 0.0 ? Correlation(pulse, echo, expected) / largest : 0.0;
}

struct Medium {
    double density = 0.0;  // kg/m^3
    double vL = 0.0;       // m/s
    double Impedance() const { return density * vL; }
};

Medium MediumOf(const CMaterialProperty& m) {
    return {m.density, std::sqrt((static_cast<double>(m.lambda) + 2.0 * m.mu) / m.density)};
}

TEST(GoldenPhysicsTest, ImmersionEchoesArriveOnTimeWithTheReflectionCoefficient) {
    test::TempDir dir;
    CElixDoc doc;
    ASSERT_NO_FATAL_FAILURE(OpenExampleCopy("immersion", dir, doc));
    const Medium water = MediumOf(doc.Materials()[0]), steel = MediumOf(doc.Materials()[1]);
    const double waterPath = 5e-3, steelPath = 10e-3, gain = 10.0;  // m, m, 20 dB
    const Table echo = ReadTable(kGolden + "immersion/echo.txt");
    const Table gate = ReadTable(kGolden + "immersion/back_wall_gate.txt");
    ASSERT_GT(echo.size(), 2u);
    const double dtUs = StepUs(echo);

    // The transducer face follows the drive during the 2 us pulse: two
    // cycles of sin(2 pi f t) sin(pi t / T), whose extremes are 0.928.
    const std::vector<double> pulse = Signal(echo, dtUs, 0.0, 2.0);
    EXPECT_NEAR(Peak(pulse), 0.928, 0.01);

    // Front-wall echo: back after 2 d / c in the water, inverted (the
    // reflected displacement of a wave meeting a stiffer medium changes
    // sign), with at most the plane-wave reflection coefficient
    // R = (Z2 - Z1) / (Z2 + Z1) = 0.94; the finite transducer's beam spreads
    // a little on the way.
    const double frontUs = 2.0 * waterPath / water.vL * 1e6;
    EXPECT_NEAR(frontUs, 6.74, 0.01);
    const std::vector<double> afterPulse = Signal(echo, dtUs, 4.0, 9.5);
    EXPECT_LT(CorrelationAt(pulse, afterPulse, frontUs, dtUs), -0.9);
    const double r = (steel.Impedance() - water.Impedance()) / (steel.Impedance() + water.Impedance());
    EXPECT_NEAR(r, 0.94, 0.005);
    const double front = Peak(afterPulse) / Peak(pulse);
    EXPECT_LT(front, r + 0.02);
    EXPECT_GT(front, r - 0.15);

    // Back-wall echo, through the gate: a further 2 D / c in the steel, with
    // the pulse's sign; in the water it carries at most the plane-wave
    // product of the two transmission coefficients, 2 Z1/(Z1+Z2) into the
    // steel and 2 Z2/(Z1+Z2) back out (0.12), times the gate's gain.
    ASSERT_FALSE(gate.empty());
    EXPECT_GE(gate.front()[1], 9.8);  // nothing is written before the blanking time
    const double backUs = frontUs + 2.0 * steelPath / steel.vL * 1e6;
    const std::vector<double> gated = Signal(gate, dtUs, 0.0, 12.5);
    EXPECT_GT(CorrelationAt(pulse, gated, backUs, dtUs), 0.9);
    const double zSum = water.Impedance() + steel.Impedance();
    const double through = 4.0 * water.Impedance() * steel.Impedance() / (zSum * zSum);
    const double back = Peak(gated) / gain / Peak(pulse);
    EXPECT_LT(back, through);
    EXPECT_GT(back, through / 2.0);
}

TEST(GoldenPhysicsTest, PhasedArrayHearsTheHoleAtItsFocus) {
    test::TempDir dir;
    CElixDoc doc;
    ASSERT_NO_FATAL_FAILURE(OpenExampleCopy("phased_array", dir, doc));
    const double vL = MediumOf(doc.Materials()[0]).vL * 1e-3;  // mm/us
    const double frontUs = doc.Sources()[0].frontDelay * 1e6;
    const Table echo = ReadTable(kGolden + "phased_array/array_echo.txt");
    ASSERT_GT(echo.size(), 2u);
    const double dtUs = StepUs(echo);
    // Expected centre of the hole echo in the delayed sum: the middle
    // element fires at the front delay plus half the transmit law's spread
    // (the extra path of the outermost element, half the 15.8 mm aperture
    // out from the axis, to the 8 mm focus); the pulse runs 2 x 7 mm to the
    // hole's top and back; the middle element's receive delay is the whole
    // spread; the two-cycle 2 MHz pulse is centred 0.5 us after it starts.
    const double spreadUs = (std::sqrt(7.9 * 7.9 + 8.0 * 8.0) - 8.0) / vL;
    const double holeUs = frontUs + spreadUs / 2.0 + 2.0 * 7.0 / vL + spreadUs + 0.5;
    const std::vector<double> hole = Signal(echo, dtUs, holeUs - 0.9, holeUs + 0.9);
    double energy = 0.0, moment = 0.0;
    for (std::size_t k = 0; k < hole.size(); ++k) {
        energy += hole[k] * hole[k];
        moment += static_cast<double>(k) * dtUs * hole[k] * hole[k];
    }
    ASSERT_GT(energy, 0.0);
    EXPECT_NEAR(moment / energy, holeUs, 0.125);  // a quarter of a period
    // Focused on the hole, the array hears it far above the unfocused back
    // wall (15 mm, echoes from about 5.5 us on), and above anything else
    // once the firing is over.
    EXPECT_GT(Peak(hole), 0.3);
    EXPECT_GT(Peak(hole), 2.0 * Peak(Signal(echo, dtUs, 5.5, 7.5)));
    EXPECT_EQ(Peak(Signal(echo, dtUs, 2.5, 7.5)), Peak(hole));
}

TEST(GoldenPhysicsTest, ExamplesPassTheModelCheck) {
    for (const char* name : {"immersion", "phased_array"}) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        CElixDoc doc;
        ASSERT_NO_FATAL_FAILURE(OpenExampleCopy(name, dir, doc));
        const CheckModelResult result = CheckModel(doc, MemoryStatus{1ull << 40, 1ull << 40});
        ASSERT_TRUE(result.ok) << result.message;
        // Grids of 240 x 150 cells at 0.1 mm.
        EXPECT_EQ(result.data.hx, "0.1000mm");
        EXPECT_EQ(result.data.width, "240 (24.00mm)");
        EXPECT_EQ(result.data.height, "150 (15.00mm)");
        // The only warning is the one every pulse source gets once it lets
        // go of its nodes; the array's delay settings cover its law.
        EXPECT_EQ(result.data.warnings, "Warning: There may be rigid body motion in x y direction(s).");
    }
}

}  // namespace
}  // namespace elix

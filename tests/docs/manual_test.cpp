// The manual in docs/manual: every window and dialog class of the desktop
// program has its page (the page F1 opens), every link and picture of
// every page resolves, and every page can be reached from the contents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = ELASTRIX_SOURCE_DIR;
const fs::path kManual = kSource / "docs" / "manual";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The window classes declared in the given sources: every class whose base
// chain reaches QDialog, QMainWindow or QMdiSubWindow, less those that only
// serve as the base of another such class (their F1 shows the derived
// class's page).
std::set<std::string> WindowClasses(const std::vector<std::string>& sources) {
    static const std::regex declaration(R"(class\s+(C\w+)(?:\s+final)?\s*:\s*public\s+(?:\w+::)*(\w+))");
    std::map<std::string, std::string> baseOf;
    for (const std::string& text : sources)
        for (auto it = std::sregex_iterator(text.begin(), text.end(), declaration); it != std::sregex_iterator(); ++it)
            baseOf[(*it)[1]] = (*it)[2];
    const std::set<std::string> qtWindows = {"QDialog", "QMainWindow", "QMdiSubWindow"};
    std::set<std::string> windows;
    for (const auto& [name, base] : baseOf) {
        std::string at = base;
        for (int depth = 0; depth < 16 && !qtWindows.count(at) && baseOf.count(at); ++depth) at = baseOf[at];
        if (qtWindows.count(at)) windows.insert(name);
    }
    std::set<std::string> bases;
    for (const std::string& name : windows)
        if (windows.count(baseOf[name])) bases.insert(baseOf[name]);
    for (const std::string& base : bases) windows.erase(base);
    return windows;
}

std::vector<std::string> GuiSources() {
    std::vector<std::string> sources;
    for (const auto& entry : fs::recursive_directory_iterator(kSource / "src" / "gui"))
        if (entry.path().extension() == ".h" || entry.path().extension() == ".cpp")
            sources.push_back(ReadFile(entry.path()));
    return sources;
}

std::vector<fs::path> Pages() {
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(kManual))
        if (entry.path().extension() == ".html") pages.push_back(entry.path());
    return pages;
}

// The href and src targets of a page.
std::vector<std::string> Links(const std::string& html) {
    static const std::regex link(R"#((?:href|src)\s*=\s*"([^"]*)")#");
    std::vector<std::string> links;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it)
        links.push_back((*it)[1]);
    return links;
}

// Problems with the links of one page: targets missing, anchors missing,
// links that leave the installation (the manual works offline).
std::vector<std::string> LinkProblems(const fs::path& page) {
    std::vector<std::string> problems;
    for (const std::string& link : Links(ReadFile(page))) {
        if (link.empty() || link.find(':') != std::string::npos) {
            problems.push_back(page.filename().string() + ": link '" + link + "' is not a file of the manual");
            continue;
        }
        const std::size_t hash = link.find('#');
        const std::string file = link.substr(0, hash);
        const fs::path target = file.empty() ? page : page.parent_path() / file;
        if (!fs::is_regular_file(target)) {
            problems.push_back(page.filename().string() + ": '" + link + "' does not exist");
            continue;
        }
        if (hash != std::string::npos) {
            const std::string id = "id=\"" + link.substr(hash + 1) + "\"";
            if (ReadFile(target).find(id) == std::string::npos)
                problems.push_back(page.filename().string() + ": '" + link + "' names no anchor of its page");
        }
    }
    return problems;
}

TEST(ManualTest, WindowClassesAreFoundThroughTheirBaseChain) {
    const std::vector<std::string> sources = {
        "class CPlainDlg : public QDialog {",
        "class CShapeDialog : public QDialog {};\nclass CAddBoxDlg final : public CShapeDialog {",
        "class CFrame : public QMainWindow {}; class CChild : public QMdiSubWindow {",
        "class CButtons : public QWidget {}; class CMonitor : public IRunMonitor {",
        "class CNamespaced : public elix::CPlainDlg {",
    };
    EXPECT_EQ(WindowClasses(sources),
              (std::set<std::string>{"CAddBoxDlg", "CChild", "CFrame", "CNamespaced"}));
}

TEST(ManualTest, EveryWindowAndDialogHasItsPage) {
    const std::set<std::string> classes = WindowClasses(GuiSources());
    // The program has windows: the scan found the main ones.
    for (const char* known : {"CMainFrame", "CChildFrame", "CPathDlg", "CZoomDlg", "CHelpWindow"})
        EXPECT_TRUE(classes.count(known)) << known << " not found in src/gui";
    for (const std::string& name : classes)
        EXPECT_TRUE(fs::is_regular_file(kManual / (name + ".html"))) << "docs/manual/" << name << ".html is missing";
}

TEST(ManualTest, EveryLinkAndPictureResolves) {
    const std::vector<fs::path> pages = Pages();
    ASSERT_GT(pages.size(), 10u);
    for (const fs::path& page : pages) {
        for (const std::string& problem : LinkProblems(page)) ADD_FAILURE() << problem;
        const std::string html = ReadFile(page);
        EXPECT_NE(html.find("href=\"manual.css\""), std::string::npos) << page.filename() << " lacks the style sheet";
        EXPECT_NE(html.find("<title>"), std::string::npos) << page.filename() << " has no title";
    }
}

TEST(ManualTest, BrokenLinksAreReported) {
    const fs::path dir = fs::temp_directory_path() / "elastrix_manual_test";
    fs::create_directories(dir);
    std::ofstream(dir / "a.html") << "<h2 id=\"here\"></h2><a href=\"b.html\">b</a> <a href=\"a.html#here\">"
                                     "<a href=\"#gone\"> <img src=\"none.png\"> <a href=\"https://x.org\">";
    std::ofstream(dir / "b.html") << "<p>b</p>";
    const std::vector<std::string> problems = LinkProblems(dir / "a.html");
    fs::remove_all(dir);
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_NE(problems[0].find("#gone"), std::string::npos);
    EXPECT_NE(problems[1].find("none.png"), std::string::npos);
    EXPECT_NE(problems[2].find("https://x.org"), std::string::npos);
}

TEST(ManualTest, EveryPageIsReachableFromTheContents) {
    std::set<std::string> reached = {"index.html"};
    std::vector<std::string> queue = {"index.html"};
    while (!queue.empty()) {
        const std::string page = queue.back();
        queue.pop_back();
        for (const std::string& link : Links(ReadFile(kManual / page))) {
            const std::string file = link.substr(0, link.find('#'));
            if (file.size() > 5 && file.ends_with(".html") && file.find('/') == std::string::npos &&
                reached.insert(file).second)
                queue.push_back(file);
        }
    }
    for (const fs::path& page : Pages())
        EXPECT_TRUE(reached.count(page.filename().string())) << page.filename() << " is not linked from the contents";
}

}  // namespace
